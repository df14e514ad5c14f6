// Whole-program checks: copies of the built program, each in its own folder
// with its own virtual-mouse socket, driven from outside.
#include <QtTest>

class Program : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QString socketPath;

    QProcessEnvironment environment(bool preload) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KAIRO_VIRTUAL_MOUSE_SOCKET", socketPath);
        env.remove("QT_QPA_PLATFORM");
        if (preload)
            env.insert("LD_PRELOAD", KAIRO_PRELOAD);
        return env;
    }
    bool waitForLine(QProcess &p, QByteArray &seen, const QByteArray &line, int ms = 8000)
    {
        QElapsedTimer t;
        t.start();
        while (!seen.contains(line) && t.elapsed() < ms) {
            p.waitForReadyRead(100);
            seen += p.readAll();
        }
        return seen.contains(line);
    }
    int cli(const QStringList &args)
    {
        QProcess c;
        c.setProcessEnvironment(environment(false));
        c.start(QStringLiteral(KAIRO_BIN_DIR "/kairo-virtual-mouse"), args);
        c.waitForFinished(5000);
        return c.exitCode();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        socketPath = dir.filePath("vm.sock");
        QVERIFY(QFile::copy(KAIRO_BIN_DIR "/kairo", dir.filePath("kairo")));
        QFile(dir.filePath("kairo")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcess cp;
        cp.start("cp", {"-r", KAIRO_BIN_DIR "/modules", dir.path()});
        QVERIFY(cp.waitForFinished());
    }

    // One run covers the life of a connected program: started from another
    // folder, it finds ./modules and the mouse, brings the scene up, refuses a
    // second copy, passes stage reports on and notices the mouse going away.
    void connectedLife()
    {
        QProcess kairo;
        kairo.setProcessEnvironment(environment(true));
        kairo.setWorkingDirectory(QDir::rootPath());
        kairo.setProcessChannelMode(QProcess::MergedChannels);
        kairo.start(dir.filePath("kairo"));
        QByteArray seen;
        QVERIFY(waitForLine(kairo, seen, "scene: run"));
        QVERIFY(seen.contains("Device Connect"));
        QVERIFY(seen.indexOf("scene: initUI") < seen.indexOf("scene: run"));

        QProcess second;
        second.setProcessEnvironment(environment(false));
        QElapsedTimer t;
        t.start();
        second.start(dir.filePath("kairo"));
        QVERIFY(second.waitForFinished(6000));
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(t.elapsed() < 5000);
        QVERIFY(waitForLine(kairo, seen, "------------------------- receiveMessage---------------------"));

        QCOMPARE(cli({"press-dpi", "3"}), 0);
        QVERIFY(waitForLine(kairo, seen, "scene: setCurrentDPI 3"));
        QCOMPARE(cli({"unplug"}), 0);
        QVERIFY(waitForLine(kairo, seen, "Device removed"));

        kairo.terminate();
        kairo.waitForFinished(5000);
    }

    void noMouse()
    {
        QProcess kairo;
        QProcessEnvironment env = environment(false);
        kairo.setProcessEnvironment(env);
        kairo.setProcessChannelMode(QProcess::MergedChannels);
        kairo.start(dir.filePath("kairo"));
        QByteArray seen;
        QVERIFY(waitForLine(kairo, seen, "Device DisConnect"));
        QVERIFY(!seen.contains("scene: initUI"));
        kairo.terminate();
        kairo.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(Program)
#include "test_core_program.moc"

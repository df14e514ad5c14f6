// Journeys about the mouse itself on the real program (a copy of the built
// kairo on the preloaded virtual mouse, driven with xdotool): none at start,
// one the user may not open, one unplugged. The device panel is read on the
// window's pixels, what the scene was told in the program's log, the mouse's
// side in the wire log.
#include "tests/journey/scenepixels.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

constexpr int scaled(int milliseconds)
{
    return milliseconds * KAIRO_TEST_TIMEOUT_SCALE;
}

const QColor accent(0xff, 0x30, 0x30);
const QColor primary(0xff, 0x99, 0x33);

QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class DeviceJourney : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QProcess kairo;
    WId window = 0;
    QHash<QString, QRect> at; // in window pixels

    QString path(const QString &name) const { return dir.filePath(name); }
    int wireCommands() const { return int(fileText(path("wire.log")).count(" feature-out ")); }
    bool logged(const QByteArray &line) const { return fileText(path("kairo.log")).contains(line); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KAIRO_VIRTUAL_MOUSE_SOCKET", path("vm.sock"));
        env.insert("KAIRO_VIRTUAL_MOUSE_LOG", path("wire.log"));
        env.insert("KAIRO_VIRTUAL_MOUSE_CONFIG", path("mouse.ini"));
        env.insert("QT_LOGGING_RULES", "kairo*.debug=true");
        env.remove("QT_QPA_PLATFORM");
        return env;
    }
    QString run(const QString &program, const QStringList &args, int *exitCode = nullptr) const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(program, args);
        p.waitForFinished(20000);
        if (exitCode)
            *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }
    void mouseCommand(const QString &verb)
    {
        int code = -1;
        run(KAIRO_BIN_DIR "/kairo-virtual-mouse", {verb}, &code);
        QCOMPARE(code, 0);
    }

    QPoint origin() const
    {
        const QString shell =
            run("xdotool", {"getwindowgeometry", "--shell", QString::number(window)});
        static const QRegularExpression xy("X=(-?\\d+)\\nY=(-?\\d+)");
        const QRegularExpressionMatch m = xy.match(shell);
        return QPoint(m.captured(1).toInt(), m.captured(2).toInt());
    }
    QImage screen() const { return kairo::journey::grabWindow(window); }
    // Nothing else in the window fills the panel's thin accent strip.
    bool panelShown() const
    {
        const QRect strip = at.value("deviceStateAccent").adjusted(4, 1, -4, -1);
        return kairo::journey::countNear(screen(), strip, primary)
               > strip.width() * strip.height() * 9 / 10;
    }
    bool frameDrawn() const
    {
        const QRect slider = at.value("dpiSlider0");
        return kairo::journey::countNear(screen(), slider, accent)
                   + kairo::journey::countNear(screen(), slider, primary)
               > 20;
    }
    void click(const QString &name)
    {
        const QPoint point = origin() + at.value(name).center();
        run("xdotool", {"mousemove", "--sync", QString::number(point.x()),
                        QString::number(point.y()), "click", "1"});
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        const QStringList names{"deviceStateAccent", "dpiSlider0", "dpiPlus1", "saveButton"};
        int code = -1;
        const QString out = run(KAIRO_SCENETOOL, QStringList{"pos", "1280", "720"} + names, &code);
        QCOMPARE(code, 0);
        for (const QString &line : out.split('\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split(' ');
            at.insert(f[0], QRect(f.value(3).toInt(), f.value(4).toInt(), f.value(5).toInt(),
                                  f.value(6).toInt()));
        }
        QCOMPARE(at.size(), names.size());
    }

    void cleanup()
    {
        kairo.kill();
        kairo.waitForFinished(5000);
    }

    // Each row: the mouse at start, what breaks it while the program runs,
    // and what a user does about it, as the panel says.
    void mouseUnusable_data()
    {
        QTest::addColumn<QString>("mouseKey");
        QTest::addColumn<QStringList>("breaking");
        QTest::addColumn<QByteArray>("told");
        QTest::addColumn<QStringList>("mending");
        QTest::newRow("no mouse") << "plugged" << QStringList{} << QByteArray("absent  ")
                                  << QStringList{"plug"};
        QTest::newRow("denied") << "openDenied" << QStringList{}
                                << QByteArray("denied virtual:0:command sudo install -m 644 ")
                                << QStringList{"allow"};
        QTest::newRow("unplugged")
            << "" << QStringList{"unplug"} << QByteArray("unplugged  ") << QStringList{"plug"};
    }
    void mouseUnusable()
    {
        QFETCH(QString, mouseKey);
        QFETCH(QStringList, breaking);
        QFETCH(QByteArray, told);
        QFETCH(QStringList, mending);
        QDir(path("modules")).removeRecursively();
        for (const char *old : {"kairo", "mouse.ini", "wire.log", "kairo.log"})
            QFile::remove(path(old));
        QVERIFY(QFile::copy(KAIRO_BIN_DIR "/kairo", path("kairo")));
        QFile(path("kairo")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        run("cp", {"-r", KAIRO_BIN_DIR "/modules", dir.path()});
        QSettings mouse(path("mouse.ini"), QSettings::IniFormat);
        mouse.setValue("0/family", "553");
        if (!mouseKey.isEmpty())
            mouse.setValue("0/" + mouseKey, mouseKey == "plugged" ? "false" : "true");
        mouse.sync();

        QProcessEnvironment env = environment();
        env.insert("LD_PRELOAD", KAIRO_PRELOAD);
        kairo.setProcessEnvironment(env);
        kairo.setStandardOutputFile(path("kairo.log"));
        kairo.setProcessChannelMode(QProcess::MergedChannels);
        kairo.start(path("kairo"));
        // Whatever the mouse, the window is shown: found only once mapped.
        QString id;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(id = run("xdotool", {"search", "--onlyvisible", "--name", "^ZENDRA KAIRO MOUSE K1$"})
                       .trimmed())
                 .isEmpty(),
            scaled(15000));
        window = WId(id.toULongLong());
        if (!breaking.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(frameDrawn() && !panelShown(), scaled(15000));
        for (const QString &verb : breaking)
            mouseCommand(verb);
        QTRY_VERIFY_WITH_TIMEOUT(panelShown(), scaled(10000));
        QTRY_VERIFY_WITH_TIMEOUT(logged("scene: setDeviceState " + told), scaled(5000));

        // The pages take no click; the panel still drags the window.
        const int sent = wireCommands();
        click("dpiPlus1");
        click("saveButton");
        const QPoint from = origin() + QPoint(120, 600);
        const QPoint to = from + QPoint(60, 40);
        run("xdotool",
            {"mousemove", "--sync", QString::number(from.x()), QString::number(from.y()),
             "mousedown", "1", "sleep", "0.2", "mousemove", "--sync", QString::number(to.x()),
             QString::number(to.y()), "sleep", "0.2", "mouseup", "1"});
        QTRY_COMPARE_WITH_TIMEOUT(origin(), to - QPoint(120, 600), scaled(5000));
        QVERIFY(panelShown());
        QCOMPARE(wireCommands(), sent);

        for (const QString &verb : mending)
            mouseCommand(verb);
        QTRY_VERIFY_WITH_TIMEOUT(frameDrawn() && !panelShown(), scaled(15000));
        QVERIFY(logged("scene: setDeviceState connected"));
        QTest::qWait(scaled(1500)); // the connect's lock has ended
        QCOMPARE(kairo::journey::countNear(screen(), at.value("saveButton"), accent), 0);
    }
};

QTEST_MAIN(DeviceJourney)
#include "test_journey_device.moc"

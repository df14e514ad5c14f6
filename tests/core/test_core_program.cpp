// Whole-program checks: copies of the built program, each in its own folder
// with its own virtual-mouse socket, driven from outside.
#include "tests/support/programcopy.h"
#include "tests/support/trayhost.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using kairo::test::Preload;
using kairo::test::runTool;

class Program : public QObject
{
    Q_OBJECT
private:
    kairo::test::ProgramCopy copy;
    TrayHost trayHost;
    // The program's tray icon as embedded in trayer's panel: its window's
    // place on the screen, or an empty rectangle while there is none.
    static QRect trayIconRect()
    {
        const QStringList tree = runTool("xwininfo", {"-root", "-tree"}).split('\n');
        static const QRegularExpression window(
            "^(\\s*)0x[0-9a-f]+ \"[^\"]*\": \\((\"[^\"]*\") \"[^\"]*\"\\)\\s+(\\d+)x(\\d+)\\S*\\s+"
            "\\+(-?\\d+)\\+(-?\\d+)");
        qsizetype panelIndent = -1;
        for (const QString &line : tree) {
            const QRegularExpressionMatch m = window.match(line);
            if (!m.hasMatch())
                continue;
            const qsizetype indent = m.capturedLength(1);
            if (m.captured(2) == "\"panel\"" && line.contains("\"trayer\")")) {
                panelIndent = indent;
            } else if (panelIndent >= 0 && indent <= panelIndent) {
                panelIndent = -1;
            } else if (panelIndent >= 0 && m.captured(2) == "\"kairo\"") {
                return QRect(m.captured(5).toInt(), m.captured(6).toInt(), m.captured(3).toInt(),
                             m.captured(4).toInt());
            }
        }
        return QRect();
    }
    // Map state of the program's main window ("IsViewable", "IsUnMapped", ...).
    static QString mainWindowMapState()
    {
        const QString id =
            runTool("xdotool", {"search", "--name", "^ZENDRA KAIRO MOUSE K1$"}).trimmed();
        if (id.isEmpty() || id.contains('\n'))
            return QString();
        static const QRegularExpression state("Map State: (\\w+)");
        return state.match(runTool("xwininfo", {"-id", id})).captured(1);
    }
    // Whether the main window gets mapped within ms, asked once per try:
    // QTRY_* asks again after the try that answered, and a second look may
    // find no single window of that name for a moment.
    static bool mainWindowBecomesViewable(int ms)
    {
        return QTest::qWaitFor([] { return mainWindowMapState() == QLatin1String("IsViewable"); },
                               ms);
    }
    static QStringList visibleProgramWindows()
    {
        return runTool("xdotool", {"search", "--onlyvisible", "--class", "^kairo$"})
            .split('\n', Qt::SkipEmptyParts);
    }

    QProcessEnvironment environment(bool preload) const
    {
        return copy.environment(preload ? Preload::VirtualMouse : Preload::Nothing);
    }
    static bool waitForLine(QProcess &p, QByteArray &seen, const QByteArray &line, int ms = 8000)
    {
        return kairo::test::waitForOutput(p, seen, line, ms);
    }
    int cli(const QStringList &args) const { return copy.cli(args); }

private slots:
    void initTestCase()
    {
        QVERIFY2(trayHost.start(), "trayer did not start");
        const QString failed = copy.copyIn();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
    }

    void cleanupTestCase() { trayHost.stop(); }

    // One run covers the life of a connected program: started from another
    // folder, it finds ./modules and the mouse, brings the scene up, refuses a
    // second copy, passes stage reports on and notices the mouse going away.
    void connectedLife()
    {
        QProcess kairo;
        kairo.setProcessEnvironment(environment(true));
        kairo.setWorkingDirectory(QDir::rootPath());
        kairo.setProcessChannelMode(QProcess::MergedChannels);
        kairo.start(copy.path("kairo"));
        QByteArray seen;
        QVERIFY(waitForLine(kairo, seen, "scene: run"));
        QVERIFY(seen.contains("Device Connect"));
        QVERIFY(seen.indexOf("scene: initUI") < seen.indexOf("scene: run"));

        QProcess second;
        second.setProcessEnvironment(environment(false));
        QElapsedTimer t;
        t.start();
        second.start(copy.path("kairo"));
        QVERIFY(second.waitForFinished(6000));
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(t.elapsed() < 5000);
        QVERIFY(waitForLine(kairo, seen,
                            "------------------------- receiveMessage---------------------"));

        QCOMPARE(cli({"press-dpi", "3"}), 0);
        QVERIFY(waitForLine(kairo, seen, "scene: setCurrentDPI 3"));
        QCOMPARE(cli({"unplug"}), 0);
        QVERIFY(waitForLine(kairo, seen, "Device removed"));

        kairo.terminate();
        kairo.waitForFinished(5000);
    }

    // Any local user may create files in the shared temporary folder. A lock
    // held there under the name the program once used must not make it a
    // second copy; the lock and the socket live in the runtime folder, or in
    // the user's private folder when there is none, and a second copy's
    // message still reaches the first.
    void lockSquattedInTheSharedTempFolder_data()
    {
        QTest::addColumn<bool>("runtimeFolder");
        QTest::newRow("runtime folder") << true;
        QTest::newRow("private fallback") << false;
    }
    void lockSquattedInTheSharedTempFolder()
    {
        QFETCH(bool, runtimeFolder);
        QTemporaryDir shared;
        QTemporaryDir runtime;
        QVERIFY(shared.isValid() && runtime.isValid());
        const QByteArray pathHash =
            QCryptographicHash::hash(QFileInfo(copy.path("kairo")).canonicalFilePath().toUtf8(),
                                     QCryptographicHash::Sha1)
                .toHex();
        const QString id = QStringLiteral("kairo-%1-%2")
                               .arg(::getuid())
                               .arg(QString::fromLatin1(pathHash.left(16)));
        QLockFile squatter(shared.filePath(id + ".lock"));
        QVERIFY(squatter.tryLock(0));

        QProcessEnvironment env = environment(false);
        env.insert("TMPDIR", shared.path());
        if (runtimeFolder)
            env.insert("XDG_RUNTIME_DIR", runtime.path());
        else
            env.remove("XDG_RUNTIME_DIR");
        QProcess kairo;
        kairo.setProcessEnvironment(env);
        kairo.setProcessChannelMode(QProcess::MergedChannels);
        kairo.start(copy.path("kairo"));
        QByteArray seen;
        QVERIFY2(waitForLine(kairo, seen, "Device DisConnect"), seen.constData());

        const QString folder = runtimeFolder
                                   ? runtime.path()
                                   : shared.filePath(QStringLiteral("kairo-%1").arg(::getuid()));
        struct stat info;
        QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0700));
        QCOMPARE(info.st_uid, ::geteuid());
        QVERIFY(QFileInfo::exists(folder + "/" + id + ".lock"));
        QVERIFY(QFileInfo::exists(folder + "/" + id + ".sock"));

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(copy.path("kairo"));
        QVERIFY(second.waitForFinished(6000));
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(waitForLine(kairo, seen,
                            "------------------------- receiveMessage---------------------"));
        kairo.terminate();
        kairo.waitForFinished(5000);
    }

    // A copy stopped by SIGTERM leaves its lock; on a full temporary folder
    // the next start cannot take it over, and starts without the guard
    // rather than exit as a second copy.
    void staleLockOnAFullTempFolder()
    {
        QTemporaryDir shared;
        QTemporaryDir cache;
        QVERIFY(shared.isValid() && cache.isValid());
        QProcessEnvironment env = environment(false);
        env.insert("TMPDIR", shared.path());
        env.insert("XDG_CACHE_HOME", cache.path());
        env.remove("XDG_RUNTIME_DIR");
        QProcess kairo;
        kairo.setProcessEnvironment(env);
        kairo.setProcessChannelMode(QProcess::MergedChannels);
        kairo.start(copy.path("kairo"));
        QByteArray seen;
        QVERIFY2(waitForLine(kairo, seen, "Device DisConnect"), seen.constData());
        kairo.terminate();
        QVERIFY(kairo.waitForFinished(5000));
        const QString folder = shared.filePath(QStringLiteral("kairo-%1").arg(::getuid()));
        QVERIFY(!QDir(folder).entryList({"*.lock"}, QDir::Files).isEmpty());

        env.insert("LD_PRELOAD", KAIRO_FULL_DISK_PRELOAD);
        env.insert("KAIRO_FULL_DISK_UNDER", shared.path());
        env.insert("QT_LOGGING_RULES", "kairo*.debug=true;default.debug=true");
        kairo.setProcessEnvironment(env);
        kairo.start(copy.path("kairo"));
        seen.clear();
        QVERIFY2(waitForLine(kairo, seen, "Device DisConnect"), seen.constData());
        QVERIFY(seen.contains("cannot take over the stale lock"));
        kairo.terminate();
        kairo.waitForFinished(5000);
    }

    // --help and --version answer without a display and end at once; a
    // normal start is silent, and --verbose turns the debug lines on.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("printed");
        QTest::newRow("help") << QStringList{"--help"} << "^Usage: kairo .*--version";
        QTest::newRow("version") << QStringList{"--version"} << "^kairo \\d+\\.\\d+\n$";
        QTest::newRow("help wins") << QStringList{"--version", "-h"} << "^Usage: kairo ";
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, printed);
        QProcess kairo;
        QProcessEnvironment env = environment(false);
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        kairo.setProcessEnvironment(env);
        kairo.start(copy.path("kairo"), args);
        QVERIFY(kairo.waitForFinished(3000));
        QCOMPARE(kairo.exitCode(), 0);
        const QString out = QString::fromLocal8Bit(kairo.readAllStandardOutput());
        QVERIFY2(QRegularExpression(printed, QRegularExpression::DotMatchesEverythingOption)
                     .match(out)
                     .hasMatch(),
                 qPrintable(out));
        QCOMPARE(kairo.readAllStandardError(), QByteArray());
    }

    void debugLinesOnlyWhenAsked()
    {
        for (const bool verbose : {false, true}) {
            QProcess kairo;
            QProcessEnvironment env = environment(true);
            env.remove("QT_LOGGING_RULES");
            // A desktop session has its runtime folder; Qt warns without one.
            env.insert("XDG_RUNTIME_DIR", copy.folder());
            kairo.setProcessEnvironment(env);
            kairo.setProcessChannelMode(QProcess::MergedChannels);
            kairo.start(copy.path("kairo"), verbose ? QStringList{"--verbose"} : QStringList{});
            QByteArray seen;
            // Generous: beside the rest of the suite on two cores a start
            // has taken ten seconds.
            QVERIFY(mainWindowBecomesViewable(30000));
            // The connection's notice is the last thing a start does.
            QCOMPARE(waitForLine(kairo, seen, "Device Connect", verbose ? 15000 : 2000), verbose);
            kairo.terminate();
            QVERIFY(kairo.waitForFinished(5000));
            seen += kairo.readAll();
            if (!verbose)
                QVERIFY2(seen.trimmed().isEmpty(), seen.constData());
        }
    }

    // Without a mouse the window stays, saying so, beside the tray icon;
    // started by the session's autostart, only the tray icon shows.
    void noMouse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("shown");
        QTest::newRow("started by the user") << QStringList{} << true;
        QTest::newRow("autostart") << QStringList{"--autostart"} << false;
    }
    void noMouse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, shown);
        QProcess kairo;
        QProcessEnvironment env = environment(false);
        kairo.setProcessEnvironment(env);
        kairo.setProcessChannelMode(QProcess::MergedChannels);
        kairo.start(copy.path("kairo"), arguments);
        QByteArray seen;
        QVERIFY(waitForLine(kairo, seen, "Device DisConnect"));
        QTRY_VERIFY_WITH_TIMEOUT(!trayIconRect().isEmpty(), 15000);
        // A window kept in the tray may never have been mapped at all.
        if (shown)
            QVERIFY(mainWindowBecomesViewable(10000));
        else
            QVERIFY(mainWindowMapState() != QLatin1String("IsViewable"));
        QVERIFY(waitForLine(kairo, seen, "scene: setDeviceState absent"));
        QVERIFY(!seen.contains("scene: initUI"));
        kairo.terminate();
        kairo.waitForFinished(5000);
    }

    // The tray menu's quit, chosen the way a user does (right click on the
    // icon, then its mnemonic), ends a connected program with code 0 while
    // its monitor runs.
    void trayQuit()
    {
        QProcess kairo;
        kairo.setProcessEnvironment(environment(true));
        kairo.setProcessChannelMode(QProcess::MergedChannels);
        kairo.start(copy.path("kairo"));
        QByteArray seen;
        QVERIFY(waitForLine(kairo, seen, "scene: run"));
        QVERIFY(mainWindowBecomesViewable(10000));
        QRect icon;
        QTRY_VERIFY_WITH_TIMEOUT(!(icon = trayIconRect()).isEmpty(), 15000);

        // The menu is a window of its own. The connect balloon may lie over
        // the icon; a click closes it, so the next click reaches the icon.
        const QStringList before = visibleProgramWindows();
        auto menuShown = [&before] {
            for (const QString &id : visibleProgramWindows()) {
                if (!before.contains(id))
                    return true;
            }
            return false;
        };
        const QPoint at = icon.center();
        for (int attempt = 0; attempt < 5 && !menuShown(); ++attempt) {
            runTool("xdotool",
                    {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "3"});
            QElapsedTimer shown;
            shown.start();
            while (!menuShown() && shown.elapsed() < 2000)
                QTest::qWait(100);
        }
        QVERIFY(menuShown());
        runTool("xdotool", {"key", "q"});
        QVERIFY(kairo.waitForFinished(10000));
        QCOMPARE(kairo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(kairo.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(Program)
#include "test_core_program.moc"

// Kairo installed as desktop programs are: cmake --install into a per-user
// prefix and into a system one (/usr, staged with DESTDIR), the menu entry and
// metainfo checked by the ecosystem's validators, and the installed launcher
// started by users who cannot write the system prefix, on the virtual mouse.
#include "tests/journey/journeysupport.h"
#include "tests/journey/scenepixels.h"

#include <QRegularExpression>
#include <QtTest>

#include <unistd.h>

using namespace kairo::journey;

namespace {

using Tree = QMap<QString, QByteArray>;

// Every file and folder below `root` with its content; folders end in '/'.
Tree readTree(const QString &root)
{
    Tree tree;
    const QDir base(root);
    QDirIterator it(root, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileInfo().isDir()) {
            tree.insert(base.relativeFilePath(path) + '/', QByteArray());
        } else {
            QFile file(path);
            tree.insert(base.relativeFilePath(path), file.open(QIODevice::ReadOnly)
                                                         ? file.readAll()
                                                         : QByteArray("<unreadable>"));
        }
    }
    return tree;
}

QList<int> stages(const QString &profile)
{
    return iniInts(profile, "dpiValueArray");
}

struct Result {
    int code = -1;
    QString output;
};

Result run(const QString &program, const QStringList &args,
           const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
           int ms = 60000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool finished = p.waitForFinished(ms);
    return {finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAll())};
}

// A local user of the machine: as root the test runs the program under other
// user ids, which cannot write root's files, as on a real system.
struct User {
    uint uid = 0;
    QString home;
};

} // namespace

class Install : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    bool root = ::geteuid() == 0;
    User ana;
    User ben;
    QString xauthority;
    QHash<QString, QRect> at; // the controls, in window pixels

    QString userPrefix() const { return ana.home + "/.local"; }
    QString stage() const { return dir.filePath("stage"); } // DESTDIR of the /usr install
    QString systemPrefix() const { return stage() + "/usr"; }
    QString anaCopy() const { return ana.home + "/.local/share/kairo/modules"; }

    void chown(const QString &path, uint uid)
    {
        if (!root)
            return;
        const Result r = run("chown", {"-R", QString("%1:%1").arg(uid), path});
        QVERIFY2(r.code == 0, qPrintable(r.output));
    }

    // Without root the system prefix is made read-only instead of root's.
    void setSystemWritable(bool writable)
    {
        if (root || !QFileInfo::exists(stage()))
            return;
        run("chmod", {"-R", writable ? "u+w" : "a-w", stage()});
    }

    void install(const QString &prefix, const QString &destdir)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (destdir.isEmpty())
            env.remove("DESTDIR");
        else
            env.insert("DESTDIR", destdir);
        setSystemWritable(true);
        const Result r = run(KAIRO_CMAKE, {"--install", KAIRO_BUILD_DIR, "--prefix", prefix}, env);
        setSystemWritable(false);
        QVERIFY2(r.code == 0, qPrintable(r.output));
    }

    User makeUser(uint uid, const QString &name)
    {
        User user{root ? uid : uint(::geteuid()), dir.filePath(name)};
        [&] {
            QVERIFY(QDir().mkpath(user.home + "/run"));
            QVERIFY(QFile::setPermissions(user.home + "/run",
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            chown(user.home, user.uid);
        }();
        return user;
    }

    QProcessEnvironment environment(const User &user, const QString &dataHome) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", user.home);
        if (dataHome.isEmpty())
            env.remove("XDG_DATA_HOME");
        else
            env.insert("XDG_DATA_HOME", dataHome);
        env.insert("XDG_RUNTIME_DIR", user.home + "/run");
        env.insert("XAUTHORITY", xauthority);
        env.insert("KAIRO_VIRTUAL_MOUSE_SOCKET", user.home + "/run/vm.sock");
        env.insert("LD_PRELOAD", KAIRO_PRELOAD);
        env.insert("QT_LOGGING_RULES", "kairo*.debug=true");
        env.remove("QT_QPA_PLATFORM");
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        return env;
    }

    // The installed launcher, started as `user` from the user's home folder.
    void start(QProcess &kairo, const User &user, const QString &launcher,
               const QString &dataHome = {})
    {
        kairo.setProcessEnvironment(environment(user, dataHome));
        kairo.setWorkingDirectory(user.home);
        kairo.setProcessChannelMode(QProcess::MergedChannels);
        if (root) {
            kairo.start("setpriv",
                        {QString("--reuid=%1").arg(user.uid), QString("--regid=%1").arg(user.uid),
                         "--clear-groups", "--", launcher});
        } else {
            kairo.start(launcher);
        }
        QVERIFY(kairo.waitForStarted());
    }

    static bool waitForOutput(QProcess &p, QByteArray &seen, const QByteArray &line, int ms = 20000)
    {
        return kairo::test::waitForOutput(p, seen, line, ms);
    }
    static void stop(QProcess &kairo) { kairo::test::stopProgram(kairo); }

    void connectedRun(const User &user, const QString &launcher, const QString &dataHome = {})
    {
        QProcess kairo;
        start(kairo, user, launcher, dataHome);
        QByteArray seen;
        const bool connected = waitForOutput(kairo, seen, "Device Connect")
                               && waitForOutput(kairo, seen, "scene: run");
        stop(kairo);
        QVERIFY2(connected, seen.constData());
    }

private slots:
    void initTestCase()
    {
        for (const char *tool : {"xdotool", "desktop-file-validate", "appstreamcli", "setpriv"})
            QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), tool);
        QVERIFY(dir.isValid());
        // The test's users must reach their folders inside it.
        QVERIFY(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther
                                                      | QFile::ReadOther | QFile::ExeGroup
                                                      | QFile::ReadGroup));
        // And the X server, whose cookie xvfb-run keeps in a folder only we may read.
        xauthority = dir.filePath("xauthority");
        QVERIFY(QFile::copy(qEnvironmentVariable("XAUTHORITY"), xauthority));
        QVERIFY(QFile::setPermissions(xauthority,
                                      QFile::ReadOwner | QFile::ReadOther | QFile::ReadGroup));

        ana = makeUser(64101, "ana");
        ben = makeUser(64102, "ben");

        // Ana installs Kairo for herself, over a build that had the former id;
        // the system copy comes as a package would.
        for (const QString former : {"/share/applications/io.github.kairo.Kairo.desktop",
                                     "/share/metainfo/io.github.kairo.Kairo.metainfo.xml"}) {
            QVERIFY(QDir().mkpath(QFileInfo(userPrefix() + former).path()));
            QFile file(userPrefix() + former);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        install(userPrefix(), QString());
        QVERIFY(
            !QFileInfo::exists(userPrefix() + "/share/applications/io.github.kairo.Kairo.desktop"));
        QVERIFY(!QFileInfo::exists(userPrefix()
                                   + "/share/metainfo/io.github.kairo.Kairo.metainfo.xml"));
        // The system install below writes its own list over this one.
        QVERIFY(
            QFile::copy(KAIRO_BUILD_DIR "/install_manifest.txt", dir.filePath("user-manifest")));
        chown(ana.home, ana.uid);
        install("/usr", stage());

        const auto places = kairo::journey::places({"dpiSlider0", "dpiPlus1", "saveButton"});
        for (auto place = places.begin(); place != places.end(); ++place)
            at.insert(place.key(), place->rect);
        QCOMPARE(at.size(), 3);
    }

    void cleanupTestCase() { setSystemWritable(true); }

    void installedFiles_data()
    {
        QTest::addColumn<QString>("root");     // the prefix as installed on the disk
        QTest::addColumn<QString>("prefix");   // as the installed files name it
        QTest::addColumn<QString>("udevRule"); // relative to root
        QTest::addColumn<QString>("system");   // the system root it is staged in, if any
        QTest::newRow("per-user prefix")
            << userPrefix() << userPrefix() << "share/kairo/60-kairo.rules" << QString();
        QTest::newRow("/usr") << systemPrefix() << "/usr"
                              << "lib/udev/rules.d/60-kairo.rules" << stage();
    }

    void installedFiles()
    {
        QFETCH(QString, root);
        QFETCH(QString, prefix);
        QFETCH(QString, udevRule);
        QFETCH(QString, system);

        QVERIFY(QFileInfo(root + "/bin/kairo").isExecutable());
        QVERIFY(QFileInfo(root + "/lib/kairo/kairo").isExecutable());
        QVERIFY(QFileInfo(root + "/bin/kairo-probe").isExecutable());
        QVERIFY(QFileInfo(root + "/lib/kairo/modules/setting/apConfig.bin").isFile());
        QVERIFY(QFileInfo(root + "/lib/kairo/modules/img/logo.ico").isFile());
        QVERIFY(QFileInfo(root + "/lib/kairo/modules/macro").isDir());
        QVERIFY(QFileInfo(root + "/" + udevRule).isFile());
        QVERIFY(QFileInfo(root + "/share/icons/hicolor/scalable/apps/kairo.svg").isFile());
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QString png =
                QString("%1/share/icons/hicolor/%2x%2/apps/kairo.png").arg(root).arg(size);
            const QImage icon(png);
            QCOMPARE(icon.size(), QSize(size, size));
            // The dark disc and the orange ring, not an empty picture.
            QVERIFY2(kairo::journey::countNear(icon.convertToFormat(QImage::Format_RGB32),
                                               icon.rect(), QColor(0xf0, 0x78, 0x1e), 40)
                         > size,
                     qPrintable(png));
        }

        const QString entry = root + "/share/applications/io.github.kairo.kairo.desktop";
        const QString entryText = QString::fromUtf8(fileText(entry));
        QVERIFY2(entryText.contains(QRegularExpression(
                     "\nExec=" + QRegularExpression::escape(prefix) + "/bin/kairo\n")),
                 qPrintable(entryText));
        QVERIFY(entryText.contains("\nIcon=kairo\n"));
        Result r = run("desktop-file-validate", {entry});
        // It reports some errors with a zero exit code.
        QVERIFY2(r.code == 0 && r.output.trimmed().isEmpty(), qPrintable(r.output));

        const QString metainfo = root + "/share/metainfo/io.github.kairo.kairo.metainfo.xml";
        r = run("appstreamcli", {"validate", "--no-net", "--pedantic", metainfo});
        static const QRegularExpression issue("^[EWIP]: ", QRegularExpression::MultilineOption);
        QVERIFY2(r.code == 0 && !r.output.contains(issue), qPrintable(r.output));
        // A system tree as software centres read it: the metainfo's menu
        // entry and icon must be there too.
        if (!system.isEmpty()) {
            r = run("appstreamcli", {"validate-tree", "--no-net", system});
            QVERIFY2(r.code == 0 && !r.output.contains(issue), qPrintable(r.output));
        }
    }

    // A Save, made in the window by clicks, lands in the program's own
    // modules/ when the user may write there, else in the user's copy.
    void savesWhereTheUserCanWrite_data()
    {
        QTest::addColumn<QString>("launcher");
        QTest::addColumn<QString>("savedIn");   // the modules/ that takes the Save
        QTest::addColumn<QString>("untouched"); // a folder the run must leave as it was
        QTest::newRow("per-user prefix")
            << userPrefix() + "/bin/kairo" << userPrefix() + "/lib/kairo/modules"
            << ana.home + "/.local/share";
        QTest::newRow("read-only system prefix")
            << systemPrefix() + "/bin/kairo" << anaCopy() << systemPrefix();
    }

    void savesWhereTheUserCanWrite()
    {
        QFETCH(QString, launcher);
        QFETCH(QString, savedIn);
        QFETCH(QString, untouched);
        const QString installedModules =
            QDir::cleanPath(QFileInfo(launcher).path() + "/../lib/kairo/modules");
        const QString profile = savedIn + "/setting/p1.bin";
        const QList<int> before = stages(installedModules + "/setting/p1.bin");
        const int dpiBase =
            iniValue(installedModules + "/setting/apConfig.bin", "mouse", "dpiBase").toInt();
        QVERIFY(before.size() == 8 && dpiBase > 0);
        const Tree untouchedBefore = readTree(untouched);

        QProcess kairo;
        start(kairo, ana, launcher);
        QByteArray seen;
        QVERIFY2(waitForOutput(kairo, seen, "Device Connect"), seen.constData());

        const WId window = kairo::test::waitForWindow(15000);
        QVERIFY(window);
        const QPoint origin = kairo::test::windowGeometry(window).topLeft();
        const auto screen = [window] { return kairo::journey::grabWindow(window); };
        const auto click = [&origin](const QRect &r) { kairo::test::clickAt(origin + r.center()); };
        QTRY_VERIFY_WITH_TIMEOUT(
            kairo::journey::countNear(screen(), at["dpiSlider0"], accent)
                    + kairo::journey::countNear(screen(), at["dpiSlider0"], primary)
                > 20,
            15000);

        click(at["dpiPlus1"]);
        QTRY_VERIFY_WITH_TIMEOUT(kairo::journey::countNear(screen(), at["saveButton"], accent) > 0,
                                 5000);
        click(at["saveButton"]);
        QList<int> raised = before;
        raised[1] += dpiBase;
        QTRY_COMPARE_WITH_TIMEOUT(stages(profile), raised, 10000);
        stop(kairo);

        QCOMPARE(readTree(untouched), untouchedBefore);
        QCOMPARE(stages(installedModules + "/setting/p1.bin"),
                 savedIn.startsWith(installedModules) ? raised : before);
    }

    // A newer version's files reach the user's copy without replacing the
    // user's own; another user starts from the factory files.
    void newerInstallKeepsTheUserCopy()
    {
        const Tree copied = readTree(anaCopy());
        QVERIFY2(copied.contains("setting/p1.bin"),
                 "the read-only system prefix run makes Ana's copy");
        QVERIFY2(copied.value("setting/p1.bin")
                     != fileText(systemPrefix() + "/lib/kairo/modules/setting/p1.bin"),
                 "Ana's copy holds her Save");
        // Ana's own macro and language choice.
        QFile macro(anaCopy() + "/macro/Aim.bin");
        QVERIFY(macro.open(QIODevice::WriteOnly));
        macro.write("[config]\ntotal=0\n");
        macro.close();
        QFile config(anaCopy() + "/setting/apConfig.bin");
        QVERIFY(config.open(QIODevice::Append));
        config.write("\n[ana]\nmine=1\n");
        config.close();
        chown(anaCopy(), ana.uid);
        const Tree mine = readTree(anaCopy());

        // The next version: one more language and a corrected factory profile.
        install("/usr", stage());
        const QString shipped = systemPrefix() + "/lib/kairo/modules";
        setSystemWritable(true);
        QVERIFY(QFile::copy(shipped + "/i18n/English.ini", shipped + "/i18n/Esperanto.ini"));
        QFile factory(shipped + "/setting/pD.bin");
        QVERIFY(factory.open(QIODevice::Append));
        factory.write("\n[next]\nversion=2\n");
        factory.close();
        setSystemWritable(false);
        const Tree newer = readTree(shipped);

        connectedRun(ana, systemPrefix() + "/bin/kairo");
        Tree expected = mine;
        expected.insert("i18n/Esperanto.ini", newer.value("i18n/Esperanto.ini"));
        // Ana never changed the factory profile: the corrected one reaches her.
        expected.insert("setting/pD.bin", newer.value("setting/pD.bin"));
        QCOMPARE(readTree(anaCopy()), expected);
        QCOMPARE(readTree(shipped), newer);

        if (!root)
            QSKIP("a second user needs root to start the program under another user id");
        const QString benData = ben.home + "/data";
        connectedRun(ben, systemPrefix() + "/bin/kairo", benData);
        QCOMPARE(readTree(benData + "/kairo/modules"), newer);
        QCOMPARE(readTree(anaCopy()), expected);
    }

    // Last: the per-user install goes again, as its uninstall script takes it.
    void uninstallRemovesTheUserInstall()
    {
        const QStringList installed = QString::fromUtf8(fileText(dir.filePath("user-manifest")))
                                          .split('\n', Qt::SkipEmptyParts);
        QVERIFY(installed.size() > 20);
        const Tree anasOwn = readTree(anaCopy());
        const Result r =
            run(KAIRO_SOURCE_DIR "/scripts/uninstall", {dir.filePath("user-manifest")});
        QVERIFY2(r.code == 0, qPrintable(r.output));
        for (const QString &file : installed)
            QVERIFY2(!QFileInfo::exists(file), qPrintable(file));
        // Kairo's folders went with their files; the shared ones stay, and
        // share/kairo holds Ana's own copy.
        QVERIFY(!QFileInfo::exists(userPrefix() + "/share/doc/kairo"));
        QVERIFY(QFileInfo(userPrefix() + "/share/applications").isDir());
        QCOMPARE(readTree(anaCopy()), anasOwn);
    }
};

QTEST_MAIN(Install)
#include "test_install.moc"

// Kairo at login: the XDG autostart entry the settings page's switch writes
// and removes through the view, checked with desktop-file-validate, and the
// warning when the folder refuses it.
#include "core/autostart.h"
#include "core/myqquickview.h"
#include "tests/settings/settingstestsupport.h"

#include <QProcess>
#include <QtTest>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Root passes every permission check. For its scope this drops, from the
// calling thread's effective set, the two capabilities that let it, so that
// a read-only folder is read-only here as it is for the user.
class WithoutPermissionOverride
{
public:
    WithoutPermissionOverride()
    {
        syscall(SYS_capget, header(), saved);
        __user_cap_data_struct lowered[2] = {saved[0], saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, header(), lowered);
    }
    ~WithoutPermissionOverride() { syscall(SYS_capset, header(), saved); }

private:
    __user_cap_header_struct *header()
    {
        capHeader = {_LINUX_CAPABILITY_VERSION_3, 0};
        return &capHeader;
    }
    __user_cap_header_struct capHeader{};
    __user_cap_data_struct saved[2]{};
};

QString execLine(const QString &entryPath)
{
    QFile entry(entryPath);
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    for (const QString &line : QString::fromUtf8(entry.readAll()).split('\n')) {
        if (line.startsWith(QLatin1String("Exec=")))
            return line.mid(5);
    }
    return {};
}

// desktop-file-validate's complaints; empty when the entry is valid.
QString validationErrors(const QString &entryPath)
{
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {entryPath});
    validate.waitForFinished();
    const QString output = QString::fromLocal8Bit(validate.readAll());
    if (validate.exitCode() != 0 || output.contains(QLatin1String("error")))
        return output.isEmpty() ? QStringLiteral("exit %1").arg(validate.exitCode()) : output;
    return {};
}

void replaceLine(const QString &path, const QString &from, const QString &to)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(file.readAll());
    file.close();
    QVERIFY(text.contains(from));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.replace(from, to).toUtf8());
}

} // namespace

class TestCoreAutostart : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir home;
    QString configHome;
    QString entryPath;
    std::unique_ptr<myQQuickView> view;
    ScriptedDialogs dialogs;

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        configHome = home.filePath("config");
        entryPath = configHome + "/autostart/io.github.kairo.kairo.desktop";
        qputenv("XDG_CONFIG_HOME", configHome.toLocal8Bit());
        qunsetenv("KAIRO_LAUNCHER");
        // The view's settings live in ./modules; German texts for the warning.
        QVERIFY(QDir::setCurrent(home.path()));
        QVERIFY(QDir().mkpath("modules/i18n"));
        QVERIFY(QDir().mkpath("modules/setting"));
        QVERIFY(QFile::copy(KAIRO_I18N_DIR "/German.ini", "modules/i18n/German.ini"));
        view = std::make_unique<myQQuickView>();
        view->setSettingsDialogs(&dialogs);
    }

    void init()
    {
        dialogs.warnings.clear();
        QDir(configHome).removeRecursively();
    }

    void execQuotesTheCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/local/bin/kairo"
                               << "/usr/local/bin/kairo";
        QTest::newRow("space") << "/home/ann/my apps/kairo"
                               << "\"/home/ann/my apps/kairo\"";
        QTest::newRow("apostrophe and dollar") << "/home/o'neil/$5/kairo"
                                               << "\"/home/o'neil/\\\\$5/kairo\"";
        // A literal backslash in a quoted argument: four in the file.
        QTest::newRow("backslash") << "/opt/a\\b c/kairo"
                                   << "\"/opt/a\\\\\\\\b c/kairo\"";
        QTest::newRow("double quote and backtick") << "/opt/\"x\"`/kairo"
                                                   << "\"/opt/\\\\\"x\\\\\"\\\\`/kairo\"";
        QTest::newRow("percent") << "/opt/100%/kairo"
                                 << "/opt/100%%/kairo";
    }
    void execQuotesTheCommand()
    {
        QFETCH(QString, command);
        QFETCH(QString, exec);
        Autostart autostart(entryPath, command);
        QVERIFY(autostart.setEnabled(true));
        QCOMPARE(execLine(entryPath), exec + " --autostart");
        const QString errors = validationErrors(entryPath);
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
    }

    // The switch reads the file each time, so whatever removed or hid it
    // wins; the view's slots are what the page calls.
    void switchFollowsTheFile()
    {
        QCOMPARE(Autostart::defaultEntryPath(), entryPath);
        QVERIFY(!view->autostartEnabled());
        QVERIFY(view->setAutostartEnabled(true));
        QVERIFY(view->autostartEnabled());
        QCOMPARE(execLine(entryPath),
                 Autostart::execArgument(QCoreApplication::applicationFilePath()) + " --autostart");

        QVERIFY(QFile::remove(entryPath)); // the user's own removal
        QVERIFY(!view->autostartEnabled());

        for (const char *hidden : {"Hidden=true", "X-GNOME-Autostart-enabled=false"}) {
            QVERIFY(view->setAutostartEnabled(true));
            replaceLine(entryPath, "X-GNOME-Autostart-enabled=true", hidden);
            QVERIFY2(!view->autostartEnabled(), hidden);
        }
        QVERIFY(view->setAutostartEnabled(true));
        QVERIFY(view->autostartEnabled());

        QVERIFY(view->setAutostartEnabled(false));
        QVERIFY(!QFile::exists(entryPath));
        QVERIFY(view->setAutostartEnabled(false));
        QCOMPARE(dialogs.warnings, QStringList());
    }

    // An entry written under the former id: the user's choice, and a
    // desktop's hiding of it, survive the rename; never two entries.
    void formerEntryIsTakenOver_data()
    {
        QTest::addColumn<QString>("former"); // its last line, or empty for none
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("expected"); // the entry's last line after
        QTest::newRow("none") << ""
                              << ""
                              << "";
        QTest::newRow("former on") << "X-GNOME-Autostart-enabled=true"
                                   << ""
                                   << "X-GNOME-Autostart-enabled=true";
        QTest::newRow("former hidden") << "Hidden=true"
                                       << ""
                                       << "Hidden=true";
        QTest::newRow("both") << "Hidden=true"
                              << "X-GNOME-Autostart-enabled=true"
                              << "X-GNOME-Autostart-enabled=true";
    }
    void formerEntryIsTakenOver()
    {
        QFETCH(QString, former);
        QFETCH(QString, current);
        QFETCH(QString, expected);
        const QString formerPath = Autostart::formerEntryPath();
        QCOMPARE(formerPath, configHome + "/autostart/io.github.kairo.Kairo.desktop");
        QVERIFY(QDir().mkpath(configHome + "/autostart"));
        for (const auto &[path, last] : {std::pair{formerPath, former}, {entryPath, current}}) {
            QFile file(path);
            if (!last.isEmpty()) {
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(("[Desktop Entry]\nType=Application\n" + last + "\n").toUtf8());
            }
        }
        QCOMPARE(view->autostartEnabled(), !expected.isEmpty() && !expected.startsWith("Hidden"));
        QVERIFY(!QFileInfo::exists(formerPath));
        QFile entry(entryPath);
        QCOMPARE(entry.open(QIODevice::ReadOnly), !expected.isEmpty());
        if (!expected.isEmpty())
            QVERIFY(entry.readAll().endsWith((expected + "\n").toUtf8()));
    }

    void launcherIsNamedWhenInstalled()
    {
        const QString launcher = home.filePath("prefix dir/bin/kairo");
        QVERIFY(QDir().mkpath(QFileInfo(launcher).path()));
        QFile script(launcher);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.close();
        const QString program = QCoreApplication::applicationFilePath();
        qputenv("KAIRO_LAUNCHER", launcher.toLocal8Bit());
        QCOMPARE(Autostart::defaultCommand(), program); // not executable
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(Autostart::defaultCommand(), launcher);
        QVERIFY(view->setAutostartEnabled(true));
        QCOMPARE(execLine(entryPath), '"' + launcher + "\" --autostart");
        qputenv("KAIRO_LAUNCHER", "prefix dir/bin/kairo");
        QCOMPARE(Autostart::defaultCommand(), program); // not absolute
        qunsetenv("KAIRO_LAUNCHER");
    }

    // entry: whether the entry is there before; turnOn: the switch's move.
    void refusedChangeWarnsAndKeepsTheState_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<bool>("entry");
        QTest::addColumn<bool>("turnOn");
        QTest::newRow("read-only folder, turn on") << "read-only" << false << true;
        QTest::newRow("read-only folder, turn off") << "read-only" << true << false;
        QTest::newRow("a file where the folder goes") << "file" << false << true;
    }
    void refusedChangeWarnsAndKeepsTheState()
    {
        QFETCH(QString, obstacle);
        QFETCH(bool, entry);
        QFETCH(bool, turnOn);
        const QString folder = configHome + "/autostart";
        QVERIFY(QDir().mkpath(configHome));
        if (obstacle == QLatin1String("file")) {
            QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
        } else {
            QVERIFY(!entry || view->setAutostartEnabled(true));
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        }
        view->setGlobalData("common/language", "German");
        bool changed = true;
        {
            WithoutPermissionOverride asUser;
            changed = view->setAutostartEnabled(turnOn);
        }
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        QVERIFY(!changed);
        QCOMPARE(view->autostartEnabled(), entry);
        QCOMPARE(dialogs.warnings,
                 QStringList{"Warnung|Kairo konnte seinen Autostart-Eintrag nicht ändern"});
    }
};

QTEST_MAIN(TestCoreAutostart)
#include "test_core_autostart.moc"

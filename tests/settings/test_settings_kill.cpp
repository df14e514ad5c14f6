// Killing the program in the middle of its saves: a child process replaces
// profiles and writes keys in a loop and is killed (SIGKILL) at random
// moments; every profile must then be whole, either before or after, and
// the next start clears what the killed copies left.

#include "settings/settingsstore.h"
#include "tests/settings/settingstestsupport.h"

#include <QRandomGenerator>
#include <QtTest>

#include <csignal>

using testing::readFile;
using testing::writeFile;

namespace {

QByteArray profileText(const char *owner)
{
    QByteArray text = "[mouse]\ndpiCount=6\nowner=" + QByteArray(owner) + "\n[mouseKeyMatrix]\n";
    for (int b = 0; b < 16; ++b)
        text += QByteArray::number(b) + "=0, 0, " + QByteArray::number(0xf0 + b) + ", 0\n";
    return text;
}

// The child: copies profile 1 or 2 over profiles 3..9 and counts up keys of
// profile 10, forever.
int runWriter(const QString &modules)
{
    SettingsStore store(modules);
    for (int round = 0;; ++round) {
        store.copyProfile(2 + round % 7, round % 2);
        store.setCurrentProfile(9);
        const SettingsStore::Batch batch(store);
        store.setData("mouse/round", round);
        store.setDataList("mouseKeyMatrix/3", {2, 1, round % 256, 0});
    }
}

} // namespace

class TestSettingsKill : public QObject
{
    Q_OBJECT

private slots:
    void killedMidSaveLosesNoProfile()
    {
        QTemporaryDir dir(QDir::currentPath() + "/kill-XXXXXX"); // a real disk, not memory
        QVERIFY(dir.isValid());
        const QString modules = testing::makeModules(dir);
        const QString setting = modules + "/setting/";
        const QByteArray first = profileText("first");
        const QByteArray second = profileText("second");
        writeFile(setting + "p1.bin", first);
        writeFile(setting + "p2.bin", second);
        for (int i = 3; i <= 10; ++i)
            writeFile(setting + QStringLiteral("p%1.bin").arg(i), first);

        int damaged = 0;
        const int kills = 200;
        for (int k = 0; k < kills; ++k) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {"--writer", modules});
            QVERIFY(writer.waitForStarted());
            QTest::qSleep(15 + QRandomGenerator::global()->bounded(40));
            ::kill(pid_t(writer.processId()), SIGKILL);
            writer.waitForFinished();
            for (int i = 3; i <= 9; ++i) {
                const QByteArray bytes = readFile(setting + QStringLiteral("p%1.bin").arg(i));
                damaged += bytes != first && bytes != second;
            }
            // Profile 10 keeps every key it had, whatever round it shows.
            const QByteArray tenth = readFile(setting + "p10.bin");
            damaged += !(tenth.contains("owner=first") && tenth.contains("\n15=0, 0, 255, 0\n"));
        }
        QCOMPARE(damaged, 0);
        // The writer got somewhere between kills.
        QVERIFY(readFile(setting + "p10.bin").contains("round="));
    }

    // Each killed copy leaves its scratch folder; the next start removes
    // those whose process is gone and the save temporaries of our settings
    // files, and nothing else.
    void theNextStartClearsOnlyOurLeftovers()
    {
        QTemporaryDir dir(QDir::currentPath() + "/left-XXXXXX");
        QTemporaryDir runtime; // 0700, as the runtime folder must be
        QVERIFY(dir.isValid() && runtime.isValid());
        const QString modules = testing::makeModules(dir);
        const QString setting = modules + "/setting/";
        for (int i = 1; i <= 10; ++i)
            writeFile(setting + QStringLiteral("p%1.bin").arg(i), profileText("first"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        for (int k = 0; k < 3; ++k) {
            QProcess writer;
            writer.setProcessEnvironment(env);
            writer.start(QCoreApplication::applicationFilePath(), {"--writer", modules});
            QVERIFY(writer.waitForStarted());
            QTest::qSleep(100);
            ::kill(pid_t(writer.processId()), SIGKILL);
            writer.waitForFinished();
        }
        // Each writer's start cleared the folder of the one killed before it.
        const QDir scratch(runtime.path());
        QCOMPARE(scratch.entryList({"kairo-ini-*"}, QDir::Dirs).size(), 1);
        const QString live =
            QStringLiteral("kairo-ini-%1-AbC123").arg(QCoreApplication::applicationPid());
        const QStringList kept = {live, "kairo-ini-x-AbC123", "notes"};
        for (const QString &folder : kept)
            QVERIFY(scratch.mkdir(folder));
        writeFile(setting + "p3.bin.Xy12Zq", "left by a killed save");
        writeFile(setting + "name.bin.q1W2e3", "left by a killed save");
        writeFile(modules + "/gun/gunData.bin.Q9w8E7", "left by a killed save");
        const QStringList strangers = {"p3.bin.bak", "p11.bin.Xy12Zq", "mine.txt.Xy12Zq"};
        for (const QString &name : strangers)
            writeFile(setting + name, "not ours");

        QProcess next;
        next.setProcessEnvironment(env);
        next.start(QCoreApplication::applicationFilePath(), {"--open", modules});
        QVERIFY(next.waitForFinished());
        QCOMPARE(next.exitCode(), 0);

        QStringList expected = kept;
        expected.sort();
        QCOMPARE(scratch.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), expected);
        QStringList settingFiles = strangers;
        for (int i = 1; i <= 10; ++i)
            settingFiles.append(QStringLiteral("p%1.bin").arg(i));
        settingFiles.sort();
        QCOMPARE(QDir(setting).entryList(QDir::Files, QDir::Name), settingFiles);
        QCOMPARE(QDir(modules + "/gun").entryList(QDir::Files), QStringList());
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--writer") == 0) {
        QCoreApplication app(argc, argv);
        return runWriter(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 3 && qstrcmp(argv[1], "--open") == 0) {
        QCoreApplication app(argc, argv);
        SettingsStore store(QString::fromLocal8Bit(argv[2]));
        return store.getData("mouse/dpiCount", false).toInt() == 6 ? 0 : 1;
    }
    QCoreApplication app(argc, argv);
    TestSettingsKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_settings_kill.moc"

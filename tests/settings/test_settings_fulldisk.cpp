// Saving on a broken disk: every write either reaches the disk whole or
// leaves the old file as it was and says it failed. Run with the disk-fault
// preload (fullDisk.c), which fails writes, reads, syncs or changes of the
// files under a folder.

#include "settings/guntable.h"
#include "settings/macroexchange.h"
#include "settings/macrolibrary.h"
#include "settings/macroselection.h"
#include "settings/privatefolder.h"
#include "settings/settingsstore.h"
#include "tests/settings/settingstestsupport.h"

#include <QtTest>

#include <functional>

#include <sys/stat.h>

using testing::readFile;
using testing::writeFile;

class TestSettingsFullDisk : public QObject
{
    Q_OBJECT

private:
    // Where the library and the exchange address entries, as in the window.
    MacroSelection selection;
    QTemporaryDir dir;
    QTemporaryDir runtime;
    QString modules;
    QString setting(const QString &file) const { return modules + "/setting/" + file; }

    static void diskFullUnder(const QString &folder)
    {
        qputenv("KAIRO_FULL_DISK_UNDER", folder.toUtf8());
    }
    static const QStringList &faultVariables()
    {
        static const QStringList names = {"KAIRO_FULL_DISK_UNDER", "KAIRO_READ_FAIL_UNDER",
                                          "KAIRO_SYNC_FAIL_UNDER", "KAIRO_READ_ONLY_UNDER"};
        return names;
    }
    static void healDisk()
    {
        for (const QString &name : faultVariables())
            qunsetenv(name.toLatin1());
    }

    // Every file under the folder, with its bytes.
    QHash<QString, QByteArray> snapshot() const
    {
        QHash<QString, QByteArray> files;
        QDirIterator it(modules, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files.insert(path, readFile(path));
        }
        return files;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(qEnvironmentVariable("LD_PRELOAD").contains("full_disk"),
                 "needs the full-disk preload");
        // Scratch copies go to the runtime folder, so it can be made full too.
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    }

    void init()
    {
        healDisk();
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        QVERIFY(dir.isValid());
        modules = testing::freshModules(dir);
        QByteArray profile = "[mouse]\ndpiCount=6\nmouseMode=0\n[mouseKeyMatrix]\n";
        for (int b = 0; b < 16; ++b)
            profile += QByteArray::number(b) + "=0, 0, " + QByteArray::number(0xf0 + b) + ", 0\n";
        for (int i = 1; i <= 10; ++i)
            writeFile(setting(QStringLiteral("p%1.bin").arg(i)),
                      profile + "owner=" + QByteArray::number(i) + "\n");
        writeFile(setting("pD.bin"), profile);
        writeFile(setting("apConfig.bin"), "[mouse]\nprofileNo=0\n");
        writeFile(setting("name.bin"),
                  "[profile]\nprofileName=Standard0, profile_01\n[gun]\ngunName=M416, AKM\n");
        writeFile(modules + "/gun/gunData.bin", "[gunData]\n0=M416, L-Click, 10, 0, 10, 0\n");
        writeFile(modules + "/macro/old.bin", "[config]\ntotal=1\nrepeat=1\n[macro]\n0=1,A\n");
    }

    // The disk (or only the folder of the scratch copies) is full: no save
    // changes a byte on disk, each says it failed, and once there is room
    // again the same saves go through.
    void savesFailWholeAndRecover_data()
    {
        QTest::addColumn<bool>("scratchFull");
        QTest::addColumn<int>("warnings");
        // copy of a profile, one key, the batch, the configuration, the names,
        // the new macro, the macro's actions, the gun edit
        QTest::newRow("settings folder full") << false << 8;
        // the copy needs no scratch and goes through
        QTest::newRow("scratch folder full") << true << 7;
    }

    void savesFailWholeAndRecover()
    {
        QFETCH(bool, scratchFull);
        QFETCH(int, warnings);
        ScriptedDialogs dialogs;
        SettingsStore store(modules, &dialogs);
        MacroLibrary library(store, selection);
        GunTable guns(store);
        QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 6);
        const QHash<QString, QByteArray> before = snapshot();
        diskFullUnder(scratchFull ? runtime.path() : modules);

        if (!scratchFull)
            store.copyProfile(1, 0);
        store.setData("mouse/dpiCount", 3);
        {
            const SettingsStore::Batch batch(store);
            for (int b = 0; b < 16; ++b)
                store.setDataList(QStringLiteral("mouseKeyMatrix/%1").arg(b), {1, 0, 0xf2, 0});
        }
        store.setGlobalData("mouse/profileNo", 1);
        QCOMPARE(library.updataNameList(1, {"M416", "AKM", "NEW"}).toBool(), false);
        QCOMPARE(library.createMacroIni("fresh", 5, 0, 0).toBool(), false);
        QCOMPARE(library.saveMacroIni(0, "old", {"1,B", "2,B"}, 2).toBool(), false);
        guns.modifyGundata(1, {"M4", "L-Click", "12", "0", "30", "0", "M416"});

        QCOMPARE(snapshot(), before);
        QVERIFY(!QFile::exists(modules + "/macro/fresh.bin"));
        // What is read again matches the disk, not the edit that was lost
        // (with no room for scratch copies it can only be re-read later).
        if (!scratchFull) {
            QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 6);
            QCOMPARE(store.getGlobalData("mouse/profileNo").toInt(), 0);
        }
        QCOMPARE(dialogs.warnings.size(), warnings);
        QCOMPARE(QDir(modules + "/setting").entryList(QDir::Files).size(), 13);

        qunsetenv("KAIRO_FULL_DISK_UNDER");
        store.setData("mouse/dpiCount", 3);
        QCOMPARE(library.updataNameList(1, {"M416", "AKM", "NEW"}).toBool(), true);
        QCOMPARE(library.saveMacroIni(0, "old", {"1,B", "2,B"}, 2).toBool(), true);
        QVERIFY(readFile(setting("p1.bin")).contains("dpiCount=3"));
        QVERIFY(readFile(setting("name.bin")).contains("NEW"));
        QCOMPARE(library.loadMacroIni(0, "old"), (QStringList{"1,B", "2,B", "2"}));
        QCOMPARE(dialogs.warnings.size(), warnings);
    }

    // Every kind of save on every kind of broken disk: it says it failed
    // (false, or a warning) and leaves every file as it was. With reads
    // failing, a file that cannot be read whole is never replaced by the edit
    // alone; a new macro needs no read and is made.
    void everySaveFailsWholeOnABrokenDisk_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("needNoRead");
        QTest::newRow("reads fail (EIO)") << "KAIRO_READ_FAIL_UNDER" << QStringList{"new macro"};
        QTest::newRow("sync fails") << "KAIRO_SYNC_FAIL_UNDER" << QStringList{};
        QTest::newRow("disk full") << "KAIRO_FULL_DISK_UNDER" << QStringList{};
        QTest::newRow("read-only") << "KAIRO_READ_ONLY_UNDER" << QStringList{};
    }

    void everySaveFailsWholeOnABrokenDisk()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, needNoRead);
        const QString outside = dir.path() + "/home";
        writeFile(outside + "/mine.pf", readFile(setting("p2.bin")));
        writeFile(outside + "/in.mc", "[config]\ntotal=1\nrepeat=1\n[macro]\n0=1,C\n");
        ScriptedDialogs dialogs;
        selection = MacroSelection();
        const auto broken = [&] { qputenv(fault.toLatin1(), dir.path().toUtf8()); };
        broken();
        // Opened on the broken disk, as by a start while it fails.
        SettingsStore store(modules, &dialogs);
        MacroLibrary library(store, selection);
        GunTable guns(store);
        MacroExchange exchange(store, selection);
        // Each returns what the save reported; those that report nothing, false.
        const QList<QPair<QString, std::function<bool()>>> saves = {
            {"key",
             [&] {
                 store.setData("mouse/dpiCount", 3);
                 return false;
             }},
            {"configuration",
             [&] {
                 store.setGlobalData("mouse/profileNo", 1);
                 return false;
             }},
            {"batch",
             [&] {
                 const SettingsStore::Batch batch(store);
                 store.setDataList("mouseKeyMatrix/1", {1, 0, 0xf2, 0});
                 store.setXYSensitive(0, 7);
                 return false;
             }},
            {"copy profile",
             [&] {
                 store.copyProfile(2, 0);
                 return false;
             }},
            {"reset profile",
             [&] {
                 store.resetProfile(3);
                 return false;
             }},
            {"reset configuration",
             [&] {
                 store.resetApconfig();
                 return false;
             }},
            {"gun names",
             [&] {
                 return library.updataNameList(1, {"M4", "NEW"}).toBool();
             }},
            {"profile names",
             [&] {
                 return library.updataNameList(2, {"a", "b"}).toBool();
             }},
            {"new macro", [&] { return library.createMacroIni("fresh", 1, 0, 0).toBool(); }},
            {"macro actions", [&] { return library.saveMacroIni(0, "old", {"1,B"}, 2).toBool(); }},
            {"gun edit",
             [&] {
                 guns.modifyGundata(1, {"M4", "L-Click", "12", "0", "30", "0", "M416"});
                 return false;
             }},
            {"gun record",
             [&] {
                 guns.mouseSaveGundata("AKM", {"AKM", "R", "1"});
                 return false;
             }},
            {"profile export",
             [&] {
                 dialogs.answers = {outside + "/out.pf"};
                 store.saveProfile(0);
                 return false;
             }},
            {"profile import",
             [&] {
                 dialogs.answers = {outside + "/mine.pf"};
                 return store.loadProfile(4);
             }},
            {"macro import",
             [&] {
                 dialogs.answers = {outside + "/in.mc"};
                 return !exchange.loadMacroFile(-1, 0).isEmpty();
             }},
            {"macro export",
             [&] {
                 dialogs.answers = {outside + "/old.mc"};
                 exchange.saveMacroFile(0, "old");
                 return false;
             }},
        };
        for (const auto &[kind, save] : saves) {
            healDisk();
            const QHash<QString, QByteArray> before = snapshot();
            const qsizetype warned = dialogs.warnings.size();
            broken();
            const bool saved = save();
            healDisk();
            if (needNoRead.contains(kind)) {
                QVERIFY2(saved && dialogs.warnings.size() == warned, qPrintable(kind));
                continue;
            }
            QVERIFY2(dialogs.warnings.size() > warned, qPrintable(kind + " said nothing"));
            QVERIFY2(!saved, qPrintable(kind + " reported success"));
            QVERIFY2(snapshot() == before, qPrintable(kind + " changed the disk"));
        }
        QVERIFY(!QFile::exists(modules + "/macro/in.bin"));
        QVERIFY(!QFile::exists(outside + "/out.pf"));
        QVERIFY(!QFile::exists(outside + "/old.mc"));
    }

    // Without a runtime folder the scratch copies go to a private folder in
    // the user's own cache, not to the shared temporary folder that any
    // local user can fill.
    void scratchCopiesStayOutOfTheSharedTempFolder()
    {
        QTemporaryDir cache;
        QTemporaryDir shared;
        const QByteArray tmp = qgetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
        qputenv("TMPDIR", shared.path().toUtf8());
        const QString folder = kairo::privatefolder::forScratch();
        qputenv("TMPDIR", tmp);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        QCOMPARE(folder, cache.path() + "/kairo");
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0700));
        QCOMPARE(QDir(shared.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    // One action that changes 33 keys replaces the profile once.
    void aBatchWritesEachFileOnce()
    {
        SettingsStore store(modules);
        QFileInfo profile(setting("p1.bin"));
        const auto inode = [&] {
            struct stat st {};
            ::stat(QFile::encodeName(profile.filePath()).constData(), &st);
            return st.st_ino;
        };
        const auto first = inode();
        {
            const SettingsStore::Batch batch(store);
            store.setData("mouse/mouseMode", 1);
            for (int b = 0; b < 16; ++b) {
                store.setDataList(QStringLiteral("mouseKeyMatrix/%1").arg(b), {0, 0, 0xf0 + b, 1});
                store.setDataList(QStringLiteral("mouseKeyMatrix2/%1").arg(b), {0, 0, 0xf0 + b, 2});
            }
            QCOMPARE(inode(), first); // nothing written yet
        }
        QVERIFY(inode() != first);
        const QByteArray written = readFile(profile.filePath());
        QVERIFY(written.contains("mouseMode=1"));
        QCOMPARE(written.count(", 2\n"), qsizetype(16));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFullDisk)
#include "test_settings_fulldisk.moc"

// The macro library: name lists with the placeholder rule, macro files and
// folders at every level, container lists, and profile repair on deletion.

#include "settings/macrolibrary.h"
#include "settings/macroselection.h"
#include "settings/namelists.h"
#include "settings/settingsstore.h"
#include "tests/settings/settingstestsupport.h"

#include <QElapsedTimer>
#include <QtTest>

using testing::readFile;
using testing::writeFile;

class TestSettingsMacroLibrary : public QObject
{
    Q_OBJECT

private:
    // Where the library and the exchange address entries, as in the window.
    MacroSelection selection;
    QTemporaryDir dir;
    QString modules;
    QString macroRoot() const { return modules + "/macro"; }
    QString nameFile() const { return modules + "/setting/name.bin"; }

    QStringList nameValue(const QString &key)
    {
        QSettings file(nameFile(), QSettings::IniFormat);
        return file.value(key).toStringList();
    }
    bool nameHas(const QString &key)
    {
        QSettings file(nameFile(), QSettings::IniFormat);
        return file.contains(key);
    }

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        modules = testing::freshModules(dir);
        selection = MacroSelection();
    }

    void nameListsFollowThePlaceholderRule()
    {
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        QCOMPARE(library.updataNameList(0, {"Alpha"}), QVariant(true));
        QVERIFY(readFile(nameFile()).contains("macroName=Alpha, loaderzumbek"));
        QCOMPARE(library.getNameList(0), QVariantList({"Alpha", "loaderzumbek"}));
        QCOMPARE(kairo::names::withoutPlaceholder({"Alpha", "loaderzumbek"}),
                 QStringList({"Alpha"}));
        QCOMPARE(
            kairo::names::readList(*std::make_unique<QSettings>(nameFile(), QSettings::IniFormat),
                                   "macro/macroName"),
            QStringList({"Alpha"}));

        library.updataNameList(2, {"Standard0", "profile_01"});
        QCOMPARE(library.getNameList(2), QVariantList({"Standard0", "profile_01"}));
        library.updataNameList(1, {"M416", "AKM"});
        library.updataNameList(3, {"0"});
        QCOMPARE(library.getNameList(1), QVariantList({"M416", "AKM"}));
        QCOMPARE(library.getNameList(3), QVariantList({"0", "loaderzumbek"}));

        library.updataNameList(0, {});
        QVERIFY(!nameHas("macro/macroName"));
        QVERIFY(library.getNameList(0).isEmpty());
        // Unknown types read and write nothing.
        QCOMPARE(library.updataNameList(7, {"x", "y"}), QVariant(true));
        QVERIFY(library.getNameList(7).isEmpty());
        QVERIFY(!readFile(nameFile()).contains("x, y"));
    }

    void createSaveLoadAMacroAtTheRoot()
    {
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        QCOMPARE(library.createMacroIni("M", 3, 0, 0), QVariant(true));
        const QString file = macroRoot() + "/M.bin";
        QVERIFY(QFile::exists(file));
        {
            QSettings macro(file, QSettings::IniFormat);
            QCOMPARE(macro.value("config/index").toUInt(), 3u);
            QCOMPARE(macro.value("config/total").toInt(), 0);
            QCOMPARE(macro.value("config/repeat").toInt(), 1);
            QCOMPARE(macro.value("config/did").toInt(), -1);
        }
        QCOMPARE(library.loadMacroIni(0, "M"), QStringList({"1"}));

        const QStringList five = {"1,A", "0,50", "2,A", "3,MS-L", "4,MS-L"};
        QCOMPARE(library.saveMacroIni(0, "M", five, 4), QVariant(true));
        QCOMPARE(library.loadMacroIni(0, "M"), five + QStringList{"4"});
        QCOMPARE(library.saveMacroIni(0, "M", {"1,B", "2,B"}, 2), QVariant(true));
        QSettings macro(file, QSettings::IniFormat);
        macro.beginGroup("macro");
        QCOMPARE(macro.childKeys(), QStringList({"0", "1"}));
        macro.endGroup();
        QCOMPARE(library.loadMacroIni(0, "M"), QStringList({"1,B", "2,B", "2"}));
        // Creating it again resets its header; the old lines stay in the file
        // but no longer count.
        library.createMacroIni("M", 9, 0, 0);
        QCOMPARE(library.loadMacroIni(0, "M"), QStringList({"1"}));
        QVERIFY(readFile(file).contains("1=\"2,B\""));
    }

    void missingMacroFilesAreNotCreated()
    {
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        QCOMPARE(library.saveMacroIni(0, "Ghost", {"1,A"}, 1), QVariant(false));
        QVERIFY(!QFile::exists(macroRoot() + "/Ghost.bin"));
        QVERIFY(library.loadMacroIni(0, "Ghost").isEmpty());
        QCOMPARE(library.deleteMacroIni(0, 0, "Ghost"), QVariant(false));
        QVERIFY(library.loadMacroIni(6, "Ghost").isEmpty());
        QCOMPARE(library.createMacroIni("X", 0, 6, 0), QVariant(false));
        QCOMPARE(library.createMacroIni("X", 0, -1, 0), QVariant(false));
    }

    void everyLevelAddressesItsSelectedFolders()
    {
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        library.setMacroSelectName("A", "B", "C", "D", "E");
        QString folder = macroRoot();
        const char *names[] = {"A", "B", "C", "D", "E"};
        for (int level = 0; level < 5; ++level) {
            QCOMPARE(library.createMacroIni(names[level], 0, level, 1), QVariant(true));
            folder += QStringLiteral("/") + names[level];
            QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
        }
        for (int level = 0; level <= 5; ++level) {
            const QString name = QStringLiteral("m%1").arg(level);
            QCOMPARE(library.createMacroIni(name, level, level, 0), QVariant(true));
            QCOMPARE(library.saveMacroIni(level, name, {QStringLiteral("0,%1").arg(level * 10)}, 1),
                     QVariant(true));
        }
        QVERIFY(QFile::exists(macroRoot() + "/m0.bin"));
        QVERIFY(QFile::exists(macroRoot() + "/A/m1.bin"));
        QVERIFY(QFile::exists(macroRoot() + "/A/B/C/m3.bin"));
        QVERIFY(QFile::exists(macroRoot() + "/A/B/C/D/E/m5.bin"));
        QCOMPARE(library.loadMacroIni(3, "m3"), QStringList({"0,30", "1"}));
        // The same name at another level is another file.
        QVERIFY(library.loadMacroIni(2, "m3").isEmpty());

        QCOMPARE(library.deleteMacroIni(3, 0, "m3"), QVariant(true));
        QVERIFY(!QFile::exists(macroRoot() + "/A/B/C/m3.bin"));
        QVERIFY(QFile::exists(macroRoot() + "/A/B/C/D/m4.bin"));
    }

    void deletingAFolderRemovesItsWholeTree()
    {
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        writeFile(macroRoot() + "/Top/one.bin", "[config]\ntotal=0\n");
        writeFile(macroRoot() + "/Top/Sub/two.bin", "[config]\ntotal=0\n");
        writeFile(macroRoot() + "/Top/Sub/.hidden", "x");
        writeFile(macroRoot() + "/Top/Sub/Deeper/three.bin", "[config]\ntotal=0\n");
        writeFile(macroRoot() + "/Keep/keep.bin", "[config]\ntotal=0\n");
        // A link out of the library is removed, not followed.
        writeFile(dir.path() + "/outside/precious.bin", "keep me");
        QVERIFY(QFile::link(dir.path() + "/outside", macroRoot() + "/Top/link"));

        QCOMPARE(library.deleteMacroIni(0, 1, "Top"), QVariant(true));
        QVERIFY(!QFileInfo::exists(macroRoot() + "/Top"));
        QVERIFY(QFile::exists(macroRoot() + "/Keep/keep.bin"));
        QVERIFY(QFile::exists(dir.path() + "/outside/precious.bin"));
        // A missing folder counts as deleted.
        QCOMPARE(library.deleteMacroIni(0, 1, "Top"), QVariant(true));
    }

    void creatingAnExistingFolderWarnsAndCreatesNothing()
    {
        ScriptedDialogs dialogs;
        SettingsStore store(modules, &dialogs);
        MacroLibrary library(store, selection);
        QCOMPARE(library.createMacroIni("F", 0, 0, 1), QVariant(true));
        QVERIFY(dialogs.warnings.isEmpty());
        writeFile(macroRoot() + "/F/inside.bin", "[config]\ntotal=0\n");
        QCOMPARE(library.createMacroIni("F", 0, 0, 1), QVariant(true));
        QCOMPARE(dialogs.warnings, QStringList({QStringLiteral("Create folder|Duplicate name！")}));
        QVERIFY(QFile::exists(macroRoot() + "/F/inside.bin"));
        // The parent must exist: nothing is created below a missing folder.
        library.setMacroSelectName("Nope", "", "", "", "");
        QCOMPARE(library.createMacroIni("G", 0, 1, 1), QVariant(false));
        QVERIFY(!QFileInfo::exists(macroRoot() + "/Nope"));
    }

    void renamingMacrosAndFolders()
    {
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        library.createMacroIni("Old", 0, 0, 0);
        library.createMacroIni("Taken", 0, 0, 0);
        library.createMacroIni("Dir", 0, 0, 1);
        QCOMPARE(library.modifyMacroNameUpdateProfile(0, 0, "Old", "New"), QVariant(true));
        QVERIFY(QFile::exists(macroRoot() + "/New.bin"));
        QVERIFY(!QFile::exists(macroRoot() + "/Old.bin"));
        QCOMPARE(library.modifyMacroNameUpdateProfile(0, 0, "Old", "Other"), QVariant(false));
        QCOMPARE(library.modifyMacroNameUpdateProfile(0, 0, "New", "Taken"), QVariant(false));
        QVERIFY(QFile::exists(macroRoot() + "/New.bin"));

        writeFile(macroRoot() + "/Dir/m.bin", "[config]\ntotal=0\n");
        QCOMPARE(library.modifyMacroNameUpdateProfile(0, 1, "Dir", "Folder"), QVariant(true));
        QVERIFY(QFile::exists(macroRoot() + "/Folder/m.bin"));
        QCOMPARE(library.modifyMacroNameUpdateProfile(0, 1, "Dir", "X"), QVariant(false));
        QDir().mkdir(macroRoot() + "/Empty");
        QCOMPARE(library.modifyMacroNameUpdateProfile(0, 1, "Folder", "Empty"), QVariant(false));
        QVERIFY(QFile::exists(macroRoot() + "/Folder/m.bin"));

        library.setMacroSelectName("Folder", "", "", "", "");
        QCOMPARE(library.modifyMacroNameUpdateProfile(1, 0, "m", "n"), QVariant(true));
        QVERIFY(QFile::exists(macroRoot() + "/Folder/n.bin"));
    }

    void pathLikeNamesAreRefused()
    {
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        const QStringList bad = {
            "../escape", "a/b", "a\\b", ".", "..", "", QString("nul") + QChar(0) + "x"};
        for (const QString &name : bad) {
            QCOMPARE(library.createMacroIni(name, 0, 0, 0), QVariant(false));
            QCOMPARE(library.createMacroIni(name, 0, 0, 1), QVariant(false));
            QCOMPARE(library.saveMacroIni(0, name, {"1,A"}, 1), QVariant(false));
            QVERIFY(library.loadMacroIni(0, name).isEmpty());
            QCOMPARE(library.deleteMacroIni(0, 1, name), QVariant(false));
        }
        QVERIFY(!QFile::exists(modules + "/escape.bin"));
        QVERIFY(QFileInfo(macroRoot()).isDir()); // ".." or "" never deleted the library
        QCOMPARE(QDir(macroRoot()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 0);

        library.createMacroIni("ok", 0, 0, 0);
        QCOMPARE(library.modifyMacroNameUpdateProfile(0, 0, "ok", "../moved"), QVariant(false));
        QCOMPARE(library.modifyMacroNameUpdateProfile(0, 0, "ok", ".."), QVariant(false));
        QVERIFY(QFile::exists(macroRoot() + "/ok.bin"));
        // A selected folder name that climbs out is refused too.
        library.setMacroSelectName("..", "", "", "", "");
        QCOMPARE(library.createMacroIni("x", 0, 1, 0), QVariant(false));
        QVERIFY(!QFile::exists(modules + "/x.bin"));
        // Unusual but harmless names are kept as given.
        library.setMacroSelectName("", "", "", "", "");
        QCOMPARE(library.createMacroIni("a.b c…", 0, 0, 0), QVariant(true));
        QVERIFY(QFile::exists(macroRoot() + "/a.b c….bin"));
    }

    void lineCountsEndAtTheBound_data()
    {
        QTest::addColumn<qint64>("total");
        QTest::addColumn<int>("expectedLines");
        const int bound = MacroLibrary::maxMacroLines;
        QTest::newRow("as written") << qint64(2) << 2;
        QTest::newRow("at the bound") << qint64(bound) << bound;
        QTest::newRow("one past") << qint64(bound) + 1 << bound;
        QTest::newRow("int max") << qint64(2147483647) << bound;
    }

    void lineCountsEndAtTheBound()
    {
        QFETCH(qint64, total);
        QFETCH(int, expectedLines);
        writeFile(macroRoot() + "/Big.bin",
                  QStringLiteral("[config]\ntotal=%1\nrepeat=3\n[macro]\n0=\"1,A\"\n1=\"2,A\"\n")
                      .arg(total)
                      .toUtf8());
        SettingsStore store(modules);
        QElapsedTimer clock;
        clock.start();
        const QStringList lines = MacroLibrary(store, selection).loadMacroIni(0, "Big");
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(lines.size(), expectedLines + 1);
        QCOMPARE(lines.mid(0, 2), QStringList({"1,A", "2,A"}));
        QCOMPARE(lines.last(), QStringLiteral("3"));
    }

    // What a save stores is what a load reads back: up to the bound, and a
    // save past it is refused, said, and changes nothing.
    void savesKeepTheReadBound_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("at the bound") << MacroLibrary::maxMacroLines;
        QTest::newRow("one past") << MacroLibrary::maxMacroLines + 1;
    }

    void savesKeepTheReadBound()
    {
        QFETCH(int, count);
        ScriptedDialogs dialogs;
        SettingsStore store(modules, &dialogs);
        MacroLibrary library(store, selection);
        QVERIFY(library.createMacroIni("Long", 0, 0, 0).toBool());
        const QByteArray before = readFile(macroRoot() + "/Long.bin");
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines.append(QStringLiteral("%1,A").arg(i % 2 + 1));
        const bool fits = count <= MacroLibrary::maxMacroLines;
        QCOMPARE(library.saveMacroIni(0, "Long", lines, 1).toBool(), fits);
        QCOMPARE(dialogs.warnings.size(), fits ? 0 : 1);
        if (fits)
            QCOMPARE(library.loadMacroIni(0, "Long").mid(0, count), lines);
        else
            QCOMPARE(readFile(macroRoot() + "/Long.bin"), before);
    }

    // A name with an unpaired surrogate is stored under another spelling, so
    // two such names would share one file or group.
    void malformedNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("lone high") << QString("M" + QString(QChar(0xD800)));
        QTest::newRow("other lone high") << QString("M" + QString(QChar(0xD801)));
        QTest::newRow("lone low") << QString("M" + QString(QChar(0xDC00)));
        QTest::newRow("swapped pair") << QString(QString(QChar(0xDC00)) + QChar(0xD800));
    }

    void malformedNamesAreRefused()
    {
        QFETCH(QString, name);
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        library.createMacroIni("ok", 0, 0, 0);
        library.createMacroIni("Dir", 0, 0, 1);
        const QStringList before =
            QDir(macroRoot()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QByteArray names = readFile(nameFile());

        QCOMPARE(library.createMacroIni(name, 0, 0, 0), QVariant(false));
        QCOMPARE(library.createMacroIni(name, 0, 0, 1), QVariant(false));
        QCOMPARE(library.modifyMacroNameUpdateProfile(0, 0, "ok", name), QVariant(false));
        QCOMPARE(library.modifyMacroNameUpdateProfile(0, 1, "Dir", name), QVariant(false));
        library.setMacroSelectName("Dir", name, "", "", "");
        QCOMPARE(library.createMacroIni("x", 0, 2, 0), QVariant(false));
        QCOMPARE(QDir(macroRoot()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(QDir(macroRoot() + "/Dir").isEmpty());

        library.setMacroSelectName("", "", "", "", "");
        QCOMPARE(library.updataMacroList(0, 0, name, {"ok", "Dir", name}, {"0", "1", "1"}, {}, {},
                                         {}, {}, {}, {}, {}, {}),
                 QVariant(false));
        QCOMPARE(library.updataMacroList(2, 0, name, {"ok"}, {"0"}, {}, {}, {}, {}, {}, {}, {}, {}),
                 QVariant(false));
        QCOMPARE(readFile(nameFile()), names);
    }

    void subListsAreReadFromTheConcatenatedGroup()
    {
        writeFile(nameFile(),
                  "[PQR]\nmacroName=r1, r2\nmacroType=0, 1\nno4=-1, -1\n"
                  "[macro]\nmacroType=1, 0\nshowImg=true, false\ntxtMargin=30, 20\nlevel=0, 0\n"
                  "no0=-1, -1\nno4=-1, -1\n"
                  "[General]\nmacroName=bare, entry\n");
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        library.setMacroSelectName("P", "Q", "", "", "");
        library.setMacroLevel(3);
        QCOMPARE(library.getMacroSubList_Att(4, "R").toStringList(), QStringList({"r1", "r2"}));
        QCOMPARE(library.getMacroSubList_Att(0, "R").toStringList(), QStringList({"0", "1"}));
        QCOMPARE(library.getMacroSubList_Att(9, "R").toStringList(), QStringList({"-1", "-1"}));
        QVERIFY(library.getMacroSubList_Att(10, "R").toStringList().isEmpty());
        library.setMacroLevel(1);
        QVERIFY(library.getMacroSubList_Att(4, "R").toStringList().isEmpty());
        library.setMacroLevel(0); // no group: the bare key
        QCOMPARE(library.getMacroSubList_Att(4, "R").toStringList(),
                 QStringList({"bare", "entry"}));

        QCOMPARE(library.getMacroList_Att(0).toStringList(), QStringList({"1", "0"}));
        QCOMPARE(library.getMacroList_Att(1).toStringList(), QStringList({"true", "false"}));
        QCOMPARE(library.getMacroList_Att(2).toStringList(), QStringList({"30", "20"}));
        QCOMPARE(library.getMacroList_Att(8).toStringList(), QStringList({"-1", "-1"}));
        QVERIFY(library.getMacroList_Att(9).toStringList().isEmpty());
    }

    void updataMacroListRewritesOneContainer()
    {
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        library.setMacroSelectName("A", "B", "", "", "");
        const QStringList one = {"x"};
        const QStringList two = {"x", "y"};
        // att 1 at the root: every list written, one-element lists padded.
        library.updataMacroList(1, 0, "", two, {"0", "1"}, {"false", "true"}, {"20", "30"},
                                {"0", "0"}, {"0", "1"}, {"-1", "-1"}, {"-1", "-1"}, {"-1", "-1"},
                                {"-1", "-1"});
        QCOMPARE(nameValue("macro/macroName"), two);
        QCOMPARE(nameValue("macro/txtMargin"), QStringList({"20", "30"}));
        // att 1 at level 2 writes group AB; an empty list removes its key.
        library.updataMacroList(1, 2, "", one, {"0"}, {"false"}, {"40"}, {"2"}, {"0"}, {"0"}, {},
                                {}, {});
        QCOMPARE(nameValue("AB/macroName"), QStringList({"x", "loaderzumbek"}));
        QCOMPARE(nameValue("AB/no1"), QStringList({"0", "loaderzumbek"}));
        QVERIFY(!nameHas("AB/no2"));

        // att 0 first drops the stale group of the named entry (here A + "Gone").
        library.updataMacroList(1, 1, "", two, {}, {}, {}, {}, {}, {}, {}, {}, {});
        writeFile(nameFile(),
                  readFile(nameFile()) + "\n[AGone]\nmacroName=old, stuff\nlevel=2, 2\n");
        library.updataMacroList(0, 2, "Gone", one, {"1"}, {"true"}, {"50"}, {"2"}, {"0"}, {"0"},
                                {"-1"}, {"-1"}, {"-1"});
        QVERIFY(!nameHas("AGone/macroName"));
        QVERIFY(!nameHas("AGone/level"));
        QCOMPARE(nameValue("AB/macroName"), QStringList({"x", "loaderzumbek"}));
        QCOMPARE(nameValue("A/macroName"), two); // other containers untouched

        // att 2 moves folder B's lists (group AB) to A + "C".
        library.updataMacroList(2, 1, "C", two, {"0", "0"}, {}, {}, {}, {}, {}, {}, {}, {});
        QVERIFY(!nameHas("AB/macroName"));
        QVERIFY(!nameHas("AB/no1"));
        QCOMPARE(nameValue("AC/macroName"), two);
        QCOMPARE(nameValue("macro/macroName"), two);

        // Other att values only pad, they write nothing.
        const QByteArray before = readFile(nameFile());
        QCOMPARE(library.updataMacroList(3, 0, "", {"z"}, {}, {}, {}, {}, {}, {}, {}, {}, {}),
                 QVariant(true));
        QCOMPARE(readFile(nameFile()), before);

        library.updataMacroList_delOld("AC");
        QVERIFY(!nameHas("AC/macroName"));
        QVERIFY(!nameHas("AC/macroType"));
    }

    void deletingAMacroRepairsProfilesZeroToFive()
    {
        const QByteArray factory = "[mouseKeyMatrix]\n3=0, 0, 244, 0\n5=5, 0, 1, 0\n";
        testing::writeFile(modules + "/setting/pD.bin", factory);
        for (int p = 1; p <= 10; ++p) {
            testing::writeFile(modules + QStringLiteral("/setting/p%1.bin").arg(p),
                               "[mouseKeyMatrix]\n3=4, 0, 3, 0\n4=4, 1, 4, 0\n5=4, 0\n"
                               "[mouseKeyMatrix2]\n3=4, 0, 3, 0\n"
                               "[mouseMacroKey]\n3=Doomed\n4=Other\n5=Doomed\n");
        }
        testing::writeFile(modules + "/setting/p2.bin",
                           "[mouseKeyMatrix]\n3=0, 0, 240, 0\n[mouseMacroKey]\n3=Doomed\n");
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        library.deleteMacroUpdateProfile("Doomed");
        for (int p = 0; p < 10; ++p) {
            QSettings &profile = store.profile(p);
            const QStringList button3 = profile.value("mouseKeyMatrix/3").toStringList();
            if (p == 1)
                QCOMPARE(button3, QStringList({"0", "0", "240", "0"}));
            else if (p < 6)
                QCOMPARE(button3, QStringList({"0", "0", "244", "0"}));
            else
                QCOMPARE(button3, QStringList({"4", "0", "3", "0"}));
            if (p == 1)
                continue;
            // A macro with another name, a short entry, game mode and the
            // binding names stay as they are.
            QCOMPARE(profile.value("mouseKeyMatrix/4").toStringList(),
                     QStringList({"4", "1", "4", "0"}));
            QCOMPARE(profile.value("mouseKeyMatrix/5").toStringList(), QStringList({"4", "0"}));
            QCOMPARE(profile.value("mouseKeyMatrix2/3").toStringList(),
                     QStringList({"4", "0", "3", "0"}));
            QCOMPARE(profile.value("mouseMacroKey/3").toString(), QStringLiteral("Doomed"));
        }
        QVERIFY(readFile(modules + "/setting/p5.bin").contains("3=0, 0, 244, 0"));
        QVERIFY(readFile(modules + "/setting/p7.bin").contains("3=4, 0, 3, 0"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsMacroLibrary)
#include "test_settings_macrolibrary.moc"

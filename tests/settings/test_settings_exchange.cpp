// Macro import and export through the dialogs, one file or whole trees, and
// the tree walk that clears stale name-list groups.

#include "settings/macroexchange.h"
#include "settings/macrolibrary.h"
#include "settings/macroselection.h"
#include "settings/settingsstore.h"
#include "tests/settings/settingstestsupport.h"

#include <QDirIterator>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using testing::readFile;
using testing::writeFile;

class TestSettingsExchange : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString modules;
    QString outside; // the user's files, away from the library
    ScriptedDialogs dialogs;
    std::unique_ptr<SettingsStore> store;

    QString library(const QString &rel) const { return modules + "/macro/" + rel; }
    // Where the library and the exchange address entries, as in the window.
    MacroSelection shared;
    MacroSelection &selection() { return shared; }

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        modules = testing::freshModules(dir);
        outside = dir.path() + "/home";
        QDir().mkpath(outside + "/Desktop");
        dialogs = ScriptedDialogs();
        dialogs.desktop = outside + "/Desktop";
        store = std::make_unique<SettingsStore>(modules, &dialogs);
        shared = MacroSelection();
    }

    void importingOneMacroAtTheRoot()
    {
        MacroExchange exchange(*store, shared);
        QCOMPARE(exchange.loadMacroFile(-1, 0), QString()); // cancelled
        QCOMPARE(dialogs.captions, QStringList({"Open File"}));
        QCOMPARE(dialogs.filters, QStringList({"Macro(*.mc)"}));
        QCOMPARE(QDir(library("")).entryList(QDir::Files).size(), 0);

        writeFile(outside + "/x.mc", "[config]\ntotal=1\nrepeat=2\n[macro]\n0=\"1,A\"\n");
        dialogs.answers = {outside + "/x.mc"};
        QCOMPARE(exchange.loadMacroFile(-1, 0), QStringLiteral("x"));
        QCOMPARE(readFile(library("x.bin")), readFile(outside + "/x.mc"));
        QCOMPARE(MacroLibrary(*store, shared).loadMacroIni(0, "x"), QStringList({"1,A", "2"}));

        // An existing library macro is never overwritten, the name still returned.
        writeFile(outside + "/x.mc", "[config]\ntotal=0\nrepeat=9\n");
        dialogs.answers = {outside + "/x.mc"};
        QCOMPARE(exchange.loadMacroFile(-1, 0), QStringLiteral("x"));
        QCOMPARE(MacroLibrary(*store, shared).loadMacroIni(0, "x"), QStringList({"1,A", "2"}));
    }

    void importedNamesStopAtTheFirstDot()
    {
        MacroExchange exchange(*store, shared);
        writeFile(outside + "/combo.mc", "[config]\ntotal=0\nrepeat=5\n");
        writeFile(outside + "/combo.v2.mc", "[config]\ntotal=0\nrepeat=7\n");
        dialogs.answers = {outside + "/combo.v2.mc"};
        QCOMPARE(exchange.loadMacroFile(-1, 0), QStringLiteral("combo"));
        QCOMPARE(readFile(library("combo.bin")), readFile(outside + "/combo.mc"));
        QVERIFY(!QFile::exists(library("combo.v2.bin")));
    }

    void importingIntoTheSelectedFolder()
    {
        MacroExchange exchange(*store, shared);
        QDir().mkpath(library("A/B/C/D/E"));
        selection().names = {"A", "B", "C", "D", "E"};
        writeFile(outside + "/m.mc", "[config]\ntotal=0\n");
        const QStringList expected = {"m.bin",       "A/m.bin",       "A/B/m.bin",
                                      "A/B/C/m.bin", "A/B/C/D/m.bin", "A/B/C/D/E/m.bin"};
        for (int level = -1; level <= 4; ++level) {
            dialogs.answers = {outside + "/m.mc"};
            QCOMPARE(exchange.loadMacroFile(level, 1), QStringLiteral("m"));
            QVERIFY2(QFile::exists(library(expected[level + 1])), qPrintable(expected[level + 1]));
        }
        // With nothing (or a macro) selected the level does not matter.
        QFile::remove(library("m.bin"));
        dialogs.answers = {outside + "/m.mc"};
        QCOMPARE(exchange.loadMacroFile(3, 0), QStringLiteral("m"));
        QVERIFY(QFile::exists(library("m.bin")));
        dialogs.answers = {outside + "/m.mc"};
        QCOMPARE(exchange.loadMacroFile(5, 1), QString());
    }

    void pathLikeImportNamesAreRefused()
    {
        MacroExchange exchange(*store, shared);
        writeFile(outside + "/..\\..\\evil.mc", "[config]\ntotal=0\n");
        dialogs.answers = {outside + "/..\\..\\evil.mc"};
        QCOMPARE(exchange.loadMacroFile(-1, 0), QString());
        writeFile(outside + "/.mc", "[config]\ntotal=0\n");
        dialogs.answers = {outside + "/.mc"};
        QCOMPARE(exchange.loadMacroFile(-1, 0), QString());
        QCOMPARE(QDir(modules).entryList(QDir::Files).size(), 0);
        QCOMPARE(QDir(library("")).entryList(QDir::Files).size(), 0);
    }

    // A chosen file is taken only when it is a regular file (after links) of
    // at most 1 MiB, and a profile only when it holds a profile's groups;
    // anything else is refused with a message, without blocking on a FIFO,
    // and leaves the library and the profiles as they were.
    void importsTakeOnlyWhatFits_data()
    {
        QTest::addColumn<bool>("isProfile");
        QTest::addColumn<QString>("file"); // under outside
        QTest::addColumn<QString>("said"); // part of the warning; empty: accepted
        const QString notAFile = "only a regular file of at most 1 MiB";
        for (const bool isProfile : {true, false}) {
            const QString ext = isProfile ? ".pf" : ".mc";
            const char *kind = isProfile ? "profile" : "macro";
            QTest::addRow("%s: FIFO", kind) << isProfile << "fifo" + ext << notAFile;
            QTest::addRow("%s: link to /dev/zero", kind) << isProfile << "zero" + ext << notAFile;
            QTest::addRow("%s: 100 MB", kind) << isProfile << "big" + ext << notAFile;
            QTest::addRow("%s: fits", kind) << isProfile << "good" + ext << "";
        }
        QTest::newRow("profile: random bytes") << true << "random.pf"
                                               << "not a Kairo profile";
        QTest::newRow("profile: empty") << true << "empty.pf"
                                        << "not a Kairo profile";
        QTest::newRow("profile: foreign groups") << true << "foreign.pf"
                                                 << "not a Kairo profile";
        QTest::newRow("macro: 252-byte name") << false << QString(252, 'n') + ".mc"
                                              << "cannot be used as a name";
        QTest::newRow("macro: name not UTF-8") << false << "not-utf8.mc"
                                               << "could not be imported";
    }

    void importsTakeOnlyWhatFits()
    {
        QFETCH(bool, isProfile);
        QFETCH(QString, file);
        QFETCH(QString, said);
        // One name is not UTF-8, which only a file system can hold; the
        // dialog hands it over as Qt decodes it.
        const QByteArray native =
            QFile::encodeName(outside + "/")
            + (file == "not-utf8.mc" ? QByteArray("\xff\xfe.mc") : QFile::encodeName(file));
        const QString path = QFile::decodeName(native);
        if (file.startsWith("fifo"))
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        else if (file.startsWith("zero"))
            QVERIFY(QFile::link("/dev/zero", path));
        else if (file.startsWith("big"))
            QVERIFY(QFile(path).open(QIODevice::WriteOnly) && QFile(path).resize(100 << 20));
        else if (file.startsWith("random"))
            writeFile(path, QByteArray(4096, 0).replace(0, 8, "\x01\x9a[=]\n\x7f\x00"));
        else if (file.startsWith("empty"))
            writeFile(path, "");
        else if (file.startsWith("foreign"))
            writeFile(path, "[mouse]\ndpiCount=6\n[Paths]\nhome=/\n");
        else if (file.startsWith("good"))
            writeFile(path, isProfile ? "[mouse]\ndpiCount=6\n" : "[config]\ntotal=0\n");
        else
            QVERIFY(::close(::open(native.constData(), O_WRONLY | O_CREAT, 0600)) == 0);
        writeFile(modules + "/setting/p2.bin", "[mouse]\ndpiCount=2\n");
        const auto everything = [this] {
            QHash<QString, QByteArray> files;
            QDirIterator it(modules, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString next = it.next();
                files.insert(next, readFile(next));
            }
            return files;
        };
        const QHash<QString, QByteArray> before = everything();
        dialogs.answers = {path};
        const bool taken = isProfile
                               ? store->loadProfile(1)
                               : !MacroExchange(*store, shared).loadMacroFile(-1, 0).isEmpty();
        QCOMPARE(taken, said.isEmpty());
        if (taken) {
            QCOMPARE(dialogs.warnings, QStringList());
            return;
        }
        QCOMPARE(dialogs.warnings.size(), 1);
        QVERIFY2(dialogs.warnings[0].contains(said), qPrintable(dialogs.warnings[0]));
        QCOMPARE(everything(), before);
    }

    void exportingOneMacro()
    {
        MacroExchange exchange(*store, shared);
        writeFile(library("F/M.bin"), "[config]\ntotal=0\nrepeat=3\n");
        selection().names[0] = "F";
        const QString target = outside + "/M.mc";
        exchange.saveMacroFile(1, "M"); // cancelled
        QVERIFY(!QFile::exists(target));
        QCOMPARE(dialogs.captions, QStringList({"Save File"}));
        QCOMPARE(dialogs.filters, QStringList({"Macro(*.mc)"}));

        writeFile(target, "something older and a good deal longer than the macro");
        dialogs.answers = {target};
        exchange.saveMacroFile(1, "M");
        QCOMPARE(readFile(target), readFile(library("F/M.bin")));

        // A macro that is not there leaves the chosen file as it was.
        dialogs.answers = {target};
        exchange.saveMacroFile(1, "Nope");
        QCOMPARE(readFile(target), readFile(library("F/M.bin")));
    }

    void batchExportCopiesOneContainerAtATime()
    {
        MacroExchange exchange(*store, shared);
        writeFile(library("Top/M.bin"), "[config]\ntotal=0\nrepeat=1\n");
        writeFile(library("Top/F/N.bin"), "[config]\ntotal=0\nrepeat=2\n");
        const QString chosen = outside + "/export";
        QDir().mkpath(chosen);

        // Without a target nothing is written.
        exchange.saveMacroFile_batch(0, {"Top"}, {1});
        QVERIFY(!QFileInfo::exists(chosen + "/Macro"));

        dialogs.answers = {chosen};
        exchange.getbatchPath();
        QCOMPARE(dialogs.captions, QStringList({"Save File"}));
        QVERIFY(QFileInfo(chosen + "/Macro").isDir());
        exchange.saveMacroFile_batch(0, {"Top"}, {1});
        selection().names[0] = "Top";
        exchange.saveMacroFile_batch(1, {"M", "F", "odd"}, {0, 1, 7});
        selection().names[1] = "F";
        exchange.saveMacroFile_batch(2, {"N", "../../../escape"}, {0, 0});
        QCOMPARE(readFile(chosen + "/Macro/Top/M.mc"), readFile(library("Top/M.bin")));
        QVERIFY(QFileInfo(chosen + "/Macro/Top/F").isDir());
        QCOMPARE(readFile(chosen + "/Macro/Top/F/N.mc"), readFile(library("Top/F/N.bin")));
        QVERIFY(!QFileInfo::exists(chosen + "/Macro/Top/odd"));
        QVERIFY(!QFileInfo::exists(outside + "/escape.mc"));

        // Exporting again replaces the earlier copy.
        writeFile(library("Top/M.bin"), "[config]\ntotal=0\nrepeat=42\n");
        exchange.saveMacroFile_batch(1, {"M"}, {0});
        QCOMPARE(readFile(chosen + "/Macro/Top/M.mc"), readFile(library("Top/M.bin")));
        // Names without types are skipped.
        exchange.saveMacroFile_batch(1, {"M", "F2"}, {0});
        QVERIFY(!QFileInfo::exists(chosen + "/Macro/Top/F2"));

        // Cancelling the next directory choice stops the export steps that follow.
        exchange.getbatchPath();
        writeFile(library("Top/M.bin"), "[config]\ntotal=0\nrepeat=43\n");
        exchange.saveMacroFile_batch(1, {"M"}, {0});
        QVERIFY(readFile(chosen + "/Macro/Top/M.mc").contains("repeat=42"));
    }

    void batchImportRefusesTheDesktopAndCancels()
    {
        MacroExchange exchange(*store, shared);
        QCOMPARE(exchange.loadMacroFile_batch(), QString());
        QCOMPARE(dialogs.captions, QStringList({"Open Directory"}));
        dialogs.answers = {outside + "/Desktop"};
        writeFile(outside + "/Desktop/d.mc", "[config]\ntotal=0\n");
        QCOMPARE(exchange.loadMacroFile_batch(), QString());
        exchange.loadMacroFile_sub_batch();
        // A desktop under another name (the desktop location itself) as well.
        dialogs.desktop = outside + "/Schreibtisch";
        QDir().mkpath(dialogs.desktop);
        dialogs.answers = {dialogs.desktop};
        QCOMPARE(exchange.loadMacroFile_batch(), QString());
        exchange.loadMacroFile_sub_batch();
        QCOMPARE(QDir(library("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 0);
        QVERIFY(exchange.getMacroFileName_batch(1, 0).isEmpty());
    }

    void batchImportCopiesTheTreeAndRecordsTheNames()
    {
        MacroExchange exchange(*store, shared);
        const QString source = outside + "/Pack";
        writeFile(source + "/a.mc", "[config]\nrepeat=1\n");
        writeFile(source + "/b.mc", "[config]\nrepeat=2\n");
        writeFile(source + "/notes.txt", "not a macro");
        writeFile(source + "/S1/c.mc", "[config]\nrepeat=3\n");
        writeFile(source + "/S1/S2/S3/S4/d.mc", "[config]\nrepeat=4\n");
        writeFile(source + "/S1/S2/S3/S4/S5/e.mc", "[config]\nrepeat=5\n");
        // Too deep: folders at the fifth depth are not taken.
        writeFile(source + "/S1/S2/S3/S4/S5/f.mc", "[config]\nrepeat=6\n");
        writeFile(library("Pack/a.bin"), "[config]\nrepeat=99\n"); // already there

        dialogs.answers = {source};
        QCOMPARE(exchange.loadMacroFile_batch(), QStringLiteral("Pack"));
        QVERIFY(QFileInfo(library("Pack")).isDir());
        exchange.loadMacroFile_sub_batch();

        QCOMPARE(exchange.getMacroFileName_batch(1, 0), QStringList({"a", "b"}));
        QCOMPARE(exchange.getMacroFileName_batch(1, 1), QStringList({"S1"}));
        QCOMPARE(exchange.getMacroFileName_batch(2, 0), QStringList({"c"}));
        QCOMPARE(exchange.getMacroFileName_batch(2, 1), QStringList({"S2"}));
        QCOMPARE(exchange.getMacroFileName_batch(4, 1), QStringList({"S4"}));
        QCOMPARE(exchange.getMacroFileName_batch(5, 0), QStringList({"d"}));
        QVERIFY(exchange.getMacroFileName_batch(5, 1).isEmpty());
        QVERIFY(exchange.getMacroFileName_batch(0, 0).isEmpty());
        QVERIFY(exchange.getMacroFileName_batch(6, 0).isEmpty());

        QVERIFY(readFile(library("Pack/a.bin")).contains("repeat=99"));
        QCOMPARE(readFile(library("Pack/b.bin")), readFile(source + "/b.mc"));
        QCOMPARE(readFile(library("Pack/S1/c.bin")), readFile(source + "/S1/c.mc"));
        QCOMPARE(readFile(library("Pack/S1/S2/S3/S4/d.bin")),
                 readFile(source + "/S1/S2/S3/S4/d.mc"));
        QVERIFY(!QFileInfo::exists(library("Pack/S1/S2/S3/S4/S5")));
        QVERIFY(!QFile::exists(library("Pack/notes.bin")));

        // Without a new directory choice a second walk does nothing.
        dialogs.answers = {};
        QCOMPARE(exchange.loadMacroFile_batch(), QString());
        exchange.loadMacroFile_sub_batch();
        QCOMPARE(exchange.getMacroFileName_batch(1, 0), QStringList({"a", "b"}));
    }

    // A link could pull any folder of the system, or any file, into the
    // library; links are left where they are and named in the result.
    void batchImportSkipsLinks()
    {
        MacroExchange exchange(*store, shared);
        const QString source = outside + "/Pack";
        const QString elsewhere = outside + "/Elsewhere";
        writeFile(elsewhere + "/secret.mc", "[config]\nrepeat=9\n");
        writeFile(elsewhere + "/Deep/deeper.mc", "[config]\nrepeat=8\n");
        writeFile(source + "/real.mc", "[config]\nrepeat=1\n");
        writeFile(source + "/Sub/inner.mc", "[config]\nrepeat=2\n");
        QVERIFY(QFile::link(elsewhere, source + "/Linked"));
        QVERIFY(QFile::link(elsewhere + "/secret.mc", source + "/secret.mc"));
        QVERIFY(QFile::link(elsewhere + "/secret.mc", source + "/Sub/shortcut.mc"));

        dialogs.answers = {source};
        QCOMPARE(exchange.loadMacroFile_batch(), QStringLiteral("Pack"));
        exchange.loadMacroFile_sub_batch();

        QCOMPARE(exchange.getMacroFileName_batch(1, 0), QStringList({"real"}));
        QCOMPARE(exchange.getMacroFileName_batch(1, 1), QStringList({"Sub"}));
        QCOMPARE(exchange.getMacroFileName_batch(2, 0), QStringList({"inner"}));
        QVERIFY(exchange.getMacroFileName_batch(2, 1).isEmpty());
        QStringList skipped = exchange.skippedLinks();
        skipped.sort();
        QCOMPARE(skipped, QStringList({"Linked", "Sub/shortcut.mc", "secret.mc"}));
        QStringList copied;
        QDirIterator it(library("Pack"), QDir::AllEntries | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            copied << QDir(library("Pack")).relativeFilePath(it.next());
        copied.sort();
        QCOMPARE(copied, QStringList({"Sub", "Sub/inner.bin", "real.bin"}));
    }

    void upperCaseExtensionsAreImportedToo()
    {
        MacroExchange exchange(*store, shared);
        writeFile(outside + "/LOUD.MC", "[config]\ntotal=0\nrepeat=6\n");
        dialogs.answers = {outside + "/LOUD.MC"};
        QCOMPARE(exchange.loadMacroFile(-1, 0), QStringLiteral("LOUD"));
        QCOMPARE(readFile(library("LOUD.bin")), QByteArray("[config]\ntotal=0\nrepeat=6\n"));

        const QString source = outside + "/Mixed";
        writeFile(source + "/Up.MC", "[config]\nrepeat=7\n");
        writeFile(source + "/Sub/down.Mc", "[config]\nrepeat=8\n");
        dialogs.answers = {source};
        QCOMPARE(exchange.loadMacroFile_batch(), QStringLiteral("Mixed"));
        exchange.loadMacroFile_sub_batch();
        QCOMPARE(exchange.getMacroFileName_batch(1, 0), QStringList({"Up"}));
        QCOMPARE(exchange.getMacroFileName_batch(2, 0), QStringList({"down"}));
        QCOMPARE(readFile(library("Mixed/Up.bin")), QByteArray("[config]\nrepeat=7\n"));
        QCOMPARE(readFile(library("Mixed/Sub/down.bin")), QByteArray("[config]\nrepeat=8\n"));
    }

    void treeWalkClearsGroupsFromTheDeleteLevelDown()
    {
        MacroExchange exchange(*store, shared);
        QDir().mkpath(library("A/B/C/D"));
        writeFile(library("A/top.bin"), "[config]\n");
        writeFile(library("A/B/C/deep.v1.bin"), "[config]\n");
        QByteArray groups;
        for (const char *group : {"A", "AB", "ABC", "ABCD", "Other"})
            groups += QByteArray("[") + group + "]\nmacroName=x, y\nno4=-1, -1\n";
        const QString nameFile = modules + "/setting/name.bin";
        writeFile(nameFile, groups);

        exchange.searchMacroFile_sub_batch("A", 0, 2);
        QSettings names(nameFile, QSettings::IniFormat);
        QVERIFY(names.contains("A/macroName"));
        QVERIFY(names.contains("AB/macroName"));
        QVERIFY(!names.contains("ABC/macroName"));
        QVERIFY(!names.contains("ABC/no4"));
        QVERIFY(!names.contains("ABCD/macroName"));
        QVERIFY(names.contains("Other/macroName"));
        QCOMPARE(exchange.getMacroFileName_batch(1, 0), QStringList({"top"}));
        QCOMPARE(exchange.getMacroFileName_batch(1, 1), QStringList({"B"}));
        QCOMPARE(exchange.getMacroFileName_batch(3, 0), QStringList({"deep.v1"}));
        QCOMPARE(exchange.getMacroFileName_batch(3, 1), QStringList({"D"}));
        // The walk copies nothing and leaves the tree alone.
        QVERIFY(QFileInfo(library("A/B/C/D")).isDir());

        writeFile(nameFile, groups);
        exchange.searchMacroFile_sub_batch("A", 0, 5);
        QSettings again(nameFile, QSettings::IniFormat);
        QVERIFY(again.contains("ABCD/macroName"));

        writeFile(nameFile, groups);
        exchange.searchMacroFile_sub_batch("A", 0, 0);
        QSettings all(nameFile, QSettings::IniFormat);
        QCOMPARE(all.childGroups(), QStringList({"Other"}));
    }
};

QTEST_GUILESS_MAIN(TestSettingsExchange)
#include "test_settings_exchange.moc"

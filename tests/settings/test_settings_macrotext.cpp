// Macro lines written in a file as escapes of single UTF-16 units: the macro
// editor shows what loadMacroIni read, and after a save it shows what the
// saved file reads as, which must be the same text.

#include "settings/macrolibrary.h"
#include "settings/macroselection.h"
#include "settings/settingsstore.h"
#include "tests/settings/settingstestsupport.h"

#include <QtTest>

class TestSettingsMacroText : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString modules;

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        modules = testing::freshModules(dir);
    }

    void savedLinesReadAsTheyWereRead_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("repeat");
        QTest::addColumn<QString>("shown");
        const QString replacement(QChar::ReplacementCharacter);
        QTest::newRow("low half alone")
            << QByteArray("\"\\xde00\"") << QByteArray("1") << replacement;
        QTest::newRow("high half at the end")
            << QByteArray("\"1,\\xd83d\"") << QByteArray("1") << QStringLiteral("1,") + replacement;
        QTest::newRow("high half inside")
            << QByteArray("\"\\xd83dz\"") << QByteArray("1") << replacement + QStringLiteral("z");
        QTest::newRow("halves swapped")
            << QByteArray("\"\\xde00\\xd83d\"") << QByteArray("1") << replacement + replacement;
        QTest::newRow("pair") << QByteArray("\"\\xd83d\\xde00\"") << QByteArray("1")
                              << QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("repeat with a half")
            << QByteArray("\"1,A\"") << QByteArray("\"\\xd800\"") << QStringLiteral("1,A");
    }

    void savedLinesReadAsTheyWereRead()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, repeat);
        QFETCH(QString, shown);
        testing::writeFile(modules + "/macro/M.bin",
                           "[config]\ntotal=1\nrepeat=" + repeat + "\n\n[macro]\n0=" + line + "\n");
        SettingsStore store(modules);
        MacroSelection selection;
        MacroLibrary library(store, selection);

        const QStringList read = library.loadMacroIni(0, "M");
        QCOMPARE(read.size(), 2);
        QVERIFY(library.createMacroIni("Saved", 1, 0, 0).toBool());
        QVERIFY(library.saveMacroIni(0, "Saved", {read.first()}, read.last()).toBool());
        QCOMPARE(library.loadMacroIni(0, "Saved"), read);
        QCOMPARE(read.first(), shown);
    }
};

QTEST_GUILESS_MAIN(TestSettingsMacroText)
#include "test_settings_macrotext.moc"

// Files written by the earlier Windows releases (Qt 4's INI writer: CRLF,
// [General], \xNNNN escapes, %U-encoded keys, quoted values with commas,
// @Invalid()) read the same through every reader.

#include "settings/dpiswitchtexts.h"
#include "settings/guntable.h"
#include "settings/languagestrings.h"
#include "settings/macrolibrary.h"
#include "settings/macroselection.h"
#include "settings/settingsstore.h"
#include "tests/settings/settingstestsupport.h"

#include <QtTest>

class TestSettingsQt4Compat : public QObject
{
    Q_OBJECT

private:
    // Where the library and the exchange address entries, as in the window.
    MacroSelection selection;
    QTemporaryDir dir;
    QString modules;

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        QDir(dir.path()).removeRecursively();
        modules = dir.path() + "/modules";
        QVERIFY(testing::copyTree(QStringLiteral(KAIRO_QT4_FIXTURE "/modules"), modules));
        QVERIFY(testing::readFile(modules + "/setting/name.bin").contains("\r\n"));
        selection = MacroSelection();
    }

    void configurationAndModelFlags()
    {
        SettingsStore store(modules);
        QCOMPARE(store.icType(), QStringLiteral("560"));
        QVERIFY(store.isColorful());
        QVERIFY(!store.isGun());
        QVERIFY(!store.is55328());
        QCOMPARE(store.getGlobalData("common/name").toString(),
                 QStringLiteral("ZENDRA KAIRO MOUSE K1"));
        QCOMPARE(store.getGlobalData("common/language").toString(), QStringLiteral("German"));
        QCOMPARE(store.getGlobalData("common/deviceCount").toInt(), 2);
        QCOMPARE(store.getGlobalData("mouse/selectGun").toStringList(),
                 QStringList({"0", "1", "2"}));
        QCOMPARE(store.getGlobalData("note").toString(), QStringLiteral("first, second"));
        QCOMPARE(store.getGlobalData("0/isEncode").toBool(), true);
        QCOMPARE(store.getGlobalData("0/reportLength").toInt(), 64);
    }

    void profilesWithEscapedNames()
    {
        SettingsStore store(modules);
        store.setCurrentProfile(1);
        QCOMPARE(store.getData("mouseMacroKey/3", false).toString(), QStringLiteral("快速连点"));
        QCOMPARE(store.getData("mouseMacroKey/4", false).toString(),
                 QStringLiteral("Schnellfeuer für Grüße"));
        QCOMPARE(store.getData("mouseMacroKey2/3", false).toString(),
                 QStringLiteral("Angriff, schnell"));
        QCOMPARE(store.getDataList("mouse/dpiValueArray", false).size(), 8);
        QCOMPARE(store.getDataList("mouse/dpiColorArray", false).first().toString(),
                 QStringLiteral("#ff0000"));
        QCOMPARE(store.getDataList("mouseLight/lightName", false),
                 QVariantList({QStringLiteral("Glühen"), QStringLiteral("loaderzumbek")}));
        QVERIFY(store.getDataList("mouse/dpiEnableArray", false).isEmpty());
        QVERIFY(store.getDataList("empty", false).isEmpty());
        QCOMPARE(store.getXYSensitive(0).toInt(), 6);
        QCOMPARE(store.getXYSensitive(1).toInt(), 4);
        QCOMPARE(store.getselectGun(0).toString(), QStringLiteral("沙漠之鹰"));
        QCOMPARE(store.getData("mouse/dpiCount", true).toInt(), 8);
        QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 6);
    }

    void nameListsAndFolderGroups()
    {
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        QCOMPARE(library.getNameList(0),
                 QVariantList({QStringLiteral("我的宏"), QStringLiteral("Blöcke"),
                               QStringLiteral("Eins, zwei")}));
        QCOMPARE(library.getNameList(1),
                 QVariantList({"M416", QStringLiteral("沙漠之鹰"), QStringLiteral("Gewähr 3")}));
        QCOMPARE(library.getNameList(2),
                 QVariantList({"Standard0", QStringLiteral("办公1"), QStringLiteral("Büro2")}));
        QCOMPARE(library.getMacroList_Att(1).toStringList(),
                 QStringList({"true", "true", "false"}));

        library.setMacroLevel(1);
        QCOMPARE(library.getMacroSubList_Att(4, QStringLiteral("我的宏")).toStringList(),
                 QStringList({QStringLiteral("连击"), "loaderzumbek"}));
        QCOMPARE(library.getMacroSubList_Att(2, QStringLiteral("我的宏")).toStringList(),
                 QStringList({"40", "loaderzumbek"}));
        QCOMPARE(library.getMacroSubList_Att(4, QStringLiteral("Blöcke")).toStringList(),
                 QStringList({QStringLiteral("Ärger"), "Makro 1"}));
        library.setMacroSelectName(QStringLiteral("Blöcke"), "", "", "", "");
        library.setMacroLevel(2);
        QCOMPARE(library.getMacroSubList_Att(4, QStringLiteral("Ärger")).toStringList(),
                 QStringList({"Tiefe", "loaderzumbek"}));
    }

    void macroFilesInNamedFolders()
    {
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        library.setMacroSelectName(QStringLiteral("我的宏"), "", "", "", "");
        QCOMPARE(library.loadMacroIni(1, QStringLiteral("连击")),
                 QStringList({"1,A", "0,50", QStringLiteral("2,►"), "3"}));
        library.setMacroSelectName(QStringLiteral("Blöcke"), QStringLiteral("Ärger"), "", "", "");
        QCOMPARE(library.loadMacroIni(2, "Tiefe"), QStringList({"3,MS-L", "1"}));
        // A rewrite keeps the file readable and the names intact.
        QCOMPARE(library.saveMacroIni(2, "Tiefe", {"1,Ä", "0,10"}, 2), QVariant(true));
        QCOMPARE(library.loadMacroIni(2, "Tiefe"),
                 QStringList({QStringLiteral("1,Ä"), "0,10", "2"}));
    }

    void gunTableWithEncodedNameKeys()
    {
        SettingsStore store(modules);
        GunTable guns(store);
        QCOMPARE(guns.getGunData(1),
                 QVariantList({QStringLiteral("沙漠之鹰"), "L-Click", "9", "0", "7", "0"}));
        QCOMPARE(guns.getGunData(QStringLiteral("沙漠之鹰")),
                 QVariantList({"L-Click", "9", "0", "5", "0"}));
        QCOMPARE(guns.getGunData(QStringLiteral("Gewähr 3")),
                 QVariantList({"L-Click", "8", "1", "2", "3"}));
        QStringList keys = guns.getGunDataKey();
        keys.sort();
        QStringList expected = {"0", "1", QStringLiteral("沙漠之鹰"), QStringLiteral("Gewähr 3")};
        expected.sort();
        QCOMPARE(keys, expected);
        // Renaming an encoded key removes exactly that key.
        guns.modifyGundata(1, {"Adler", "L-Click", 9, 0, 5, 0, QStringLiteral("沙漠之鹰")});
        QVERIFY(guns.getGunData(QStringLiteral("沙漠之鹰")).isEmpty());
        QCOMPARE(guns.getGunData("Adler").size(), 5);
        QCOMPARE(guns.getGunData(QStringLiteral("Gewähr 3")).size(), 5);
    }

    void languageFilesInUtf8()
    {
        SettingsStore store(modules);
        LanguageStrings languages(store);
        QCOMPARE(languages.getLangStrings("profile", "German"),
                 QStringList({"Konfiguration", "Neu", "Importieren", QStringLiteral("Löschen"),
                              "Exportieren"}));
        QCOMPARE(
            languages.getLangStrings("profile", "ChineseSimplified"),
            QStringList({QStringLiteral("配置"), QStringLiteral("新建"), QStringLiteral("导入"),
                         QStringLiteral("删除"), QStringLiteral("导出")}));
        languages.getLangStrings("other", "German");
        QCOMPARE(dpiSwitchTexts()[0], QStringLiteral("DPI umgeschaltet auf"));
        QCOMPARE(dpiSwitchTexts()[7], QStringLiteral("Höchste Stufe:"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsQt4Compat)
#include "test_settings_qt4compat.moc"

// The data shipped beside the program: every file opens through the stores,
// holds every key the program and its pages read, and agrees with itself.

#include "settings/guntable.h"
#include "settings/macrolibrary.h"
#include "settings/macroselection.h"
#include "settings/namelists.h"
#include "settings/settingsstore.h"
#include "tests/settings/settingstestsupport.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

QList<int> numbers(const QVariantList &list, bool *allNumbers)
{
    QList<int> result;
    *allNumbers = true;
    for (const QVariant &value : list) {
        bool ok = false;
        result.append(value.toString().toInt(&ok));
        *allNumbers = *allNumbers && ok;
    }
    return result;
}

} // namespace

class TestSettingsShipped : public QObject
{
    Q_OBJECT

private:
    // Where the library and the exchange address entries, as in the window.
    MacroSelection selection;
    QTemporaryDir dir;
    QString modules;

    QList<int> intList(SettingsStore &store, const QString &key, int expectedSize)
    {
        const QVariantList list = store.getDataList(key, false);
        bool allNumbers = false;
        const QList<int> values = numbers(list, &allNumbers);
        if (list.size() != expectedSize || !allNumbers)
            qWarning() << key << list;
        return list.size() == expectedSize && allNumbers ? values : QList<int>();
    }
    int intValue(QSettings &settings, const QString &key)
    {
        bool ok = false;
        const int value = settings.value(key).toString().toInt(&ok);
        if (!ok)
            qWarning() << "not a number:" << key << settings.value(key);
        return ok ? value : -999;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        modules = dir.path() + "/modules";
        QVERIFY(testing::copyTree(QStringLiteral(KAIRO_SOURCE_MODULES "/setting"),
                                  modules + "/setting"));
        QVERIFY(testing::copyTree(QStringLiteral(KAIRO_SOURCE_MODULES "/gun"), modules + "/gun"));
        QVERIFY(
            testing::copyTree(QStringLiteral(KAIRO_SOURCE_MODULES "/macro"), modules + "/macro"));
    }

    void applicationConfiguration()
    {
        const QString setting = modules + "/setting/";
        QCOMPARE(testing::readFile(setting + "apConfig.bin"),
                 testing::readFile(setting + "apConfigD.bin"));
        SettingsStore store(modules);
        QSettings &config = store.config();
        QCOMPARE(config.status(), QSettings::NoError);
        QCOMPARE(store.getGlobalData("common/name").toString(),
                 QStringLiteral("ZENDRA KAIRO MOUSE K1"));
        QCOMPARE(intValue(config, "common/deviceCount"), 1);
        for (const char *key : {"type", "vid", "pid", "usagePage", "usage", "usagePage2", "usage2",
                                "reportLength", "isEncode", "sCode"})
            QVERIFY2(config.contains(QStringLiteral("0/") + key), key);
        QVERIFY(!config.contains("1/vid"));
        QCOMPARE(config.value("0/sCode").toString().size(), 6);
        QCOMPARE(intValue(config, "0/reportLength"), 32);

        for (const char *key : {"isColorful", "isGun", "icType", "is55328", "keyCount", "minDPI",
                                "maxDPI", "sensorType", "dpiBase", "profileNo", "selectGun"})
            QVERIFY2(config.contains(QStringLiteral("mouse/") + key), key);
        QCOMPARE(store.icType(), QStringLiteral("553"));
        QCOMPARE(store.isColorful(), config.value("mouse/isColorful").toBool());
        QCOMPARE(store.isGun(), config.value("mouse/isGun").toBool());
        const int keyCount = intValue(config, "mouse/keyCount");
        QVERIFY(keyCount >= 1 && keyCount <= 16);
        const int minDpi = intValue(config, "mouse/minDPI");
        const int maxDpi = intValue(config, "mouse/maxDPI");
        const int dpiBase = intValue(config, "mouse/dpiBase");
        QVERIFY(minDpi > 0 && minDpi < maxDpi && dpiBase > 0);
        QCOMPARE(minDpi % dpiBase, 0);
        QCOMPARE(maxDpi % dpiBase, 0);
        QVERIFY(!config.value("mouse/sensorType").toString().isEmpty());
        QCOMPARE(store.getGlobalData("common/language").toString(), QStringLiteral("English"));
        QCOMPARE(intValue(config, "mouse/profileNo"), 0);
        QCOMPARE(config.value("mouse/selectGun").toStringList(), QStringList({"0", "1", "2"}));
    }

    void factoryAndHostProfiles()
    {
        const QString setting = modules + "/setting/";
        const QByteArray factory = testing::readFile(setting + "pD.bin");
        QVERIFY(!factory.isEmpty());
        for (int i = 1; i <= 10; ++i)
            QVERIFY2(testing::readFile(setting + QStringLiteral("p%1.bin").arg(i)) == factory,
                     qPrintable(QStringLiteral("p%1.bin").arg(i)));

        SettingsStore store(modules);
        QSettings &config = store.config();
        const int minDpi = intValue(config, "mouse/minDPI");
        const int maxDpi = intValue(config, "mouse/maxDPI");
        const int dpiBase = intValue(config, "mouse/dpiBase");
        QSettings &profile = store.currentProfile();

        for (const char *group : {"mouseKeyMatrix/", "mouseKeyMatrix2/", "mouseFwKeyMatrix/"}) {
            for (int b = 0; b < 16; ++b) {
                const QList<int> record = intList(store, group + QString::number(b), 4);
                QVERIFY2(record.size() == 4, group);
                for (int byte : record)
                    QVERIFY(byte >= 0 && byte <= 255);
            }
        }
        // The office and game assignments are the pages' built-in codes.
        const QList<QList<int>> office = {{0, 0, 0xF0, 0}, {0, 0, 0xF1, 0},   {0, 0, 0xF2, 0},
                                          {0, 0, 0xF4, 0}, {0, 0, 0xF3, 0},   {5, 0, 1, 0},
                                          {5, 0, 2, 0},    {0, 0xF0, 0x1E, 2}};
        for (int b = 0; b < 16; ++b) {
            QList<int> expected = b < 8 ? office[b] : QList<int>{0, 0, 0, 0};
            if (b == 14 || b == 15)
                expected = {0xFF, 0, b - 13, 0};
            QCOMPARE(intList(store, QStringLiteral("mouseKeyMatrix/%1").arg(b), 4), expected);
            if (b == 5 || b == 6)
                expected = {8, 0, b - 4, 0};
            QCOMPARE(intList(store, QStringLiteral("mouseKeyMatrix2/%1").arg(b), 4), expected);
        }
        QCOMPARE(intList(store, "mouseFwKeyMatrix/6", 4), QList<int>({0x0B, 0x07, 0, 0}));
        QCOMPARE(intList(store, "mouseFwKeyMatrix/7", 4), QList<int>({0x05, 0, 1, 0}));

        const int dpiCount = intValue(profile, "mouse/dpiCount");
        QVERIFY(dpiCount >= 1 && dpiCount <= 8);
        const int inUse = intValue(profile, "mouse/currentDpiCount");
        QVERIFY(inUse >= 1 && inUse <= dpiCount);
        for (int dpi : intList(store, "mouse/dpiValueArray", 8)) {
            QVERIFY(dpi >= minDpi && dpi <= maxDpi);
            QCOMPARE(dpi % dpiBase, 0);
        }
        const QList<int> enables = intList(store, "mouse/dpiEnableArray", 8);
        QCOMPARE(enables.size(), 8);
        QCOMPARE(int(enables.count(1)), inUse);
        const QVariantList colours = store.getDataList("mouse/dpiColorArray", false);
        QCOMPARE(colours.size(), 8);
        const QRegularExpression colour(QStringLiteral("^#[0-9a-f]{6}$"));
        for (const QVariant &c : colours)
            QVERIFY2(colour.match(c.toString()).hasMatch(), qPrintable(c.toString()));
        for (const char *key : {"mouse/dpiColorType0", "mouse/dpiColorType1"}) {
            const QList<int> rgb = intList(store, key, 24);
            QCOMPARE(rgb.size(), 24);
            for (int v : rgb)
                QVERIFY(v >= 0 && v <= 255);
        }

        const int reportRate = intValue(profile, "mouse/reportRate");
        QVERIFY(reportRate >= 0 && reportRate <= 3);
        for (const char *key : {"mouse/mouseRate", "mouse/doubleRate"}) {
            const int position = intValue(profile, key);
            QVERIFY2(position >= 3 && position <= 337, key);
        }
        for (const char *key : {"mouse/lod", "mouse/reportRateLod"}) {
            const int position = intValue(profile, key);
            QVERIFY2(position >= 3 && position <= 325, key);
        }
        const int lodEn = intValue(profile, "mouse/lodEn");
        QVERIFY(lodEn == 0 || lodEn == 1);
        const int scroll = intValue(profile, "mouse/scrollRate");
        QVERIFY((scroll >= 1 && scroll <= 100) || scroll == 1000);
        const int mode = intValue(profile, "mouse/mouseMode");
        QVERIFY(mode == 0 || mode == 1);

        const int lightCount = intValue(profile, "mouseLight/lightCount");
        QVERIFY(lightCount >= 1 && lightCount <= 4);
        const int lightNo = intValue(profile, "mouseLight/lightNo");
        QVERIFY(lightNo >= 0 && lightNo < lightCount);
        QCOMPARE(kairo::names::readList(profile, "mouseLight/lightName").size(), lightCount);
        // Every preset number has factory values: a new preset is loaded from them.
        for (const QString suffix : {"", "1", "2", "3"}) {
            const int index = intValue(profile, "mouseLight/colorIndex" + suffix);
            QVERIFY(index >= 0 && index <= 14);
            QCOMPARE(intList(store, "mouseLight/lightValue" + suffix, 4).size(), 4);
            const QList<int> blocks = intList(store, "mouseLight/colorValue" + suffix, 45);
            QCOMPARE(blocks.size(), 45);
            for (int v : blocks)
                QVERIFY(v >= 0 && v <= 255);
        }
        QCOMPARE(store.getXYSensitive(0).toString(), QStringLiteral("4"));
        QVERIFY(profile.contains("XYSensitive/0") && profile.contains("XYSensitive/1"));
        for (int slot = 0; slot < 3; ++slot)
            QCOMPARE(store.getselectGun(slot).toString(), QString::number(slot));
    }

    // A profile exported on one machine and imported on another arrives
    // whole: every key of the shipped profile, edited values included.
    void exportThenImportKeepsEveryKey()
    {
        ScriptedDialogs dialogs;
        SettingsStore store(modules, &dialogs);
        store.setCurrentProfile(4);
        store.setDataList("mouse/dpiValueArray", {800, 1600, 2400, 3200, 4000, 4800, 5600, 6400});
        store.setDataList("mouseLight/lightValue", {5, 4, 3, 1});
        store.setData("mouseMacroKey/2", QStringLiteral("combo, with comma"));
        const QString file = dir.path() + "/exported.pf";
        dialogs.answers = {file, file};
        store.saveProfile(4);
        QVERIFY(store.loadProfile(5));

        // This process's cache holds the exported values as the store typed
        // them; the imported file is read as text.
        const auto text = [](const QVariant &v) {
            return v.canConvert<QStringList>() && v.typeId() != QMetaType::QString
                       ? v.toStringList().join('\n')
                       : v.toString();
        };
        QSettings exported(modules + "/setting/p5.bin", QSettings::IniFormat);
        QSettings imported(modules + "/setting/p6.bin", QSettings::IniFormat);
        const QStringList keys = exported.allKeys();
        QVERIFY(keys.size() > 80);
        QCOMPARE(imported.allKeys(), keys);
        for (const QString &key : keys)
            QVERIFY2(text(imported.value(key)) == text(exported.value(key)), qPrintable(key));
        QCOMPARE(imported.value("mouseMacroKey/2").toString(), QStringLiteral("combo, with comma"));
        QCOMPARE(imported.value("mouseLight/lightValue").toStringList(),
                 (QStringList{"5", "4", "3", "1"}));
    }

    // A file lacking groups of the shipped profile is no profile; the
    // refusal speaks the user's language.
    void partialProfileIsRefusedInTheUsersLanguage()
    {
        QVERIFY(testing::copyTree(QStringLiteral(KAIRO_SOURCE_MODULES "/i18n"), modules + "/i18n"));
        ScriptedDialogs dialogs;
        SettingsStore store(modules, &dialogs);
        const QVariant language = store.getGlobalData("common/language");
        store.setGlobalData("common/language", "German");
        const QString file = dir.path() + "/partial.pf";
        testing::writeFile(file, "[mouse]\ndpiCount=6\n");
        const QByteArray before = testing::readFile(modules + "/setting/p6.bin");
        dialogs.answers = {file};
        QVERIFY(!store.loadProfile(5));
        store.setGlobalData("common/language", language);
        QCOMPARE(testing::readFile(modules + "/setting/p6.bin"), before);
        QCOMPARE(dialogs.warnings,
                 QStringList{"Nicht importiert|" + file
                             + " wurde nicht importiert: Es ist kein Kairo-Profil."});
    }

    void nameListGunTableAndLibrary()
    {
        SettingsStore store(modules);
        MacroLibrary library(store, selection);
        QCOMPARE(library.getNameList(2), QVariantList({"Standard0", "loaderzumbek"}));
        const QVariantList gunNames = library.getNameList(1);
        QCOMPARE(gunNames, QVariantList({"M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"}));
        QCOMPARE(library.getNameList(3), QVariantList({"0", "1", "2"}));

        GunTable guns(store);
        QStringList keys = guns.getGunDataKey();
        QCOMPARE(keys.size(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(guns.getGunData(i),
                     QVariantList({gunNames[i], "L-Click", "10", "0", "10", "0"}));
        }
        QVERIFY(QFileInfo(store.macroDir()).isDir());
    }

    void builtInDeviceTable()
    {
        QVERIFY(QFile::exists(":/DevInfo.ini"));
        QSettings table(":/DevInfo.ini", QSettings::IniFormat);
        QCOMPARE(table.value("common/total").toInt(), 2);
        QVERIFY(table.contains("common/isEncode"));
        QCOMPARE(table.value("0/pid").toString(), QStringLiteral("a1f7"));
        QCOMPARE(table.value("0/type").toInt(), 0);
        QCOMPARE(table.value("1/pid").toString(), QStringLiteral("a09f"));
        QCOMPARE(table.value("1/type").toInt(), 1);
        for (const char *row : {"0", "1"}) {
            QCOMPARE(table.value(QStringLiteral("%1/vid").arg(row)).toString(),
                     QStringLiteral("04d9"));
            QCOMPARE(table.value(QStringLiteral("%1/usagePage").arg(row)).toString(),
                     QStringLiteral("ff00"));
            QCOMPARE(table.value(QStringLiteral("%1/usage2").arg(row)).toString(),
                     QStringLiteral("ff01"));
            QCOMPARE(table.value(QStringLiteral("%1/reportLength").arg(row)).toInt(), 32);
            QVERIFY(!table.contains(QStringLiteral("%1/sCode").arg(row)));
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsShipped)
#include "test_settings_shipped.moc"

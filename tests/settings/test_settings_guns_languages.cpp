// The gun table and the language strings, including the DPI-switch texts.

#include "settings/dpiswitchtexts.h"
#include "settings/guntable.h"
#include "settings/languagestrings.h"
#include "settings/settingsstore.h"
#include "tests/settings/settingstestsupport.h"

#include <QElapsedTimer>
#include <QtTest>

using testing::readFile;
using testing::writeFile;

class TestSettingsGunsLanguages : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString modules;
    QString gunFile() const { return modules + "/gun/gunData.bin"; }
    static QVariantList record(const QString &name) { return {name, "L-Click", 10, 0, -10, 0}; }

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        modules = testing::freshModules(dir);
        dpiSwitchTexts() = QStringList(8, QStringLiteral("DPI Switch to"));
    }

    void withoutTheFileEveryGunCallIsANoOp()
    {
        SettingsStore store(modules);
        GunTable guns(store);
        guns.mouseSaveGundata(0, record("M416"));
        guns.modifyGundata(1, record("X") + QVariantList{"M416"});
        QVERIFY(guns.getGunData(0).isEmpty());
        QVERIFY(guns.getGunDataKey().isEmpty());
        QVERIFY(!QFile::exists(gunFile()));
    }

    void savedRecordsReadBackAsText()
    {
        writeFile(gunFile(), "[gunData]\n");
        GunTable guns(gunFile());
        guns.mouseSaveGundata(2, record("SCAR-L"));
        QCOMPARE(guns.getGunData(2), QVariantList({"SCAR-L", "L-Click", "10", "0", "-10", "0"}));
        QCOMPARE(guns.getGunData("2"), guns.getGunData(2));
        QVERIFY(readFile(gunFile()).contains("2=SCAR-L, L-Click, 10, 0, -10, 0"));
        QVERIFY(guns.getGunData(3).isEmpty());
        // A short record is padded with empty values, never read past its end.
        guns.mouseSaveGundata(4, {"UNP9", "L-Click"});
        QCOMPARE(guns.getGunData(4), QVariantList({"UNP9", "L-Click", "", "", "", ""}));
    }

    void renamingStoresTheRecordUnderTheNewName()
    {
        writeFile(gunFile(),
                  "[gunData]\n0=M416, L-Click, 10, 0, 10, 0\n1=AKM, L-Click, 10, 0, 10, 0\n"
                  "AKM=L-Click, 9, 0, 7, 0\n");
        GunTable guns(gunFile());
        guns.modifyGundata(1, {"AK-47", "L-Click", 9, 0, 7, 0, "AKM"});
        QVERIFY(guns.getGunData("AKM").isEmpty());
        QCOMPARE(guns.getGunData("AK-47"), QVariantList({"L-Click", "9", "0", "7", "0"}));
        QCOMPARE(guns.getGunData(1), QVariantList({"AKM", "L-Click", "10", "0", "10", "0"}));
        QStringList keys = guns.getGunDataKey();
        keys.sort();
        QCOMPARE(keys, QStringList({"0", "1", "AK-47"}));

        guns.modifyGundata(0, {"AK-47"});
        QVERIFY(guns.getGunData("AK-47").isEmpty());
        guns.modifyGundata(5, {"0"});
        QCOMPARE(guns.getGunData(0).size(), 6);
    }

    void shortOrEmptyRecordsNeverWipeTheTable()
    {
        writeFile(gunFile(),
                  "[gunData]\n0=M416, L-Click, 10, 0, 10, 0\n1=AKM, L-Click, 10, 0, 10, 0\n");
        GunTable guns(gunFile());
        // Fewer than seven values: no old name, the missing fields are empty.
        guns.modifyGundata(1, {"Renamed", "L-Click", 9});
        QCOMPARE(guns.getGunData("Renamed"), QVariantList({"L-Click", "9", "", "", ""}));
        guns.modifyGundata(1, {});
        guns.modifyGundata(0, {});
        guns.modifyGundata(0, {""});
        QStringList keys = guns.getGunDataKey();
        keys.sort();
        QCOMPARE(keys, QStringList({"0", "1", "Renamed"}));
    }

    // Names the table could not list again (a "/" makes a sub-key, "/" alone
    // addresses the whole section, a lone surrogate is stored as another
    // name) leave the file as it was.
    void unlistableGunNamesChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << QStringLiteral("A/B");
        QTest::newRow("backslash") << QStringLiteral("A\\B");
        QTest::newRow("slash alone") << QStringLiteral("/");
        QTest::newRow("lone high") << QString("G" + QString(QChar(0xD800)));
        QTest::newRow("other lone high") << QString("G" + QString(QChar(0xD801)));
        QTest::newRow("lone low") << QString("G" + QString(QChar(0xDC00)));
    }

    void unlistableGunNamesChangeNothing()
    {
        QFETCH(QString, name);
        const QByteArray table =
            "[gunData]\n0=M416, L-Click, 10, 0, 10, 0\nAKM=L-Click, 9, 0, 7, 0\n";
        writeFile(gunFile(), table);
        GunTable guns(gunFile());
        guns.modifyGundata(1, {name, "L-Click", 1, 2, 3, 4, "AKM"});
        guns.modifyGundata(1, {"Fresh", "L-Click", 1, 2, 3, 4, name});
        guns.modifyGundata(0, {name});
        guns.mouseSaveGundata(name, record("X"));
        QCOMPARE(readFile(gunFile()), table);
        QStringList keys = guns.getGunDataKey();
        keys.sort();
        QCOMPARE(keys, QStringList({"0", "AKM"}));
    }

    void groupCountsEndAtTheBound_data()
    {
        QTest::addColumn<qint64>("total");
        QTest::addColumn<int>("expectedTexts");
        const int bound = LanguageStrings::maxGroupTexts;
        QTest::newRow("as written") << qint64(2) << 2;
        QTest::newRow("at the bound") << qint64(bound) << bound;
        QTest::newRow("one past") << qint64(bound) + 1 << bound;
        QTest::newRow("int max") << qint64(2147483647) << bound;
    }

    void groupCountsEndAtTheBound()
    {
        QFETCH(qint64, total);
        QFETCH(int, expectedTexts);
        writeFile(modules + "/i18n/English.ini",
                  QStringLiteral("[page]\ntotal=%1\n0=One\n1=Two\n").arg(total).toUtf8());
        QElapsedTimer clock;
        clock.start();
        const QStringList texts =
            LanguageStrings(modules + "/i18n").getLangStrings("page", "English");
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(texts.size(), expectedTexts);
        QCOMPARE(texts.mid(0, 2), QStringList({"One", "Two"}));
    }

    void groupsAreReadInOrderWithGapsAsEmptyTexts()
    {
        writeFile(modules + "/i18n/English.ini",
                  "[keyMatrix]\ntotal=3\n0=Left\n2=Right\n"
                  "[profile]\ntotal=5\n0=config\n1=New\n2=Import\n3=Delete\n4=Export\n"
                  "[broken]\ntotal=many\n0=x\n"
                  "[comma]\ntotal=1\n0=\"Slow, then fast\"\n");
        SettingsStore store(modules);
        LanguageStrings languages(store);
        QCOMPARE(languages.getLangStrings("keyMatrix", "English"),
                 QStringList({"Left", "", "Right"}));
        QCOMPARE(languages.getLangStrings("profile", "English"),
                 QStringList({"config", "New", "Import", "Delete", "Export"}));
        QVERIFY(languages.getLangStrings("broken", "English").isEmpty());
        QVERIFY(languages.getLangStrings("missing", "English").isEmpty());
        QCOMPARE(languages.getLangStrings("comma", "English"), QStringList({"Slow, then fast"}));
        QVERIFY(languages.getLangStrings("keyMatrix", "Klingon").isEmpty());
        QVERIFY(languages.getLangStrings("keyMatrix", "../i18n/English").isEmpty());
    }

    void textsAreUtf8AndReadAfreshEachTime()
    {
        const QString path = modules + "/i18n/ChineseSimplified.ini";
        writeFile(path, QStringLiteral("[dpiSetting]\ntotal=2\n0=灵敏度\n1=Größe\n").toUtf8());
        LanguageStrings languages(modules + "/i18n");
        QCOMPARE(languages.getLangStrings("dpiSetting", "ChineseSimplified"),
                 QStringList({QStringLiteral("灵敏度"), QStringLiteral("Größe")}));
        writeFile(path, QStringLiteral("[dpiSetting]\ntotal=1\n0=分辨率设置值\n").toUtf8());
        QCOMPARE(languages.getLangStrings("dpiSetting", "ChineseSimplified"),
                 QStringList({QStringLiteral("分辨率设置值")}));
    }

    void otherReplacesTheDpiSwitchTexts()
    {
        QByteArray other = "[other]\ntotal=9\n";
        for (int i = 0; i < 9; ++i)
            other += QStringLiteral("%1=Stufe %2\n").arg(i).arg(i + 1).toUtf8();
        other += "[keyMatrix]\ntotal=8\n0=a\n1=b\n2=c\n3=d\n4=e\n5=f\n6=g\n7=h\n";
        other += "[short]\ntotal=1\n0=x\n";
        writeFile(modules + "/i18n/German.ini", other);
        LanguageStrings languages(modules + "/i18n");

        languages.getLangStrings("keyMatrix", "German");
        QCOMPARE(dpiSwitchTexts(), QStringList(8, QStringLiteral("DPI Switch to")));
        QCOMPARE(languages.getLangStrings("other", "German").size(), 9);
        QStringList expected;
        for (int i = 1; i <= 8; ++i)
            expected.append(QStringLiteral("Stufe %1").arg(i));
        QCOMPARE(dpiSwitchTexts(), expected);

        // A shorter "other" group replaces what it has and keeps the rest.
        writeFile(modules + "/i18n/French.ini", "[other]\ntotal=2\n0=Un\n1=Deux\n");
        languages.getLangStrings("other", "French");
        QCOMPARE(dpiSwitchTexts().size(), 8);
        QCOMPARE(dpiSwitchTexts()[0], QStringLiteral("Un"));
        QCOMPARE(dpiSwitchTexts()[1], QStringLiteral("Deux"));
        QCOMPARE(dpiSwitchTexts()[2], QStringLiteral("Stufe 3"));
        // A missing file changes nothing.
        languages.getLangStrings("other", "Spanish");
        QCOMPARE(dpiSwitchTexts()[0], QStringLiteral("Un"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsGunsLanguages)
#include "test_settings_guns_languages.moc"

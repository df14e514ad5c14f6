// The application configuration and the profile files: defaults, the factory
// profile, whole-profile replacement and its failure cases, profile dialogs.

#include "settings/settingsstore.h"
#include "tests/settings/settingstestsupport.h"

#include <QtTest>

using testing::readFile;
using testing::writeFile;

class TestSettingsStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString modules;
    QString setting(const QString &file) const { return modules + "/setting/" + file; }
    // Distinct sizes per profile, so a mix-up can never look like success.
    void writeProfiles()
    {
        writeFile(setting("pD.bin"),
                  "[mouse]\r\ndpiCount=8\r\ncurrentDpiCount=4\r\nmouseMode=0\r\n");
        for (int i = 1; i <= 10; ++i)
            writeFile(setting(QStringLiteral("p%1.bin").arg(i)),
                      QStringLiteral("[mouse]\ndpiCount=%1\nowner=profile %1%2\n")
                          .arg(i)
                          .arg(QString(i, QLatin1Char('x')))
                          .toUtf8());
    }

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        modules = testing::freshModules(dir);
    }

    void missingFilesAndKeysGiveTheDefaults()
    {
        SettingsStore store(modules);
        QVERIFY(!store.getGlobalData("common/deviceCount").isValid());
        QCOMPARE(store.getGlobalData("common/deviceCount").toInt(), 0);
        QVERIFY(!store.getGlobalData("common/name").isValid());
        QCOMPARE(store.isColorful(), false);
        QCOMPARE(store.isGun(), false);
        QCOMPARE(store.icType(), QString());
        QCOMPARE(store.is55328(), false);
        QCOMPARE(store.currentProfileIndex(), 0);
        QVERIFY(!store.getData("mouse/dpiCount", false).isValid());
        QVERIFY(!store.getData("mouse/dpiCount", true).isValid());
        QVERIFY(store.getDataList("mouseKeyMatrix/5", false).isEmpty());
        const QVariant xy = store.getXYSensitive(0);
        QCOMPARE(xy.typeId(), int(QMetaType::Int));
        QCOMPARE(xy.toInt(), 4);
        const QVariant gun = store.getselectGun(0);
        QVERIFY(gun.isValid());
        QCOMPARE(gun.toString(), QString());
        // Reading never creates a file.
        QVERIFY(!QFile::exists(setting("apConfig.bin")));
        QVERIFY(!QFile::exists(setting("p1.bin")));
    }

    void modelFlagsAreReadOnceAndSurviveAReset()
    {
        writeFile(setting("apConfig.bin"),
                  "[mouse]\nisColorful=true\nisGun=true\nicType=560\nis55328=true\nprofileNo=3\n");
        writeFile(setting("apConfigD.bin"), "[mouse]\nisColorful=false\nicType=553\nprofileNo=0\n");
        SettingsStore store(modules);
        QVERIFY(store.isColorful());
        QVERIFY(store.isGun());
        QCOMPARE(store.icType(), QStringLiteral("560"));
        QVERIFY(store.is55328());
        QCOMPARE(store.getGlobalData("mouse/profileNo").toInt(), 3);

        store.resetApconfig();
        QCOMPARE(store.getGlobalData("mouse/profileNo").toInt(), 0);
        QCOMPARE(store.getGlobalData("mouse/icType").toString(), QStringLiteral("553"));
        QCOMPARE(readFile(setting("apConfig.bin")), readFile(setting("apConfigD.bin")));
        QCOMPARE(store.icType(), QStringLiteral("560"));
        QVERIFY(store.isColorful());
    }

    void resetApconfigWithoutFactoryCopyKeepsTheConfiguration()
    {
        const QByteArray config = "[common]\nlanguage=German\n";
        writeFile(setting("apConfig.bin"), config);
        SettingsStore store(modules);
        store.resetApconfig();
        QCOMPARE(readFile(setting("apConfig.bin")), config);
        QCOMPARE(store.getGlobalData("common/language").toString(), QStringLiteral("German"));
    }

    void everyWriteIsOnDiskWhenTheCallReturns()
    {
        writeProfiles();
        SettingsStore store(modules);
        store.setCurrentProfile(1);
        store.setGlobalData("common/language", "French");
        QVERIFY(readFile(setting("apConfig.bin")).contains("language=French"));
        store.setData("mouse/reportRate", 2);
        QVERIFY(readFile(setting("p2.bin")).contains("reportRate=2"));
        store.setDataList("mouse/dpiEnableArray", {1, 0, 1});
        QVERIFY(readFile(setting("p2.bin")).contains("dpiEnableArray=1, 0, 1"));
        store.setXYSensitive(1, 7);
        QVERIFY(readFile(setting("p2.bin")).contains("[XYSensitive]"));
        store.setSelectGun(2, "AKM");
        QVERIFY(readFile(setting("p2.bin")).contains("2=AKM"));
        QCOMPARE(store.getXYSensitive(1).toInt(), 7);
        QCOMPARE(store.getselectGun(2).toString(), QStringLiteral("AKM"));
        // Nothing leaked into the other profiles.
        QVERIFY(!readFile(setting("p1.bin")).contains("reportRate"));
    }

    void listsReadBackAsListsWhateverTheirLength()
    {
        writeFile(
            setting("p1.bin"),
            "[mouse]\ndpiValueArray=800, 1600, 2400\nlightName=BACKLIGHT 1\nnone=@Invalid()\n");
        SettingsStore store(modules);
        QCOMPARE(store.getDataList("mouse/dpiValueArray", false),
                 QVariantList({"800", "1600", "2400"}));
        // One element comes back from the file as a plain value: still a list of one.
        QCOMPARE(store.getDataList("mouse/lightName", false), QVariantList({"BACKLIGHT 1"}));
        QVERIFY(store.getDataList("mouse/none", false).isEmpty());
        store.setDataList("mouse/single", {5});
        QCOMPARE(store.getDataList("mouse/single", false).size(), 1);
        QCOMPARE(store.getDataList("mouse/single", false).first().toInt(), 5);
    }

    void isRecoveryReadsTheFactoryProfile()
    {
        writeProfiles();
        SettingsStore store(modules);
        store.setCurrentProfile(4);
        QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 5);
        QCOMPARE(store.getData("mouse/dpiCount", true).toInt(), 8);
        QCOMPARE(store.getDataList("mouse/dpiCount", true), QVariantList({"8"}));
        // isRecovery selects pD.bin, never apConfigD.bin.
        writeFile(setting("apConfigD.bin"), "[mouse]\ndpiCount=2\n");
        QCOMPARE(store.getData("mouse/dpiCount", true).toInt(), 8);
    }

    void currentProfileSelectsTheFileAndRefusesBadIndices()
    {
        writeProfiles();
        SettingsStore store(modules);
        for (int i = 0; i < 10; ++i) {
            store.setCurrentProfile(i);
            QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), i + 1);
            QCOMPARE(&store.currentProfile(), &store.profile(i));
        }
        store.setCurrentProfile(3);
        store.setCurrentProfile(10);
        store.setCurrentProfile(-1);
        QCOMPARE(store.currentProfileIndex(), 3);
        QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 4);
    }

    void resetProfileCopiesTheFactoryProfile()
    {
        writeProfiles();
        SettingsStore store(modules);
        store.setCurrentProfile(2);
        QSettings &before = store.currentProfile();
        store.resetProfile(2);
        QCOMPARE(readFile(setting("p3.bin")), readFile(setting("pD.bin")));
        QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 8);
        QVERIFY(!store.getData("mouse/owner", false).isValid());
        QCOMPARE(&store.currentProfile(), &before);
        QCOMPARE(store.currentProfileIndex(), 2);
        // Writes after the reset go to the new contents.
        store.setData("mouse/lod", 90);
        QVERIFY(readFile(setting("p3.bin")).contains("currentDpiCount=4"));
        QVERIFY(readFile(setting("p3.bin")).contains("lod=90"));
    }

    void copyProfileUsesTheNamedSourceInBothDirections()
    {
        writeProfiles();
        SettingsStore store(modules);
        const QByteArray p4 = readFile(setting("p4.bin"));
        store.copyProfile(1, 3);
        QCOMPARE(readFile(setting("p2.bin")), p4);
        store.setCurrentProfile(1);
        QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 4);

        writeFile(setting("p2.bin"), "[mouse]\ndpiCount=22\n");
        store.copyProfile(3, 1);
        QCOMPARE(readFile(setting("p4.bin")), QByteArray("[mouse]\ndpiCount=22\n"));
        store.setCurrentProfile(3);
        QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 22);
    }

    void copyProfileOntoItselfChangesNothing()
    {
        writeProfiles();
        SettingsStore store(modules);
        const QByteArray p3 = readFile(setting("p3.bin"));
        store.copyProfile(2, 2);
        QCOMPARE(readFile(setting("p3.bin")), p3);
        store.setCurrentProfile(2);
        QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 3);
    }

    void sameSizeReplacementsRightAfterAWriteAreRead()
    {
        // A write and the replacement that follows it often share a
        // millisecond; with equal sizes only the contents tell them apart.
        writeProfiles();
        writeFile(setting("pD.bin"), "[mouse]\nlod=9\n");
        writeFile(setting("apConfigD.bin"), "[common]\nlanguage=German\n");
        SettingsStore store(modules);
        store.setCurrentProfile(2);
        int staleProfiles = 0;
        int staleConfigs = 0;
        for (int round = 0; round < 200; ++round) {
            store.setData("mouse/lod", 1);
            store.resetProfile(2);
            if (store.getData("mouse/lod", false).toInt() != 9)
                ++staleProfiles;
        }
        for (int round = 0; round < 100; ++round) {
            store.setGlobalData("common/language", "Polish");
            store.resetApconfig();
            if (store.getGlobalData("common/language").toString() != QLatin1String("German"))
                ++staleConfigs;
        }
        QCOMPARE(staleProfiles, 0);
        QCOMPARE(staleConfigs, 0);
        QCOMPARE(readFile(setting("p3.bin")), QByteArray("[mouse]\nlod=9\n"));
        QCOMPARE(readFile(setting("apConfig.bin")), QByteArray("[common]\nlanguage=German\n"));
    }

    void aFailedReplacementKeepsTheOldProfile()
    {
        writeProfiles();
        QFile::remove(setting("pD.bin"));
        SettingsStore store(modules);
        store.setCurrentProfile(0);
        const QByteArray p1 = readFile(setting("p1.bin"));
        store.resetProfile(0);
        QCOMPARE(readFile(setting("p1.bin")), p1);
        QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 1);

        // An import that cannot be read is refused the same way.
        ScriptedDialogs dialogs;
        dialogs.answers = {dir.path() + "/missing.pf"};
        store.setDialogs(&dialogs);
        QCOMPARE(store.loadProfile(0), false);
        QCOMPARE(readFile(setting("p1.bin")), p1);
        QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 1);
        // No temporary file is left behind.
        QCOMPARE(QDir(modules + "/setting").entryList(QDir::Files).size(), 10);
    }

    void outOfRangeIndicesTouchNothing()
    {
        writeProfiles();
        ScriptedDialogs dialogs;
        dialogs.answers = {dir.path() + "/a.pf", dir.path() + "/b.pf"};
        writeFile(dir.path() + "/a.pf", "[mouse]\ndpiCount=77\n");
        SettingsStore store(modules, &dialogs);
        QCOMPARE(store.loadProfile(10), false);
        QCOMPARE(store.loadProfile(-1), false);
        store.saveProfile(10);
        store.resetProfile(10);
        store.resetProfile(-1);
        store.copyProfile(10, 0);
        store.copyProfile(0, 10);
        QVERIFY(dialogs.captions.isEmpty());
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(store.profile(i).value("mouse/dpiCount").toInt(), i + 1);
        }
        QVERIFY(!QFile::exists(setting("p11.bin")));
        QVERIFY(!QFile::exists(setting("p0.bin")));
    }

    void loadProfileImportsTheChosenFile()
    {
        writeProfiles();
        ScriptedDialogs dialogs;
        SettingsStore store(modules, &dialogs);
        const QByteArray before = readFile(setting("p6.bin"));
        QCOMPARE(store.loadProfile(5), false); // cancelled
        QCOMPARE(readFile(setting("p6.bin")), before);
        QCOMPARE(dialogs.captions, QStringList({"Open File"}));
        QCOMPARE(dialogs.filters, QStringList({"Profile(*.pf)"}));

        const QByteArray imported = "[mouse]\r\ndpiCount=6\r\nmouseMode=1\r\n";
        writeFile(dir.path() + "/mine.pf", imported);
        dialogs.answers = {dir.path() + "/mine.pf"};
        store.setCurrentProfile(5);
        QCOMPARE(store.loadProfile(5), true);
        QCOMPARE(readFile(setting("p6.bin")), imported);
        QCOMPARE(store.getData("mouse/mouseMode", false).toInt(), 1);
        QVERIFY(!store.getData("mouse/owner", false).isValid());
    }

    void saveProfileExportsTheProfileFile()
    {
        writeProfiles();
        ScriptedDialogs dialogs;
        SettingsStore store(modules, &dialogs);
        const QString target = dir.path() + "/out.pf";
        store.saveProfile(0); // cancelled
        QVERIFY(!QFile::exists(target));
        QCOMPARE(dialogs.captions, QStringList({"Save File"}));
        QCOMPARE(dialogs.filters, QStringList({"Profile(*.pf)"}));

        writeFile(target, "an older export that is much longer than the profile itself........");
        dialogs.answers = {target};
        store.setCurrentProfile(0);
        store.setData("mouse/lodEn", 1);
        store.saveProfile(0);
        QCOMPARE(readFile(target), readFile(setting("p1.bin")));
        QVERIFY(readFile(target).contains("lodEn=1"));
    }

    void withoutDialogsEveryQuestionCountsAsCancelled()
    {
        writeProfiles();
        SettingsStore store(modules);
        const QByteArray p1 = readFile(setting("p1.bin"));
        QCOMPARE(store.loadProfile(0), false);
        store.saveProfile(0);
        QCOMPARE(readFile(setting("p1.bin")), p1);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"

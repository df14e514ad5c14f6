// The device link's table reader over our configuration files: the shipped
// one, a file from an earlier release, and no file at all.

#include "device/devicetable.h"
#include "settings/settingsstore.h"
#include "tests/settings/settingstestsupport.h"

#include <QtTest>

class TestSettingsDeviceTable : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

private slots:
    void shippedTableNamesTheFirstFamilyMouse()
    {
        const QString modules = dir.path() + "/shipped";
        QVERIFY(testing::copyTree(QStringLiteral(KAIRO_SOURCE_MODULES "/setting"),
                                  modules + "/setting"));
        SettingsStore store(modules);
        const QList<DeviceEntry> table = readDeviceTable(store.config());
        QCOMPARE(table.size(), 1);
        const DeviceEntry &entry = table.first();
        QCOMPARE(entry.type, 1);
        QCOMPARE(entry.vid, quint16(0x04d9));
        QCOMPARE(entry.pid, quint16(0xa09f));
        QCOMPARE(entry.usagePage, quint16(0xff00));
        QCOMPARE(entry.usage, quint16(0xff00));
        QCOMPARE(entry.usagePage2, quint16(0xff01));
        QCOMPARE(entry.usage2, quint16(0xff01));
        QCOMPARE(entry.reportLength, 32);
        QCOMPARE(entry.isEncode, false);
        QCOMPARE(entry.sCode, QStringLiteral("424242"));
    }

    void olderFilesWithUnpaddedAndBrokenFields()
    {
        const QString modules = dir.path() + "/qt4";
        QVERIFY(testing::copyTree(QStringLiteral(KAIRO_QT4_FIXTURE "/modules/setting"),
                                  modules + "/setting"));
        SettingsStore store(modules);
        const QList<DeviceEntry> table = readDeviceTable(store.config());
        QCOMPARE(table.size(), 2);
        QCOMPARE(table[0].vid, quint16(0x04d9)); // written "4d9"
        QCOMPARE(table[0].pid, quint16(0xa09f)); // written "A09F"
        QCOMPARE(table[0].reportLength, 64);
        QCOMPARE(table[0].isEncode, true);
        QCOMPARE(table[0].sCode, QStringLiteral("135790"));
        QCOMPARE(table[1].type, 0);
        QCOMPARE(table[1].vid, quint16(0)); // "zz12" is not hexadecimal
        QCOMPARE(table[1].pid, quint16(0xa1f7));
        QCOMPARE(table[1].usagePage2, quint16(0));
        QCOMPARE(table[1].reportLength, 32);
        QCOMPARE(table[1].isEncode, false);
        QCOMPARE(table[1].sCode, QStringLiteral("424242"));
    }

    void noConfigurationMeansNoDevices()
    {
        const QString modules = testing::makeModules(dir);
        SettingsStore store(modules);
        QVERIFY(readDeviceTable(store.config()).isEmpty());
        QVERIFY(!store.getGlobalData("common/name").isValid());
    }
};

QTEST_GUILESS_MAIN(TestSettingsDeviceTable)
#include "test_settings_devicetable.moc"

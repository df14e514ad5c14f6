// The device table as checkDevice() builds it: rows read from a configuration
// file, then the two interface paths of each row found among the attached HID
// devices. The virtual mouse names its interfaces "virtual:<n>:command" and
// "virtual:<n>:notify".

#include "device/devicetable.h"

#include "sim/virtualmouse.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using kairo::sim::DeviceConfig;

namespace {

DeviceConfig device(quint16 vid, quint16 pid, quint16 usagePage = 0xff00, quint16 usage = 0xff00,
                    quint16 usagePage2 = 0xff01, quint16 usage2 = 0xff01)
{
    DeviceConfig config;
    config.vid = vid;
    config.pid = pid;
    config.usagePage = usagePage;
    config.usage = usage;
    config.usagePage2 = usagePage2;
    config.usage2 = usage2;
    return config;
}

QString commandPath(int device)
{
    return QStringLiteral("virtual:%1:command").arg(device);
}
QString notifyPath(int device)
{
    return QStringLiteral("virtual:%1:notify").arg(device);
}

QStringList pathsOf(const QList<DeviceEntry> &table)
{
    QStringList paths;
    for (const DeviceEntry &entry : table)
        paths << entry.path + QLatin1Char('|') + entry.path2;
    return paths;
}

} // namespace

class DeviceTableTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QList<DeviceEntry> tableFromFile(const QByteArray &ini)
    {
        const QString path = dir.filePath(QStringLiteral("apConfig.bin"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        file.write(ini);
        file.close();
        QSettings config(path, QSettings::IniFormat);
        return readDeviceTable(config);
    }

private slots:
    void cleanup() { kairo::sim::reset(); }

    void eachRowFindsTheInterfacesOfItsOwnDevice()
    {
        kairo::sim::reset({
            device(0x1234, 0x5678), // 0: nobody's vid and pid, right usages
            device(0x04d9, 0xa1f7), // 1: the keyboard row's device
            device(0x04d9, 0xa09f, 0xff02, 0xff00, 0x0001, 0x0002), // 2: mouse ids, wrong usages
            device(0x04d9, 0xa09f),                                 // 3: the mouse
            device(0x04d9, 0xa09f, 0x0001, 0x0006, 0xff01,
                   0xff01), // 4: mouse ids, only a notification match
            device(0x04d9, 0xc0de, 0xff00, 0xff01, 0xff01,
                   0xff00), // 5: pages and usages crossed over
        });
        QList<DeviceEntry> table =
            tableFromFile("[common]\ndeviceCount=4\n"
                          "[0]\ntype=0\nvid=04d9\npid=a1f7\nusagePage=ff00\nusage=ff00\nusagePage2="
                          "ff01\nusage2=ff01\n"
                          "[1]\ntype=1\nvid=04d9\npid=a09f\nusagePage=ff00\nusage=ff00\nusagePage2="
                          "ff01\nusage2=ff01\n"
                          "[2]\ntype=1\nvid=04d9\npid=c0de\nusagePage=ff00\nusage=ff00\nusagePage2="
                          "ff01\nusage2=ff01\n"
                          "[3]\ntype=1\nvid=04d9\npid=beef\nusagePage=ff00\nusage=ff00\nusagePage2="
                          "ff01\nusage2=ff01\n"
                          "[4]\ntype=1\nvid=1234\npid=5678\nusagePage=ff00\nusage=ff00\nusagePage2="
                          "ff01\nusage2=ff01\n");
        QCOMPARE(table.size(), 4); // row 4 lies beyond deviceCount
        findDevicePaths(table);
        // Row 1 sees devices 2, 3 and 4: only 3 has the command pair, and a
        // later notification match (4) replaces an earlier one (3).
        QCOMPARE(pathsOf(table), QStringList({commandPath(1) + '|' + notifyPath(1),
                                              commandPath(3) + '|' + notifyPath(4),
                                              QStringLiteral("|"), QStringLiteral("|")}));
    }

    void laterMatchingMouseWinsAndPathsAreFoundAfresh()
    {
        kairo::sim::reset({device(0x04d9, 0xa09f), device(0x04d9, 0xa09f)});
        QList<DeviceEntry> table = tableFromFile(
            "[common]\ndeviceCount=1\n"
            "[0]\nvid=04d9\npid=a09f\nusagePage=ff00\nusage=ff00\nusagePage2=ff01\nusage2=ff01\n");
        findDevicePaths(table);
        QCOMPARE(pathsOf(table), QStringList({commandPath(1) + '|' + notifyPath(1)}));

        // Unplugged devices are not listed; the paths of the last search do not linger.
        kairo::sim::unplug(1);
        findDevicePaths(table);
        QCOMPARE(pathsOf(table), QStringList({commandPath(0) + '|' + notifyPath(0)}));
        kairo::sim::unplug(0);
        findDevicePaths(table);
        QCOMPARE(pathsOf(table), QStringList({QStringLiteral("|")}));
        kairo::sim::plug(1);
        findDevicePaths(table);
        QCOMPARE(pathsOf(table), QStringList({commandPath(1) + '|' + notifyPath(1)}));
    }

    void deviceUnpluggedFromTheStartIsNotFound()
    {
        DeviceConfig absent = device(0x04d9, 0xa09f);
        absent.plugged = false;
        kairo::sim::reset({absent, device(0x04d9, 0xa1f7)});
        QList<DeviceEntry> table = tableFromFile(
            "[common]\ndeviceCount=2\n"
            "[0]\nvid=04d9\npid=a09f\nusagePage=ff00\nusage=ff00\nusagePage2=ff01\nusage2=ff01\n"
            "[1]\nvid=04d9\npid=a1f7\nusagePage=ff00\nusage=ff00\nusagePage2=ff01\nusage2=ff01\n");
        findDevicePaths(table);
        QCOMPARE(pathsOf(table),
                 QStringList({QStringLiteral("|"), commandPath(1) + '|' + notifyPath(1)}));
        kairo::sim::plug(0);
        findDevicePaths(table[0]);
        QCOMPARE(table[0].path, commandPath(0));
        QCOMPARE(table[0].path2, notifyPath(0));
    }

    void rowCountsEndAtTheBound_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<int>("expectedRows");
        QTest::newRow("as written") << qint64(2) << 2;
        QTest::newRow("at the bound") << qint64(kMaxDeviceRows) << kMaxDeviceRows;
        QTest::newRow("one past") << qint64(kMaxDeviceRows) + 1 << kMaxDeviceRows;
        QTest::newRow("int max") << qint64(2147483647) << kMaxDeviceRows;
    }

    void rowCountsEndAtTheBound()
    {
        QFETCH(qint64, count);
        QFETCH(int, expectedRows);
        QElapsedTimer clock;
        clock.start();
        const QList<DeviceEntry> table = tableFromFile(
            QStringLiteral(
                "[common]\ndeviceCount=%1\n[0]\nvid=04d9\npid=a09f\n[1]\nvid=04d9\npid=a1f7\n")
                .arg(count)
                .toLatin1());
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(table.size(), expectedRows);
        QCOMPARE(table[0].pid, quint16(0xa09f));
        QCOMPARE(table[1].pid, quint16(0xa1f7));
    }

    // The report length sizes every exchange buffer; a row whose length no
    // full-speed interface can have is left out, its neighbours kept.
    void reportLengthOutsideOneTo64DropsTheRow_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("expectedLength"); // 0: the row is dropped
        QTest::newRow("missing") << QByteArray() << 32;
        QTest::newRow("one") << QByteArray("reportLength=1\n") << 1;
        QTest::newRow("64") << QByteArray("reportLength=64\n") << 64;
        QTest::newRow("zero") << QByteArray("reportLength=0\n") << 0;
        QTest::newRow("negative") << QByteArray("reportLength=-8\n") << 0;
        QTest::newRow("65") << QByteArray("reportLength=65\n") << 0;
        QTest::newRow("int max") << QByteArray("reportLength=2147483647\n") << 0;
        QTest::newRow("not a number") << QByteArray("reportLength=wide\n") << 0;
    }

    void reportLengthOutsideOneTo64DropsTheRow()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, expectedLength);
        const QList<DeviceEntry> table = tableFromFile(
            "[common]\ndeviceCount=3\n[0]\npid=0001\n[1]\npid=0002\n" + line + "[2]\npid=0003\n");
        QStringList pids;
        for (const DeviceEntry &entry : table)
            pids << QString::number(entry.pid);
        QCOMPARE(pids, expectedLength ? QStringList({"1", "2", "3"}) : QStringList({"1", "3"}));
        if (expectedLength)
            QCOMPARE(table[1].reportLength, expectedLength);
    }
};

QTEST_GUILESS_MAIN(DeviceTableTest)
#include "test_device_table.moc"

#include "sim/virtualmouse.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kairo::sim;

class TestSimConfig : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    QString write(const char *name, const QByteArray &text)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return path;
    }

private slots:
    void severalDevicesAndMissingKeys()
    {
        const QString path =
            write("devices.ini",
                  "[0]\nfamily=560\nvid=1a2b\npid=0xA0FF\nusagePage=ff02\nusage=0001\n"
                  "usagePage2=ff03\nusage2=0002\nreportLength=64\nisEncode=true\nsCode=123456\n"
                  "plugged=false\nopenDenied=true\n"
                  "[1]\nisEncode=true\n"
                  "[2]\nsCode=777777\n");
        const QList<DeviceConfig> configs = loadDeviceConfigs(path);
        QCOMPARE(configs.size(), 3);
        const DeviceConfig &a = configs[0];
        QCOMPARE(a.family, QString("560"));
        QCOMPARE(a.vid, quint16(0x1a2b));
        QCOMPARE(a.pid, quint16(0xa0ff));
        QCOMPARE(a.usagePage, quint16(0xff02));
        QCOMPARE(a.usage, quint16(0x0001));
        QCOMPARE(a.usagePage2, quint16(0xff03));
        QCOMPARE(a.usage2, quint16(0x0002));
        QCOMPARE(a.reportLength, 64);
        QCOMPARE(a.isEncode, true);
        QCOMPARE(a.sCode, QString("123456"));
        QCOMPARE(a.plugged, false);
        QCOMPARE(a.openDenied, true);

        const DeviceConfig defaults;
        const DeviceConfig &b = configs[1];
        QCOMPARE(b.isEncode, true);
        QCOMPARE(b.family, defaults.family);
        QCOMPARE(b.vid, defaults.vid);
        QCOMPARE(b.pid, defaults.pid);
        QCOMPARE(b.usagePage2, defaults.usagePage2);
        QCOMPARE(b.reportLength, defaults.reportLength);
        QCOMPARE(b.sCode, defaults.sCode);
        QCOMPARE(b.plugged, true);
        QCOMPARE(b.openDenied, false);
        QCOMPARE(configs[2].isEncode, false);
    }

    void badValuesKeepDefaults()
    {
        const QString path = write("bad.ini", "[0]\nvid=zz\nreportLength=-3\nisEncode=maybe\n");
        const DeviceConfig c = loadDeviceConfigs(path).value(0);
        QCOMPARE(c.vid, quint16(0x04d9));
        QCOMPARE(c.reportLength, 32);
        QCOMPARE(c.isEncode, false);
    }

    void noFileOrNoSectionsGivesTheDefaultDevice()
    {
        QCOMPARE(loadDeviceConfigs(dir.filePath("missing.ini")).size(), 1);
        const QString path = write("empty.ini", "[other]\nfamily=560\n");
        const QList<DeviceConfig> configs = loadDeviceConfigs(path);
        QCOMPARE(configs.size(), 1);
        QCOMPARE(configs[0].family, QString("553"));
    }

    void environmentSelectsTheFile()
    {
        const QString path = write("env.ini", "[0]\nfamily=560\n[1]\nplugged=false\n");
        qputenv("KAIRO_VIRTUAL_MOUSE_CONFIG", path.toLocal8Bit());
        const QList<DeviceConfig> configs = devicesFromEnvironment();
        qunsetenv("KAIRO_VIRTUAL_MOUSE_CONFIG");
        QCOMPARE(configs.size(), 2);
        QCOMPARE(configs[0].family, QString("560"));
        QCOMPARE(configs[1].plugged, false);
        QCOMPARE(devicesFromEnvironment().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSimConfig)
#include "test_sim_config.moc"

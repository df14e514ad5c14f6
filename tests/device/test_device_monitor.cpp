#include "tests/support/linkfixture.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>

namespace {

void queueNotification(const QByteArray &report)
{
    kairo::sim::sendNotification(0, report);
}

} // namespace

class MonitorTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LinkFixture> link;
    std::unique_ptr<DebugCapture> debug;
    RecordingSink sink;

    Hid_Thread &hid() { return link->hid; }

    void attach(const QString &family)
    {
        kairo::sim::DeviceConfig device;
        device.family = family;
        link = std::make_unique<LinkFixture>(QList<kairo::sim::DeviceConfig>{device});
        hid().setModelFlags(false, family);
        hid().setMonitorSink(&sink);
    }

private slots:
    void init()
    {
        sink.events.clear();
        debug = std::make_unique<DebugCapture>();
        attach(QStringLiteral("553"));
    }

    void cleanup()
    {
        link.reset();
        debug.reset();
    }

    void connectSetsTheMonitorBitOfTheFirstFamily()
    {
        kairo::sim::FirmwareState state = kairo::sim::state(0);
        state.keyboardOption553 = fromHex("01 02 03 04");
        kairo::sim::setState(0, state);
        hid().startDeviceMonitor(0);
        QVERIFY(hid().monitoring);
        QCOMPARE(sentLines(), QStringList({QStringLiteral("F 00 83 00 00 00 00 00 00 7c"),
                                           QStringLiteral("F 00 03 01 02 03 44 00 00 b2")}));
        QCOMPARE(kairo::sim::state(0).keyboardOption553, fromHex("01 02 03 44"));
    }

    void connectSetsTheMonitorBitOfTheSecondFamily()
    {
        attach(QStringLiteral("560"));
        kairo::sim::FirmwareState state = kairo::sim::state(0);
        state.keyboardOption560 = fromHex("01 02");
        kairo::sim::setState(0, state);
        hid().startDeviceMonitor(0);
        QCOMPARE(sentLines(), QStringList({QStringLiteral("F 00 81 00 00 00 00 00 00 7e"),
                                           QStringLiteral("F 00 01 09 02 00 00 00 00 f3")}));
        QVERIFY(hid().monitoring);
    }

    void failedOptionReadIsNotWrittenBack()
    {
        kairo::sim::setMuted(0, true);
        hid().startDeviceMonitor(0);
        QCOMPARE(sentLines(), QStringList({QStringLiteral("F 00 83 00 00 00 00 00 00 7c")}));
        QVERIFY(
            debug->lines().contains(QStringLiteral("Keyboard option not read, left unchanged ")));
        QVERIFY(hid().monitoring);
    }

    void stageReportsReachTheSinkInOrder()
    {
        hid().startDeviceMonitor(0);
        kairo::sim::pressDpi(0, 3);
        QTRY_COMPARE_WITH_TIMEOUT(sink.events, QStringList({"stage 3", "balloon 3"}), 3000);
        sink.events.clear();
        kairo::sim::pressDpi(0, 0);
        kairo::sim::pressDpi(0, 9);
        QTRY_COMPARE_WITH_TIMEOUT(
            sink.events, QStringList({"stage 0", "balloon 0", "stage 9", "balloon 9"}), 3000);
    }

    void otherReportsAreIgnored()
    {
        hid().startDeviceMonitor(0);
        queueNotification(fromHex("06 07 00"));
        queueNotification(fromHex("05 07 00 02"));
        queueNotification(fromHex("06 08 00 02"));
        kairo::sim::pressDpi(0, 5); // marks the end of the odd ones
        QTRY_COMPARE_WITH_TIMEOUT(sink.events, QStringList({"stage 5", "balloon 5"}), 3000);
    }

    void unplugStopsMonitoringWithinHalfASecond()
    {
        hid().startDeviceMonitor(0);
        QTest::qWait(50);
        QElapsedTimer timer;
        timer.start();
        kairo::sim::unplug(0);
        QTRY_VERIFY_WITH_TIMEOUT(!hid().monitoring, 2000);
        QVERIFY2(timer.elapsed() < 800, qPrintable(QString::number(timer.elapsed())));
        QTRY_COMPARE_WITH_TIMEOUT(sink.events, QStringList({"removed"}), 1000);
        QVERIFY(debug->lines().contains(QStringLiteral("Device removed ")));
        hid().monitorFuture.waitForFinished();
        QVERIFY(hid().deviceTable.at(0).path2.isEmpty());
    }

    void emptyNotificationPathEndsTheLoopButKeepsMonitoring()
    {
        QList<DeviceEntry> table = hid().deviceTable;
        table[0].path2.clear();
        hid().setDeviceTable(table);
        hid().startDeviceMonitor(0);
        hid().monitorFuture.waitForFinished();
        QVERIFY(hid().monitoring);
        QVERIFY(sink.events.isEmpty());
        hid().stopDeviceMonitor();
        QVERIFY(!hid().monitoring);
    }

    void replacingTheTableWaitsForTheLoop()
    {
        hid().startDeviceMonitor(0);
        QVERIFY(hid().monitorFuture.isRunning());
        hid().setDeviceTable({});
        QVERIFY(hid().monitorFuture.isFinished());
        QVERIFY(!hid().monitoring);
    }
};

QTEST_GUILESS_MAIN(MonitorTest)
#include "test_device_monitor.moc"

// The device monitor: a pool task listening for stage reports on the
// notification interface and noticing when the mouse goes away.
#include "device/hid_thread.h"

#include <QMetaObject>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <hidapi.h>

namespace {
constexpr int kMonitorReadBoundMs = 500;
constexpr int kStageReportSize = 4;
constexpr uchar kOption553MonitorBit = 0x40;
constexpr uchar kOption560MonitorBit = 0x08;
} // namespace

bool Hid_Thread::sendKeyboardOptionForMonitor()
{
    if (family == Family::Second) {
        uchar byte1 = 0, byte2 = 0;
        if (!hid560_81H_GetKeyboardoption(byte1, byte2))
            return false;
        hid560_01H_SetKeyboardoption(uchar(byte1 | kOption560MonitorBit), byte2);
        return true;
    }
    uchar byte1 = 0, byte2 = 0, byte3 = 0, byte4 = 0;
    if (!hid553_83H_GetKeyboardoption(byte1, byte2, byte3, byte4))
        return false;
    hid553_03H_SetKeyboardoption(byte1, byte2, byte3, uchar(byte4 | kOption553MonitorBit));
    return true;
}

void Hid_Thread::startDeviceMonitor(int index)
{
    if (monitoring)
        monitoring = false;
    // Writing back bytes that were never read would clobber the mouse's options.
    if (!sendKeyboardOptionForMonitor())
        hidDebugLine({QStringLiteral("Keyboard option not read, left unchanged")});
    // The previous loop sees the cleared flag within one read cycle.
    monitorFuture.waitForFinished();
    monitoring = true;
    monitorFuture = QtConcurrent::run(QThreadPool::globalInstance(), &Hid_Thread::deviceMonitorLoop,
                                      this, index);
}

void Hid_Thread::stopDeviceMonitor()
{
    if (monitoring)
        monitoring = false;
}

void Hid_Thread::deliverToUi(std::function<void(DeviceMonitorSink *)> effect)
{
    QMetaObject::invokeMethod(
        this,
        [this, effect] {
            if (monitorSink)
                effect(monitorSink);
        },
        Qt::QueuedConnection);
}

void Hid_Thread::deviceMonitorLoop(int index)
{
    if (entryPath(index, true).isEmpty())
        return;
    while (monitoring) {
        hid_device *handle = openMonitorPath(index);
        if (!handle) {
            hidDebugLine({QStringLiteral("Device removed")});
            deliverToUi([](DeviceMonitorSink *sink) { sink->deviceRemoved(); });
            blankEntryPath(index, true);
            if (monitoring)
                monitoring = false;
            return;
        }
        uchar report[kStageReportSize] = {};
        const int received = hid_read_timeout(handle, report, sizeof(report), kMonitorReadBoundMs);
        if (received == kStageReportSize && report[0] == 0x06 && report[1] == 0x07) {
            const int stage = report[3];
            deliverToUi([stage](DeviceMonitorSink *sink) { sink->stageReported(stage); });
            deliverToUi([stage](DeviceMonitorSink *sink) { sink->dpiSwitchBalloon(stage); });
        }
        closeMonitorPath();
    }
}

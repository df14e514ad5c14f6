#pragma once

// What the device monitor wants done on the user-interface thread. Calls arrive
// queued on the thread Hid_Thread lives on; a stage report produces
// stageReported first, then dpiSwitchBalloon.
class DeviceMonitorSink
{
public:
    virtual ~DeviceMonitorSink();
    virtual void stageReported(int stage) = 0;
    virtual void dpiSwitchBalloon(int stage) = 0;
    virtual void deviceRemoved() = 0;
};

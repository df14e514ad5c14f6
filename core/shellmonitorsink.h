#pragma once

#include "device/devicemonitorsink.h"

class Widget;

// What the device monitor's findings do to the window: the stage goes to the
// scene, the stage's text to a tray balloon, a lost mouse locks the pages
// under the scene's device panel.
class ShellMonitorSink : public DeviceMonitorSink
{
public:
    explicit ShellMonitorSink(Widget &widget)
        : window(widget)
    {}
    void stageReported(int stage) override;
    void dpiSwitchBalloon(int stage) override;
    void deviceRemoved() override;

private:
    Widget &window;
};

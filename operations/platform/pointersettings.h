#pragma once

#include <memory>

// The desktop's pointer settings that the system settings page changes.
// Each call reports whether the value took effect anywhere.
class PointerSettings
{
public:
    virtual ~PointerSettings();
    virtual bool setCursorSpeed(int speed) = 0; // 1..20, 10 = 1:1
    virtual bool setDoubleClickTime(int milliseconds) = 0;
    virtual bool setWheelScrollLines(int lines) = 0; // 1000 = one screen per notch
    static std::unique_ptr<PointerSettings> createForPlatform();
};

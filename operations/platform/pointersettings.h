#pragma once

#include <QString>
#include <memory>

// Why a setting does not reach this desktop; the settings page says so
// beside the greyed-out control.
enum class PointerGap {
    NoGap,     // it does reach the desktop
    NoSetting, // the desktop keeps no such setting
    NoTool,    // the desktop's settings tool is not installed
    NoDevice,  // no pointer device takes it
};

// Which of the three settings this desktop takes.
struct PointerSupport {
    QString desktop; // "GNOME", "KDE", "X11", "Wayland", or empty without a display
    PointerGap cursorSpeed = PointerGap::NoSetting;
    PointerGap doubleClick = PointerGap::NoSetting;
    PointerGap wheelLines = PointerGap::NoSetting;
};

// The desktop's pointer settings that the system settings page changes.
// Each call reports whether the value reached the desktop; the double-click
// time and wheel lines also go to Kairo's own style hints either way.
class PointerSettings
{
public:
    virtual ~PointerSettings();
    virtual bool setCursorSpeed(int speed) = 0; // 1..20, 10 = 1:1
    virtual bool setDoubleClickTime(int milliseconds) = 0;
    virtual bool setWheelScrollLines(int lines) = 0; // 1000 = one screen per notch
    // May run the desktop's tools or ask it over D-Bus, so callers ask once
    // per page load rather than per frame.
    virtual PointerSupport support() = 0;

    // The implementation for the desktop this process runs on.
    static std::unique_ptr<PointerSettings> createForPlatform();
};

// The desktop families with an implementation of their own.
enum class PointerDesktop { Gnome, Kde, X11, Other };

struct PointerEnvironment {
    QString currentDesktop;      // XDG_CURRENT_DESKTOP, colon-separated
    QString sessionType;         // XDG_SESSION_TYPE
    bool waylandDisplay = false; // WAYLAND_DISPLAY is set
    bool x11Display = false;     // DISPLAY is set

    static PointerEnvironment current();
};

PointerDesktop pointerDesktopFor(const PointerEnvironment &environment);

// An X11 session without a desktop that keeps pointer settings. Devices run
// by xf86-input-libinput ignore the core pointer control and take their speed
// from the "libinput Accel Speed" property instead; servers without libinput
// (evdev, or no driver at all) still honour the core pointer control. Such a
// session keeps no double-click time or wheel lines for all programs.
#include "operations/platform/pointersettings_desktops.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <vector>

namespace {

int xErrorSeen = 0;

int recordXError(Display *, XErrorEvent *event)
{
    xErrorSeen = event->error_code;
    return 0;
}

// The default Xlib error handler would end the program.
class XErrorTrap
{
public:
    explicit XErrorTrap(Display *display)
        : display(display)
        , previous(XSetErrorHandler(recordXError))
    {
        xErrorSeen = 0;
    }
    ~XErrorTrap() { XSetErrorHandler(previous); }
    // Waits for the server's answer to everything sent so far.
    bool failed()
    {
        XSync(display, False);
        return xErrorSeen != 0;
    }

private:
    Display *display;
    XErrorHandler previous;
};

struct XDisplay {
    Display *display = XOpenDisplay(nullptr);
    ~XDisplay()
    {
        if (display)
            XCloseDisplay(display);
    }
};

struct Acceleration {
    int numerator;
    int denominator;
};

// Speed 1..20 as a movement multiplier, the same steps Windows uses without
// "enhance pointer precision": 1/32, 1/16 and 1/8 for 1 to 3, then eighths up
// to 1:1 at 10, then quarters up to 3.5 at 20. The threshold of one pixel lets
// the multiplier act on almost every movement, so it feels like a constant
// gain rather than a speed-dependent kick.
Acceleration accelerationFor(int speed)
{
    if (speed <= 3)
        return {1, 32 >> (speed - 1)};
    if (speed <= 10)
        return {speed - 2, 8};
    return {speed - 6, 4};
}
constexpr int accelerationThreshold = 1;

bool setCoreAcceleration(Display *display, int speed)
{
    const Acceleration acceleration = accelerationFor(speed);
    XErrorTrap trap(display);
    XChangePointerControl(display, True, True, acceleration.numerator, acceleration.denominator,
                          accelerationThreshold);
    return !trap.failed();
}

bool hasProperty(Display *display, int device, Atom property)
{
    int count = 0;
    Atom *properties = XIListProperties(display, device, &count);
    bool found = false;
    for (int i = 0; i < count && !found; ++i)
        found = properties[i] == property;
    XFree(properties);
    return found;
}

// Mice with a libinput speed; touchpads (the ones with tapping) keep theirs,
// as they do in the desktops' mouse settings.
std::vector<int> libinputMice(Display *display, Atom accelSpeed)
{
    std::vector<int> mice;
    int opcode = 0, event = 0, error = 0;
    int major = 2, minor = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)
        || XIQueryVersion(display, &major, &minor) != Success)
        return mice;
    const Atom tapping = XInternAtom(display, "libinput Tapping Enabled", True);
    int count = 0;
    XIDeviceInfo *devices = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        const int id = devices[i].deviceid;
        if (devices[i].use == XISlavePointer && hasProperty(display, id, accelSpeed)
            && (tapping == None || !hasProperty(display, id, tapping)))
            mice.push_back(id);
    }
    XIFreeDeviceInfo(devices);
    return mice;
}

// -1 when no device has a libinput speed, else whether all took the new one.
int setLibinputSpeed(Display *display, int speed)
{
    // The atom exists once any libinput device has announced the property.
    const Atom accelSpeed = XInternAtom(display, "libinput Accel Speed", True);
    if (accelSpeed == None)
        return -1;
    const std::vector<int> mice = libinputMice(display, accelSpeed);
    if (mice.empty())
        return -1;
    const Atom floatType = XInternAtom(display, "FLOAT", False);
    float value = float(PointerShared::unitSpeed(speed));
    XErrorTrap trap(display);
    for (int device : mice)
        XIChangeProperty(display, device, accelSpeed, floatType, 32, PropModeReplace,
                         reinterpret_cast<unsigned char *>(&value), 1);
    return trap.failed() ? 0 : 1;
}

class X11PointerSettings final : public PointerSettings
{
public:
    bool setCursorSpeed(int speed) override { return PointerShared::applyX11PointerSpeed(speed); }

    bool setDoubleClickTime(int milliseconds) override
    {
        if (milliseconds > 0)
            PointerShared::applyDoubleClickToKairo(milliseconds);
        return false;
    }

    bool setWheelScrollLines(int lines) override
    {
        if (lines > 0)
            PointerShared::applyWheelLinesToKairo(lines);
        return false;
    }

    PointerSupport support() override
    {
        const PointerGap speed =
            PointerShared::x11DisplayAvailable() ? PointerGap::NoGap : PointerGap::NoDevice;
        return {QStringLiteral("X11"), speed, PointerGap::NoSetting, PointerGap::NoSetting};
    }
};

} // namespace

namespace PointerShared {

bool x11DisplayAvailable()
{
    return XDisplay().display != nullptr;
}

bool applyX11PointerSpeed(int speed)
{
    if (speed < 1 || speed > 20)
        return false;
    XDisplay x;
    if (!x.display)
        return false;
    const int libinput = setLibinputSpeed(x.display, speed);
    if (libinput >= 0)
        return libinput == 1;
    return setCoreAcceleration(x.display, speed);
}

} // namespace PointerShared

std::unique_ptr<PointerSettings> createX11PointerSettings()
{
    return std::make_unique<X11PointerSettings>();
}

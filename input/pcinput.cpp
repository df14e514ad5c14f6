#include "input/pcinput.h"

#include "input/inputhooks.h"

namespace {

// Linux key codes, as the kernel's input layer numbers them.
enum LinuxKey {
    KeyLeftControl = 29,
    KeyRightShift = 54,
    KeyLeftAlt = 56,
    KeyNumLock = 69,
    KeyKeypadDot = 83,
    Key102nd = 86,
    KeyF11 = 87,
    KeyF12 = 88,
    KeyRightControl = 97,
    KeySysRq = 99,
    KeyRightAlt = 100,
    KeyPause = 119,
    KeyF13 = 183,
    KeyF23 = 193,
    KeyF24 = 194,
};

struct ExtendedKey {
    int linuxKeyCode;
    quint32 scanCode;
};

// Keys that a PC keyboard sends with the E0 prefix, which the hooks see as
// the extended flag. The right Shift and Num Lock carry the flag there too.
constexpr ExtendedKey extendedKeys[] = {
    {KeyRightShift, 0x36},
    {KeyNumLock, 0x45},
    {96, 0x1C}, // keypad Enter
    {KeyRightControl, 0x1D},
    {98, 0x35}, // keypad /
    {KeySysRq, 0x37},
    {KeyRightAlt, 0x38},
    {102, 0x47},
    {103, 0x48},
    {104, 0x49}, // Home, Up, Page Up
    {105, 0x4B},
    {106, 0x4D}, // Left, Right
    {107, 0x4F},
    {108, 0x50},
    {109, 0x51}, // End, Down, Page Down
    {110, 0x52},
    {111, 0x53}, // Insert, Delete
    {125, 0x5B},
    {126, 0x5C},
    {127, 0x5D}, // left and right Windows key, Menu
};

} // namespace

std::optional<PcScanCode> PcKeyboard::scanCodeOf(int linuxKeyCode)
{
    for (const ExtendedKey &key : extendedKeys) {
        if (key.linuxKeyCode == linuxKeyCode)
            return PcScanCode{key.scanCode, true};
    }
    // The kernel numbers the main block after the PC keyboard's own codes.
    if ((linuxKeyCode >= 1 && linuxKeyCode <= KeyKeypadDot) || linuxKeyCode == Key102nd
        || linuxKeyCode == KeyF11 || linuxKeyCode == KeyF12)
        return PcScanCode{quint32(linuxKeyCode), false};
    if (linuxKeyCode == KeyPause)
        return PcScanCode{0x45, false};
    if (linuxKeyCode >= KeyF13 && linuxKeyCode <= KeyF23)
        return PcScanCode{quint32(0x64 + linuxKeyCode - KeyF13), false};
    if (linuxKeyCode == KeyF24)
        return PcScanCode{0x76, false};
    return std::nullopt;
}

void PcKeyboard::trackModifier(int linuxKeyCode, bool pressed)
{
    switch (linuxKeyCode) {
    case KeyLeftAlt:
        leftAlt = pressed;
        break;
    case KeyRightAlt:
        rightAlt = pressed;
        break;
    case KeyLeftControl:
        leftControl = pressed;
        break;
    case KeyRightControl:
        rightControl = pressed;
        break;
    default:
        break;
    }
}

std::optional<PcKeyEvent> PcKeyboard::translate(int linuxKeyCode, bool pressed)
{
    trackModifier(linuxKeyCode, pressed);
    std::optional<PcScanCode> code = scanCodeOf(linuxKeyCode);
    if (!code)
        return std::nullopt;
    // A PC keyboard sends other codes for these two keys under a modifier.
    if (linuxKeyCode == KeyPause && controlDown())
        code = PcScanCode{0x46, true};
    else if (linuxKeyCode == KeySysRq && altDown())
        code = PcScanCode{0x54, false};

    quint32 flags = code->extended ? InputHooks::LLKHF_EXTENDED : 0;
    if (altDown())
        flags |= InputHooks::LLKHF_ALTDOWN;
    if (!pressed)
        flags |= InputHooks::LLKHF_UP;
    const bool system = altDown() || linuxKeyCode == 68; // F10 is a system key too
    const quint32 message = pressed ? (system ? InputHooks::WM_SYSKEYDOWN : InputHooks::WM_KEYDOWN)
                                    : (system ? InputHooks::WM_SYSKEYUP : InputHooks::WM_KEYUP);
    return PcKeyEvent{message, code->scanCode, flags};
}

std::optional<quint32> pcMouseMessage(int xButton, bool pressed)
{
    switch (xButton) {
    case 1:
        return pressed ? InputHooks::WM_LBUTTONDOWN : InputHooks::WM_LBUTTONUP;
    case 2:
        return pressed ? InputHooks::WM_MBUTTONDOWN : InputHooks::WM_MBUTTONUP;
    case 3:
        return pressed ? InputHooks::WM_RBUTTONDOWN : InputHooks::WM_RBUTTONUP;
    default:
        return std::nullopt;
    }
}

#pragma once

#include <QtGlobal>

#include <optional>

// Turns Linux input events into what a PC keyboard and mouse report to the
// low-level hooks: a key's scan code with its extended flag, the Alt state and
// the message, and for buttons the button message.
struct PcKeyEvent {
    quint32 message;
    quint32 scanCode;
    quint32 flags;
};

struct PcScanCode {
    quint32 scanCode;
    bool extended;
};

class PcKeyboard
{
public:
    // The scan code of a Linux key code (the X key code minus 8) with the
    // modifiers up; nothing for keys a PC keyboard has no code for.
    static std::optional<PcScanCode> scanCodeOf(int linuxKeyCode);

    // Tracks Alt and Control, since the Alt-held flag and the codes of
    // Ctrl+Pause and Alt+Print Screen depend on them.
    std::optional<PcKeyEvent> translate(int linuxKeyCode, bool pressed);

private:
    void trackModifier(int linuxKeyCode, bool pressed);
    bool altDown() const { return leftAlt || rightAlt; }
    bool controlDown() const { return leftControl || rightControl; }

    bool leftAlt = false;
    bool rightAlt = false;
    bool leftControl = false;
    bool rightControl = false;
};

// The mouse message of an X pointer button (1 left, 2 middle, 3 right);
// nothing for the wheel and the other buttons.
std::optional<quint32> pcMouseMessage(int xButton, bool pressed);

#pragma once

#include <QMap>
#include <QtGlobal>

#include <array>
#include <memory>

#include "input/inputeventsource.h"

// Global keyboard and mouse observation for macro recording and key capture.
// Key events arrive as PC keyboard scan codes, are turned into virtual keys
// and then into USB HID keyboard usages; the three main mouse buttons arrive
// as 0xF0 (left), 0xF1 (right) and 0xF2 (middle).
class InputHooks
{
public:
    using KeyboardCallback = void (*)(int usage, bool isDown, void *context);
    using MouseCallback = void (*)(int buttonCode, bool isDown, int x, int y, void *context);

    // Hook codes, messages and key flags as the low-level hooks name them.
    static constexpr int HC_ACTION = 0;
    static constexpr quint32 WM_KEYDOWN = 0x0100;
    static constexpr quint32 WM_KEYUP = 0x0101;
    static constexpr quint32 WM_SYSKEYDOWN = 0x0104;
    static constexpr quint32 WM_SYSKEYUP = 0x0105;
    static constexpr quint32 WM_LBUTTONDOWN = 0x0201;
    static constexpr quint32 WM_LBUTTONUP = 0x0202;
    static constexpr quint32 WM_LBUTTONDBLCLK = 0x0203;
    static constexpr quint32 WM_RBUTTONDOWN = 0x0204;
    static constexpr quint32 WM_RBUTTONUP = 0x0205;
    static constexpr quint32 WM_RBUTTONDBLCLK = 0x0206;
    static constexpr quint32 WM_MBUTTONDOWN = 0x0207;
    static constexpr quint32 WM_MBUTTONUP = 0x0208;
    static constexpr quint32 LLKHF_EXTENDED = 0x01;
    static constexpr quint32 LLKHF_ALTDOWN = 0x20;
    static constexpr quint32 LLKHF_UP = 0x80;

    InputHooks(); // the sources the session offers, chosen at installation
    explicit InputHooks(std::unique_ptr<InputEventSource> source);
    ~InputHooks();
    InputHooks(const InputHooks &) = delete;
    InputHooks &operator=(const InputHooks &) = delete;

    bool installInputHooks();
    void removeInputHooks();
    void setKeyboardCallback(KeyboardCallback callback, void *context);
    void setMouseCallback(MouseCallback callback, void *context);

    // The hook procedures; the event source calls them on the UI thread.
    void keyboardHookProc(int code, quint32 message, quint32 scanCode, quint32 flags);
    void mouseHookProc(int code, quint32 message, int x, int y);

    bool isInstalled() const { return hooksInstalled; }
    const QMap<quint16, quint8> &scanToVirtualKey() const { return scanToVirtualKeyTable; }
    const QMap<quint8, quint8> &virtualKeyToUsage() const { return virtualKeyToUsageTable; }
    bool keyDownState(int usage) const { return usage >= 0 && usage < 256 && keyDownStates[usage]; }

    // The button code of a mouse message (0 for the ones that are not reported).
    static int buttonCodeOf(quint32 message);

private:
    void fillKeyTables();
    quint8 virtualKeyOf(quint32 scanCode, quint32 flags) const;

    std::unique_ptr<InputEventSource> source;
    bool hooksInstalled = false;
    KeyboardCallback keyboardCallback = nullptr;
    void *keyboardContext = nullptr;
    MouseCallback mouseCallback = nullptr;
    void *mouseContext = nullptr;
    QMap<quint16, quint8> scanToVirtualKeyTable;
    QMap<quint8, quint8> virtualKeyToUsageTable;
    std::array<bool, 256> keyDownStates{};
};

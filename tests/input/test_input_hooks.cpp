#include "input/inputhooks.h"
#include "input/pcinput.h"
#include "tests/input/inputrecorder.h"

#include <QtTest>

#include <linux/input-event-codes.h>

namespace {

// Stands in for the platform's global event stream.
class FakeSource : public InputEventSource
{
public:
    bool available = true;
    int starts = 0;
    int stops = 0;
    bool start(InputHooks &) override
    {
        ++starts;
        return available;
    }
    void stop() override { ++stops; }
};

struct KeyRow {
    int linuxKeyCode;
    int hidUsage;
    const char *name;
};

// A standard 105-key (ISO) PC keyboard by Linux key code, with the usage the
// USB HID usage tables (keyboard/keypad page 0x07) give each key. The ISO key
// beside Enter reaches Linux as KEY_BACKSLASH, the same code as the US
// backslash key, so it is listed once, as "\ and |" (0x31).
const KeyRow standardKeyboard[] = {
    {KEY_ESC, 0x29, "Escape"},
    {KEY_F1, 0x3A, "F1"},
    {KEY_F2, 0x3B, "F2"},
    {KEY_F3, 0x3C, "F3"},
    {KEY_F4, 0x3D, "F4"},
    {KEY_F5, 0x3E, "F5"},
    {KEY_F6, 0x3F, "F6"},
    {KEY_F7, 0x40, "F7"},
    {KEY_F8, 0x41, "F8"},
    {KEY_F9, 0x42, "F9"},
    {KEY_F10, 0x43, "F10"},
    {KEY_F11, 0x44, "F11"},
    {KEY_F12, 0x45, "F12"},
    {KEY_GRAVE, 0x35, "Grave"},
    {KEY_1, 0x1E, "1"},
    {KEY_2, 0x1F, "2"},
    {KEY_3, 0x20, "3"},
    {KEY_4, 0x21, "4"},
    {KEY_5, 0x22, "5"},
    {KEY_6, 0x23, "6"},
    {KEY_7, 0x24, "7"},
    {KEY_8, 0x25, "8"},
    {KEY_9, 0x26, "9"},
    {KEY_0, 0x27, "0"},
    {KEY_MINUS, 0x2D, "Minus"},
    {KEY_EQUAL, 0x2E, "Equal"},
    {KEY_BACKSPACE, 0x2A, "Backspace"},
    {KEY_TAB, 0x2B, "Tab"},
    {KEY_Q, 0x14, "Q"},
    {KEY_W, 0x1A, "W"},
    {KEY_E, 0x08, "E"},
    {KEY_R, 0x15, "R"},
    {KEY_T, 0x17, "T"},
    {KEY_Y, 0x1C, "Y"},
    {KEY_U, 0x18, "U"},
    {KEY_I, 0x0C, "I"},
    {KEY_O, 0x12, "O"},
    {KEY_P, 0x13, "P"},
    {KEY_LEFTBRACE, 0x2F, "Left bracket"},
    {KEY_RIGHTBRACE, 0x30, "Right bracket"},
    {KEY_BACKSLASH, 0x31, "Backslash"},
    {KEY_CAPSLOCK, 0x39, "Caps Lock"},
    {KEY_A, 0x04, "A"},
    {KEY_S, 0x16, "S"},
    {KEY_D, 0x07, "D"},
    {KEY_F, 0x09, "F"},
    {KEY_G, 0x0A, "G"},
    {KEY_H, 0x0B, "H"},
    {KEY_J, 0x0D, "J"},
    {KEY_K, 0x0E, "K"},
    {KEY_L, 0x0F, "L"},
    {KEY_SEMICOLON, 0x33, "Semicolon"},
    {KEY_APOSTROPHE, 0x34, "Apostrophe"},
    {KEY_ENTER, 0x28, "Enter"},
    {KEY_LEFTSHIFT, 0xE1, "Left Shift"},
    {KEY_102ND, 0x64, "Non-US backslash"},
    {KEY_Z, 0x1D, "Z"},
    {KEY_X, 0x1B, "X"},
    {KEY_C, 0x06, "C"},
    {KEY_V, 0x19, "V"},
    {KEY_B, 0x05, "B"},
    {KEY_N, 0x11, "N"},
    {KEY_M, 0x10, "M"},
    {KEY_COMMA, 0x36, "Comma"},
    {KEY_DOT, 0x37, "Period"},
    {KEY_SLASH, 0x38, "Slash"},
    {KEY_RIGHTSHIFT, 0xE5, "Right Shift"},
    {KEY_LEFTCTRL, 0xE0, "Left Control"},
    {KEY_LEFTMETA, 0xE3, "Left GUI"},
    {KEY_LEFTALT, 0xE2, "Left Alt"},
    {KEY_SPACE, 0x2C, "Space"},
    {KEY_RIGHTALT, 0xE6, "Right Alt"},
    {KEY_RIGHTMETA, 0xE7, "Right GUI"},
    {KEY_COMPOSE, 0x65, "Application"},
    {KEY_RIGHTCTRL, 0xE4, "Right Control"},
    {KEY_SYSRQ, 0x46, "Print Screen"},
    {KEY_SCROLLLOCK, 0x47, "Scroll Lock"},
    {KEY_PAUSE, 0x48, "Pause"},
    {KEY_INSERT, 0x49, "Insert"},
    {KEY_HOME, 0x4A, "Home"},
    {KEY_PAGEUP, 0x4B, "Page Up"},
    {KEY_DELETE, 0x4C, "Delete"},
    {KEY_END, 0x4D, "End"},
    {KEY_PAGEDOWN, 0x4E, "Page Down"},
    {KEY_RIGHT, 0x4F, "Right"},
    {KEY_LEFT, 0x50, "Left"},
    {KEY_DOWN, 0x51, "Down"},
    {KEY_UP, 0x52, "Up"},
    {KEY_NUMLOCK, 0x53, "Num Lock"},
    {KEY_KPSLASH, 0x54, "Keypad /"},
    {KEY_KPASTERISK, 0x55, "Keypad *"},
    {KEY_KPMINUS, 0x56, "Keypad -"},
    {KEY_KPPLUS, 0x57, "Keypad +"},
    {KEY_KPENTER, 0x58, "Keypad Enter"},
    {KEY_KP1, 0x59, "Keypad 1"},
    {KEY_KP2, 0x5A, "Keypad 2"},
    {KEY_KP3, 0x5B, "Keypad 3"},
    {KEY_KP4, 0x5C, "Keypad 4"},
    {KEY_KP5, 0x5D, "Keypad 5"},
    {KEY_KP6, 0x5E, "Keypad 6"},
    {KEY_KP7, 0x5F, "Keypad 7"},
    {KEY_KP8, 0x60, "Keypad 8"},
    {KEY_KP9, 0x61, "Keypad 9"},
    {KEY_KP0, 0x62, "Keypad 0"},
    {KEY_KPDOT, 0x63, "Keypad ."},
};

using Key = InputRecorder::Key;

} // namespace

class TestInputHooks : public QObject
{
    Q_OBJECT

private:
    FakeSource *source = nullptr;
    std::unique_ptr<InputHooks> hooks;
    InputRecorder recorder;
    PcKeyboard keyboard;

    void type(int linuxKeyCode, bool pressed)
    {
        if (const auto key = keyboard.translate(linuxKeyCode, pressed))
            hooks->keyboardHookProc(InputHooks::HC_ACTION, key->message, key->scanCode, key->flags);
    }
    void tap(int linuxKeyCode)
    {
        type(linuxKeyCode, true);
        type(linuxKeyCode, false);
    }

private slots:
    void init()
    {
        auto fake = std::make_unique<FakeSource>();
        source = fake.get();
        hooks = std::make_unique<InputHooks>(std::move(fake));
        recorder = InputRecorder();
        keyboard = PcKeyboard();
        QVERIFY(hooks->installInputHooks());
        recorder.listenTo(*hooks);
    }

    void keyTablesHoldEveryListedEntry()
    {
        QCOMPARE(hooks->scanToVirtualKey().size(), 105);
        QCOMPARE(hooks->virtualKeyToUsage().size(), 121);
        // Reinstalling refills the tables from empty rather than adding to them.
        QVERIFY(hooks->installInputHooks());
        QCOMPARE(hooks->scanToVirtualKey().size(), 105);
        QCOMPARE(hooks->virtualKeyToUsage().size(), 121);
    }

    void standardKeyboardKeyGivesItsHidUsage_data()
    {
        QTest::addColumn<int>("linuxKeyCode");
        QTest::addColumn<int>("hidUsage");
        QCOMPARE(int(std::size(standardKeyboard)), 105);
        for (const KeyRow &row : standardKeyboard)
            QTest::newRow(row.name) << row.linuxKeyCode << row.hidUsage;
    }
    void standardKeyboardKeyGivesItsHidUsage()
    {
        QFETCH(int, linuxKeyCode);
        QFETCH(int, hidUsage);
        tap(linuxKeyCode);
        if (linuxKeyCode == KEY_RIGHTMETA) {
            // Absent from the key tables: the key is not reported at all.
            QVERIFY(recorder.keys.isEmpty());
            return;
        }
        QCOMPARE(recorder.keys, (QList<Key>{{hidUsage, true}, {hidUsage, false}}));
        QVERIFY(!hooks->keyDownState(hidUsage));
    }

    void heldKeyReportsOneDownAndOneUp()
    {
        for (int repeat = 0; repeat < 5; ++repeat)
            type(KEY_A, true);
        QCOMPARE(recorder.keys, (QList<Key>{{0x04, true}}));
        QVERIFY(hooks->keyDownState(0x04));
        type(KEY_A, false);
        type(KEY_A, false);
        QCOMPARE(recorder.keys, (QList<Key>{{0x04, true}, {0x04, false}}));
    }

    void sideDependentKeysStayApart()
    {
        tap(KEY_RIGHTCTRL);
        tap(KEY_LEFTCTRL);
        tap(KEY_KPENTER);
        tap(KEY_ENTER);
        QCOMPARE(recorder.keys, (QList<Key>{{0xE4, true},
                                            {0xE4, false},
                                            {0xE0, true},
                                            {0xE0, false},
                                            {0x58, true},
                                            {0x58, false},
                                            {0x28, true},
                                            {0x28, false}}));
    }

    void pauseAndPrintScreenUnderModifiers()
    {
        // Pause alone, then Ctrl+Pause (the keyboard's Break code), then Alt+Print Screen (SysRq).
        tap(KEY_PAUSE);
        type(KEY_LEFTCTRL, true);
        tap(KEY_PAUSE);
        type(KEY_LEFTCTRL, false);
        type(KEY_RIGHTALT, true);
        tap(KEY_SYSRQ);
        type(KEY_RIGHTALT, false);
        QCOMPARE(recorder.keys, (QList<Key>{{0x48, true},
                                            {0x48, false},
                                            {0xE0, true},
                                            {0x48, true},
                                            {0x48, false},
                                            {0xE0, false},
                                            {0xE6, true},
                                            {0x46, true},
                                            {0x46, false},
                                            {0xE6, false}}));
    }

    void hookLevelSpecialCasesAndRejections()
    {
        using H = InputHooks;
        hooks->keyboardHookProc(H::HC_ACTION, H::WM_SYSKEYDOWN, 0x54, H::LLKHF_ALTDOWN);
        hooks->keyboardHookProc(H::HC_ACTION, H::WM_SYSKEYUP, 0x54, H::LLKHF_ALTDOWN | H::LLKHF_UP);
        hooks->keyboardHookProc(H::HC_ACTION, H::WM_KEYDOWN, 0x46, H::LLKHF_EXTENDED);
        // SysRq without Alt, an unlisted extended code and an out-of-range scan code: nothing.
        hooks->keyboardHookProc(H::HC_ACTION, H::WM_KEYDOWN, 0x54, 0);
        hooks->keyboardHookProc(H::HC_ACTION, H::WM_KEYDOWN, 0x1E, H::LLKHF_EXTENDED);
        hooks->keyboardHookProc(H::HC_ACTION, H::WM_KEYDOWN, 0x1E + 0x100, 0);
        QCOMPARE(recorder.keys, (QList<Key>{{0x46, true}, {0x46, false}, {0x48, true}}));
    }

    void onlyActionDownMessagesCountAsDown()
    {
        using H = InputHooks;
        hooks->keyboardHookProc(H::HC_ACTION, H::WM_SYSKEYDOWN, 0x1E, 0);
        // A non-action hook code makes even a down message an up.
        hooks->keyboardHookProc(3, H::WM_KEYDOWN, 0x1E, 0);
        hooks->keyboardHookProc(H::HC_ACTION, H::WM_KEYDOWN, 0x1E, 0);
        hooks->keyboardHookProc(H::HC_ACTION, 0x0102 /* WM_CHAR */, 0x1E, 0);
        QCOMPARE(recorder.keys,
                 (QList<Key>{{0x04, true}, {0x04, false}, {0x04, true}, {0x04, false}}));
    }

    void keyStateTrackedWithoutCallback()
    {
        hooks->setKeyboardCallback(nullptr, nullptr);
        type(KEY_B, true);
        QVERIFY(hooks->keyDownState(0x05));
        recorder.listenTo(*hooks);
        type(KEY_B, true);
        QVERIFY(recorder.keys.isEmpty());
        type(KEY_B, false);
        QCOMPARE(recorder.keys, (QList<Key>{{0x05, false}}));
    }

    void mouseButtonTable()
    {
        using H = InputHooks;
        for (quint32 message = H::WM_LBUTTONDOWN; message <= H::WM_MBUTTONUP; ++message)
            hooks->mouseHookProc(H::HC_ACTION, message, int(message), -7);
        hooks->mouseHookProc(H::HC_ACTION, 0x0200 /* move */, 1, 1);
        hooks->mouseHookProc(H::HC_ACTION, 0x020A /* wheel */, 1, 1);
        hooks->mouseHookProc(H::HC_ACTION, 0x020B /* side button */, 1, 1);
        // The hook code is not examined for buttons.
        hooks->mouseHookProc(5, H::WM_LBUTTONDOWN, 3, 4);
        QCOMPARE(recorder.buttons, (QList<InputRecorder::Button>{{0xF0, true, 0x201, -7},
                                                                 {0xF0, false, 0x202, -7},
                                                                 {0xF1, true, 0x204, -7},
                                                                 {0xF1, false, 0x205, -7},
                                                                 {0xF2, true, 0x207, -7},
                                                                 {0xF2, false, 0x208, -7},
                                                                 {0xF0, true, 3, 4}}));
        QVERIFY(recorder.keys.isEmpty());
    }

    void xButtonsBecomeButtonMessages()
    {
        QCOMPARE(pcMouseMessage(1, true), std::optional<quint32>(InputHooks::WM_LBUTTONDOWN));
        QCOMPARE(pcMouseMessage(1, false), std::optional<quint32>(InputHooks::WM_LBUTTONUP));
        QCOMPARE(pcMouseMessage(2, true), std::optional<quint32>(InputHooks::WM_MBUTTONDOWN));
        QCOMPARE(pcMouseMessage(3, false), std::optional<quint32>(InputHooks::WM_RBUTTONUP));
        for (int wheelOrSide : {4, 5, 6, 7, 8, 9})
            QVERIFY(!pcMouseMessage(wheelOrSide, true));
    }

    void installReportsWhetherTheSourceStarted()
    {
        QCOMPARE(source->starts, 1);
        QVERIFY(hooks->isInstalled());
        source->available = false;
        QVERIFY(!hooks->installInputHooks());
        QCOMPARE(source->stops, 1); // the running source was removed before the new attempt
        QVERIFY(!hooks->isInstalled());
        hooks->removeInputHooks();
        // Key capture still works when fed directly, e.g. by another source later.
        tap(KEY_A);
        QCOMPARE(recorder.keys.size(), 2);
    }

    void noDisplayMeansNoHooks()
    {
        qunsetenv("DISPLAY");
        InputHooks platformHooks;
        QVERIFY(!platformHooks.installInputHooks());
        QVERIFY(!platformHooks.isInstalled());
        platformHooks.removeInputHooks();
        qputenv("DISPLAY", ":65000"); // nothing listens there
        QVERIFY(!platformHooks.installInputHooks());
    }
};

QTEST_GUILESS_MAIN(TestInputHooks)
#include "test_input_hooks.moc"

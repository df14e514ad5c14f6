// Drives the real X source: xdotool injects keys and clicks into the test's
// own Xvfb server and they must come out of the hooks' callbacks.
#include "input/inputhooks.h"
#include "tests/input/inputrecorder.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using Key = InputRecorder::Key;
using Button = InputRecorder::Button;

class TestInputXInput : public QObject
{
    Q_OBJECT

private:
    InputHooks hooks;
    InputRecorder recorder;

    void xdotool(const QStringList &arguments)
    {
        QProcess process;
        process.start("xdotool", arguments);
        QVERIFY2(process.waitForFinished(10000), "xdotool did not finish");
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool is not installed");
        QVERIFY2(hooks.installInputHooks(), "no XInput2 on the test display");
        recorder.listenTo(hooks);
    }

    void init()
    {
        recorder = InputRecorder();
        recorder.listenTo(hooks);
    }

    // Keys are named by X key code (Linux key code + 8) so that xdotool
    // presses exactly that key and adds no modifiers of its own.
    void typedKeysArriveAsUsages()
    {
        // a, right Control, left Control, keypad Enter, Enter, Pause
        xdotool({"key", "38", "105", "37", "104", "36", "127"});
        const QList<Key> expected{{0x04, true}, {0x04, false}, {0xE4, true}, {0xE4, false},
                                  {0xE0, true}, {0xE0, false}, {0x58, true}, {0x58, false},
                                  {0x28, true}, {0x28, false}, {0x48, true}, {0x48, false}};
        QTRY_COMPARE(recorder.keys, expected);
    }

    void pauseAndPrintScreenUnderModifiers()
    {
        // Ctrl+Pause, then Alt+Print Screen
        xdotool({"keydown", "37", "key", "127", "keyup", "37", "keydown", "64", "key", "107",
                 "keyup", "64"});
        const QList<Key> expected{{0xE0, true}, {0x48, true}, {0x48, false}, {0xE0, false},
                                  {0xE2, true}, {0x46, true}, {0x46, false}, {0xE2, false}};
        QTRY_COMPARE(recorder.keys, expected);
    }

    void heldKeyIsReportedOnce()
    {
        xdotool({"keydown", "56", "keydown", "56", "keydown", "56"});
        QTRY_COMPARE(recorder.keys, (QList<Key>{{0x05, true}}));
        xdotool({"keyup", "56"});
        QTRY_COMPARE(recorder.keys, (QList<Key>{{0x05, true}, {0x05, false}}));
    }

    void buttonsArriveWithThePointerPosition()
    {
        // The position is the pointer's when the event is read, so the
        // pointer stays put while the buttons are pressed. The wheel
        // (buttons 4, 5) and movement must not show up.
        xdotool({"mousemove", "123", "456"});
        xdotool({"click", "1", "click", "4", "click", "5"});
        QTRY_COMPARE(recorder.buttons,
                     (QList<Button>{{0xF0, true, 123, 456}, {0xF0, false, 123, 456}}));
        xdotool({"mousemove", "300", "200"});
        xdotool({"click", "3", "click", "2"});
        const QList<Button> expected{{0xF0, true, 123, 456}, {0xF0, false, 123, 456},
                                     {0xF1, true, 300, 200}, {0xF1, false, 300, 200},
                                     {0xF2, true, 300, 200}, {0xF2, false, 300, 200}};
        QTRY_COMPARE(recorder.buttons, expected);
        QTest::qWait(200);
        QCOMPARE(recorder.buttons, expected);
        QVERIFY(recorder.keys.isEmpty());
    }

    void removedHooksHearNothing()
    {
        hooks.removeInputHooks();
        xdotool({"key", "54"}); // c
        QTest::qWait(300);
        QVERIFY(recorder.keys.isEmpty());
        QVERIFY(hooks.installInputHooks());
        xdotool({"key", "40"}); // d
        QTRY_COMPARE(recorder.keys, (QList<Key>{{0x07, true}, {0x07, false}}));
    }
};

QTEST_GUILESS_MAIN(TestInputXInput)
#include "test_input_xinput.moc"

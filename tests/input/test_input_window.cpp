// Kairo's own window as an event source: a window built like Kairo's (a
// widget holding a Qt Quick scene) on the test's Xvfb server, xdotool typing
// and clicking into it, and the hooks' usages and button codes coming out,
// once per press. On X11 the chooser runs XInput2 alone, which sees the same
// keys; both are checked against each other.
#include "input/capturechoice.h"
#include "input/inputhooks.h"
#include "input/inputsources.h"
#include "tests/input/inputrecorder.h"

#include <QProcess>
#include <QQuickWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <X11/Xlib.h>

using Key = InputRecorder::Key;
using Button = InputRecorder::Button;

class TestInputWindow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QWidget window;
    InputHooks windowHooks{createWindowEventSource()};
    InputRecorder recorder;

    void xdotool(const QStringList &arguments)
    {
        QProcess process;
        process.start("xdotool", arguments);
        QVERIFY2(process.waitForFinished(10000), "xdotool did not finish");
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    }

    // The focus moved by another client, as a window manager would; Qt's
    // own activation could lose against a newer focus time.
    void focusWindow(Window focus)
    {
        Display *display = XOpenDisplay(nullptr);
        QVERIFY(display);
        XSetInputFocus(display, focus, RevertToNone, CurrentTime);
        XCloseDisplay(display);
    }

    // X11's server-side repeat comes as release and press pairs that Qt
    // marks as repeats only when it finds both in its queue, which a loaded
    // machine does not always give; the keyboard's own repeat (further
    // presses) stays.
    void setServerRepeat(bool on)
    {
        Display *display = XOpenDisplay(nullptr);
        QVERIFY(display);
        XKeyboardControl control{};
        control.auto_repeat_mode = on ? AutoRepeatModeOn : AutoRepeatModeOff;
        XChangeKeyboardControl(display, KBAutoRepeatMode, &control);
        XCloseDisplay(display);
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool is not installed");
        QVERIFY(dir.isValid());
        QFile scene(dir.filePath("scene.qml"));
        QVERIFY(scene.open(QIODevice::WriteOnly));
        scene.write("import QtQuick\nRectangle { color: \"gray\"; focus: true }\n");
        scene.close();

        auto *quick = new QQuickWidget(QUrl::fromLocalFile(scene.fileName()), &window);
        quick->setResizeMode(QQuickWidget::SizeRootObjectToView);
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(quick);
        window.setGeometry(100, 100, 400, 300);
        window.show();
        quick->setFocus();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(windowHooks.installInputHooks());
        setServerRepeat(false);
    }

    void cleanupTestCase() { setServerRepeat(true); }

    void init()
    {
        focusWindow(window.winId());
        QVERIFY(QTest::qWaitForWindowActive(&window));
        recorder = InputRecorder();
        recorder.listenTo(windowHooks);
    }

    void keysTypedIntoTheWindow_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QList<Key>>("keys");
        // Keys by X key code (Linux key code + 8), so that xdotool presses
        // exactly that key and adds no modifiers of its own.
        QTest::newRow("letters") << QStringList{"key", "38", "56"}
                                 << QList<Key>{
                                        {0x04, true}, {0x04, false}, {0x05, true}, {0x05, false}};
        QTest::newRow("Enter and keypad Enter")
            << QStringList{"key", "36", "104"}
            << QList<Key>{{0x28, true}, {0x28, false}, {0x58, true}, {0x58, false}};
        QTest::newRow("left and right Ctrl")
            << QStringList{"key", "37", "105"}
            << QList<Key>{{0xE0, true}, {0xE0, false}, {0xE4, true}, {0xE4, false}};
        QTest::newRow("held key pressed again")
            << QStringList{"keydown", "56", "keydown", "56", "keydown", "56", "keyup", "56"}
            << QList<Key>{{0x05, true}, {0x05, false}};
        QTest::newRow("Ctrl+Pause")
            << QStringList{"keydown", "37", "key", "127", "keyup", "37"}
            << QList<Key>{{0xE0, true}, {0x48, true}, {0x48, false}, {0xE0, false}};
    }
    void keysTypedIntoTheWindow()
    {
        QFETCH(QStringList, typed);
        QFETCH(QList<Key>, keys);
        xdotool(typed);
        QTRY_COMPARE(recorder.keys, keys);
        QTest::qWait(200); // nothing arrives a second time
        QCOMPARE(recorder.keys, keys);
    }

    void buttonsClickedIntoTheWindow()
    {
        // The wheel (4) is no button; a double click is two clicks.
        xdotool({"mousemove", "150",      "160", "click",   "1",  "click", "4",
                 "mousemove", "300",      "250", "click",   "3",  "click", "2",
                 "click",     "--repeat", "2",   "--delay", "80", "1"});
        const QList<Button> expected{{0xF0, true, 150, 160}, {0xF0, false, 150, 160},
                                     {0xF1, true, 300, 250}, {0xF1, false, 300, 250},
                                     {0xF2, true, 300, 250}, {0xF2, false, 300, 250},
                                     {0xF0, true, 300, 250}, {0xF0, false, 300, 250},
                                     {0xF0, true, 300, 250}, {0xF0, false, 300, 250}};
        QTRY_COMPARE(recorder.buttons, expected);
        QTest::qWait(200);
        QCOMPARE(recorder.buttons, expected);
        QVERIFY(recorder.keys.isEmpty());
    }

    void focusLeavingLetsHeldKeysGo()
    {
        xdotool({"keydown", "38"});
        QTRY_COMPARE(recorder.keys, (QList<Key>{{0x04, true}}));
        focusWindow(None);
        QTRY_COMPARE(recorder.keys, (QList<Key>{{0x04, true}, {0x04, false}}));
        xdotool({"keyup", "38"});
        focusWindow(window.winId());
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // The next press is a press again, not taken for the held key.
        xdotool({"key", "38"});
        QTRY_COMPARE(recorder.keys.size(), 4);
        QCOMPARE(recorder.keys.mid(2), (QList<Key>{{0x04, true}, {0x04, false}}));
    }

    void chooserOnX11RunsXInput2Alone()
    {
        InputHooks platformHooks;
        InputRecorder platformRecorder;
        platformRecorder.listenTo(platformHooks);
        QVERIFY(platformHooks.installInputHooks());
        QCOMPARE(activeCaptureScope(), (CaptureScope{"global", ""}));

        // Typed into Kairo's window: the window alone reports it once, and
        // the chosen capture reports it once too, not once per source.
        xdotool({"key", "54", "104", "105"});
        const QList<Key> expected{{0x06, true},  {0x06, false}, {0x58, true},
                                  {0x58, false}, {0xE4, true},  {0xE4, false}};
        QTRY_COMPARE(platformRecorder.keys, expected);
        QTRY_COMPARE(recorder.keys, expected);
        QTest::qWait(200);
        QCOMPARE(platformRecorder.keys, expected);

        // Outside the window only the global capture hears it.
        focusWindow(None);
        QTest::qWait(100);
        recorder = InputRecorder();
        recorder.listenTo(windowHooks);
        xdotool({"key", "40"});
        QTRY_COMPARE(platformRecorder.keys.size(), expected.size() + 2);
        QCOMPARE(platformRecorder.keys.mid(expected.size()),
                 (QList<Key>{{0x07, true}, {0x07, false}}));
        QVERIFY(recorder.keys.isEmpty());

        platformHooks.removeInputHooks();
        QCOMPARE(activeCaptureScope().scope, QStringLiteral("none"));
    }
};

QTEST_MAIN(TestInputWindow)
#include "test_input_window.moc"

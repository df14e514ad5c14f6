// The whole capture path in the real program: xdotool types into the test's
// own Xvfb server while a copy of the built program runs there with the
// virtual mouse connected, and the scene's detectKeyboard and detectMouse
// calls (as the view traces them) must carry the right codes, once per press.
#include "tests/support/programcopy.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <X11/Xlib.h>

namespace {

// Keys by X key code (Linux key code + 8), so xdotool presses exactly that
// key and adds no modifiers of its own. Every code has two digits or more:
// a single digit would be read as a key symbol.
constexpr int keyA = 38, keyB = 56, key1 = 10, key0 = 19, keyEnter = 36, keyLeftControl = 37,
              keyRightControl = 105, keyKeypadEnter = 104, keyPause = 127, keyF12 = 96;

// F12 (usage 0x45) closes every burst: input reaches the scene in the order
// it was typed, so once its release is printed everything typed before it
// has been printed too, and nothing more is on its way.
constexpr int markerUsage = 0x45;

QString down(int usage)
{
    return QStringLiteral("detectKeyboard true %1").arg(usage);
}
QString up(int usage)
{
    return QStringLiteral("detectKeyboard false %1").arg(usage);
}
QString button(bool isDown, int code, int x, int y)
{
    return QStringLiteral("detectMouse %1 %2 %3 %4")
        .arg(isDown ? "true" : "false")
        .arg(code)
        .arg(x)
        .arg(y);
}

} // namespace

class TestInputProgram : public QObject
{
    Q_OBJECT

private:
    kairo::test::ProgramCopy copy;
    QProcess kairo;
    QByteArray seen;
    qsizetype consumed = 0; // the part of seen already handed to a test

    bool waitFor(const QByteArray &text, qsizetype from, int ms = 20000)
    {
        QByteArray fresh = seen.mid(from);
        kairo::test::waitForOutput(kairo, fresh, text, ms);
        seen = seen.left(from) + fresh;
        return fresh.contains(text);
    }

    void xdotool(const QStringList &arguments)
    {
        QProcess process;
        process.start("xdotool", arguments);
        QVERIFY2(process.waitForFinished(10000), "xdotool did not finish");
        QCOMPARE(process.exitCode(), 0);
    }

    // Types the actions, then the marker, and returns every scene input
    // call printed since the last burst (the marker's own pair left out).
    QStringList typed(const QStringList &actions)
    {
        xdotool(actions + QStringList{"key", QString::number(keyF12)});
        const QByteArray marker = "scene: " + up(markerUsage).toLatin1() + "\n";
        if (!waitFor(marker, consumed)) {
            qWarning("program output so far:\n%s", seen.constData());
            return {QStringLiteral("marker never reached the scene")};
        }
        const qsizetype end = seen.indexOf(marker, consumed) + marker.size();
        const QString burst = QString::fromLatin1(seen.mid(consumed, end - consumed));
        consumed = end;

        static const QRegularExpression call(QStringLiteral("scene: (detect(Keyboard|Mouse) .*)$"),
                                             QRegularExpression::MultilineOption);
        QStringList calls;
        for (auto match = call.globalMatch(burst); match.hasNext();)
            calls << match.next().captured(1).trimmed();
        const QStringList markerPair{down(markerUsage), up(markerUsage)};
        if (calls.size() >= 2 && calls.mid(calls.size() - 2) == markerPair)
            calls.resize(calls.size() - 2);
        else
            calls << QStringLiteral("(marker pair missing or out of order)");
        return calls;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool is not installed");
        QString failed = copy.copyIn();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        failed = copy.start(kairo, copy.environment(), {}, kairo::test::Output::Process);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        // Input is forwarded only once the scene is up, and the scene comes
        // up only with a mouse connected.
        QVERIFY2(waitFor("scene: run", 0, 60000), seen.constData());
        QVERIFY(seen.contains("Device Connect"));
        consumed = seen.size();

        // No window may hold the focus and the pointer is off the program's
        // window: the keys reach nobody's window, only the root window's raw
        // event stream.
        xdotool({"mousemove", "1910", "1070"});
        Display *display = XOpenDisplay(nullptr);
        QVERIFY(display);
        XSetInputFocus(display, None, RevertToNone, CurrentTime);
        XSync(display, False);
        XCloseDisplay(display);
    }

    void cleanupTestCase() { kairo::test::stopProgram(kairo); }

    void ordinaryKeysArriveOncePerPress()
    {
        // The second "a" is a second press, not a repeat.
        const QStringList calls =
            typed({"key", QString::number(keyA), QString::number(keyA), QString::number(key1),
                   QString::number(key0), QString::number(keyEnter)});
        QCOMPARE(calls, (QStringList{down(0x04), up(0x04), down(0x04), up(0x04), down(0x1E),
                                     up(0x1E), down(0x27), up(0x27), down(0x28), up(0x28)}));
    }

    void heldKeyArrivesOnce()
    {
        const QString b = QString::number(keyB);
        xdotool({"keydown", b});
        QVERIFY(waitFor(("scene: " + down(0x05) + "\n").toLatin1(), consumed));
        // Held past the server's auto-repeat delay, with the further downs a
        // keyboard's own repeat sends; only the release may follow the down.
        xdotool({"keydown", b, "keydown", b});
        QTest::qWait(1200);
        QCOMPARE(typed({"keyup", b}), (QStringList{down(0x05), up(0x05)}));
    }

    void sideAndKeypadKeysStayApart()
    {
        const QStringList calls =
            typed({"key", QString::number(keyRightControl), QString::number(keyLeftControl),
                   QString::number(keyKeypadEnter), QString::number(keyEnter),
                   QString::number(keyPause)});
        QCOMPARE(calls, (QStringList{down(0xE4), up(0xE4), down(0xE0), up(0xE0), down(0x58),
                                     up(0x58), down(0x28), up(0x28), down(0x48), up(0x48)}));
    }

    void leftClickArrivesWithThePointerPosition()
    {
        // Off the program's window and then over it; the wheel is no button.
        const QStringList calls = typed({"mousemove", "1800", "1000", "click", "1", "click", "4",
                                         "mousemove", "300", "200", "click", "1"});
        QCOMPARE(calls,
                 (QStringList{button(true, 0xF0, 1800, 1000), button(false, 0xF0, 1800, 1000),
                              button(true, 0xF0, 300, 200), button(false, 0xF0, 300, 200)}));
        // Moving back off the window for the other tests.
        xdotool({"mousemove", "1910", "1070"});
    }
};

QTEST_GUILESS_MAIN(TestInputProgram)
#include "test_input_program.moc"

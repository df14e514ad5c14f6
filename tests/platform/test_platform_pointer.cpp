// The Linux pointer settings against a real X server (the test's Xvfb) and
// stand-in desktop tools.
#include "operations/platform/pointersettings.h"
#include "tests/platform/fakedesktoptool.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <QtTest>

#include <X11/Xlib.h>

namespace {

struct PointerControl {
    int numerator = 0;
    int denominator = 0;
    int threshold = 0;
};

PointerControl readPointerControl()
{
    PointerControl control;
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return control;
    XGetPointerControl(display, &control.numerator, &control.denominator, &control.threshold);
    XCloseDisplay(display);
    return control;
}

} // namespace

class PointerSettingsOnX : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<PointerSettings> pointer = PointerSettings::createForPlatform();

private slots:
    void speedBecomesTheServersAcceleration_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<double>("multiplier");
        QTest::newRow("slowest") << 1 << 1.0 / 32;
        QTest::newRow("2") << 2 << 1.0 / 16;
        QTest::newRow("3") << 3 << 1.0 / 8;
        QTest::newRow("4") << 4 << 2.0 / 8;
        QTest::newRow("9") << 9 << 7.0 / 8;
        QTest::newRow("one to one") << 10 << 1.0;
        QTest::newRow("11") << 11 << 5.0 / 4;
        QTest::newRow("fastest") << 20 << 14.0 / 4;
    }
    void speedBecomesTheServersAcceleration()
    {
        QFETCH(int, speed);
        QFETCH(double, multiplier);
        QVERIFY(pointer->setCursorSpeed(speed));
        const PointerControl control = readPointerControl();
        QVERIFY(control.denominator > 0);
        QCOMPARE(double(control.numerator) / control.denominator, multiplier);
        QCOMPARE(control.threshold, 1);
    }

    void speedOutsideTheScaleChangesNothing()
    {
        QVERIFY(pointer->setCursorSpeed(10));
        QVERIFY(!pointer->setCursorSpeed(0));
        QVERIFY(!pointer->setCursorSpeed(21));
        const PointerControl control = readPointerControl();
        QCOMPARE(control.numerator, control.denominator);
    }

    void speedFailsWithoutAnXServer()
    {
        const QByteArray display = qgetenv("DISPLAY");
        qputenv("DISPLAY", ":4093");
        const bool applied = pointer->setCursorSpeed(12);
        qputenv("DISPLAY", display);
        QVERIFY(!applied);
    }

    // Without a desktop that keeps these settings they still reach Kairo
    // itself, which counts as applied.
    void doubleClickAndWheelReachKairosOwnHints()
    {
        FakeDesktopTools tools;
        tools.setDesktop("XFCE");
        QVERIFY(pointer->setDoubleClickTime(690));
        QCOMPARE(QGuiApplication::styleHints()->mouseDoubleClickInterval(), 690);
        QVERIFY(pointer->setWheelScrollLines(1000));
        QCOMPARE(QGuiApplication::styleHints()->wheelScrollLines(), 1000);
        QVERIFY(!pointer->setDoubleClickTime(0));
        QVERIFY(!pointer->setWheelScrollLines(0));
        QCOMPARE(QGuiApplication::styleHints()->mouseDoubleClickInterval(), 690);
    }

    void gnomeGetsTheDoubleClickTimeOnly()
    {
        FakeDesktopTools tools;
        QVERIFY(tools.valid());
        tools.install("gsettings");
        tools.setDesktop("ubuntu:GNOME");
        QVERIFY(pointer->setDoubleClickTime(410));
        QVERIFY(pointer->setWheelScrollLines(3));
        const QStringList expected{"writable org.gnome.desktop.peripherals.mouse double-click",
                                   "set org.gnome.desktop.peripherals.mouse double-click 410"};
        QCOMPARE(tools.calls("gsettings"), expected);
    }

    void gnomeWithoutTheKeyIsNotWritten()
    {
        FakeDesktopTools tools;
        tools.install("gsettings", 0, "writable");
        tools.setDesktop("GNOME");
        QVERIFY(pointer->setDoubleClickTime(550)); // Kairo's own hint still takes it
        QCOMPARE(tools.calls("gsettings").size(), 1);
    }

    void kdeGetsBothAndFallsBackToTheOlderTool()
    {
        FakeDesktopTools tools;
        tools.install("kwriteconfig6", 1);
        tools.install("kwriteconfig5");
        tools.setDesktop("KDE");
        QVERIFY(pointer->setWheelScrollLines(7));
        QVERIFY(pointer->setDoubleClickTime(480));
        const QString common = "--file kdeglobals --group KDE --key ";
        QCOMPARE(tools.calls("kwriteconfig6").size(), 2);
        const QStringList expected{common + "WheelScrollLines --notify 7",
                                   common + "DoubleClickInterval --notify 480"};
        QCOMPARE(tools.calls("kwriteconfig5"), expected);
    }
};

QTEST_MAIN(PointerSettingsOnX)
#include "test_platform_pointer.moc"

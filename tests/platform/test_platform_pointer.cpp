// The pointer settings against a real X server (the test's Xvfb) and
// stand-in desktop tools. Xvfb has no libinput devices; its XTEST pointer is
// given the libinput driver's property to stand in for one.
#include "operations/platform/pointersettings.h"
#include "tests/platform/fakedesktoptool.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <QtTest>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

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

void setCoreAcceleration(int numerator, int denominator)
{
    Display *display = XOpenDisplay(nullptr);
    XChangePointerControl(display, True, True, numerator, denominator, 1);
    XCloseDisplay(display);
}

// A float property of the XTEST pointer, made (or removed with NaN) as the
// libinput driver would announce it.
class XtestPointerProperty
{
public:
    explicit XtestPointerProperty(const char *name, float value)
        : display(XOpenDisplay(nullptr))
        , property(XInternAtom(display, name, False))
    {
        int major = 2, minor = 0;
        XIQueryVersion(display, &major, &minor);
        int count = 0;
        XIDeviceInfo *devices = XIQueryDevice(display, XIAllDevices, &count);
        for (int i = 0; i < count; ++i) {
            if (devices[i].use == XISlavePointer)
                device = devices[i].deviceid;
        }
        XIFreeDeviceInfo(devices);
        XIChangeProperty(display, device, property, XInternAtom(display, "FLOAT", False), 32,
                         PropModeReplace, reinterpret_cast<unsigned char *>(&value), 1);
        XSync(display, False);
    }
    ~XtestPointerProperty()
    {
        XIDeleteProperty(display, device, property);
        XCloseDisplay(display);
    }

    float value() const
    {
        Atom type;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        float result = qQNaN();
        if (XIGetProperty(display, device, property, 0, 1, False, AnyPropertyType, &type, &format,
                          &items, &after, &data)
                == Success
            && items == 1 && format == 32)
            memcpy(&result, data, sizeof result);
        XFree(data);
        return result;
    }
    bool onAPointer() const { return device > 0; }

private:
    Display *display;
    Atom property;
    int device = 0;
};

} // namespace

class PointerSettingsOnX : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<PointerSettings> pointer;

private slots:
    // An X11 session on no desktop that keeps pointer settings.
    void initTestCase()
    {
        qunsetenv("XDG_CURRENT_DESKTOP");
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("XDG_SESSION_TYPE", "x11");
        pointer = PointerSettings::createForPlatform();
        const PointerSupport support = pointer->support();
        QCOMPARE(support.desktop, QStringLiteral("X11"));
        QCOMPARE(support.cursorSpeed, PointerGap::NoGap);
        QCOMPARE(support.doubleClick, PointerGap::NoSetting);
        QCOMPARE(support.wheelLines, PointerGap::NoSetting);
    }

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

    // libinput devices take the speed on the -1..1 scale; the core control
    // stays as it was.
    void libinputDevicesTakeTheirOwnSpeed_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<float>("accelSpeed");
        QTest::newRow("slowest") << 1 << -1.0f;
        QTest::newRow("2") << 2 << float(-8 / 9.0);
        QTest::newRow("one to one") << 10 << 0.0f;
        QTest::newRow("14") << 14 << 0.4f;
        QTest::newRow("fastest") << 20 << 1.0f;
    }
    void libinputDevicesTakeTheirOwnSpeed()
    {
        QFETCH(int, speed);
        QFETCH(float, accelSpeed);
        setCoreAcceleration(3, 2);
        XtestPointerProperty libinputSpeed("libinput Accel Speed", 0.5f);
        QVERIFY(libinputSpeed.onAPointer());
        QVERIFY(pointer->setCursorSpeed(speed));
        QVERIFY(qAbs(libinputSpeed.value() - accelSpeed) < 1e-4f);
        const PointerControl control = readPointerControl();
        QCOMPARE(double(control.numerator) / control.denominator, 1.5);
    }

    // A touchpad keeps its own speed, as in the desktops' mouse settings.
    void touchpadsKeepTheirSpeed()
    {
        XtestPointerProperty libinputSpeed("libinput Accel Speed", 0.5f);
        XtestPointerProperty tapping("libinput Tapping Enabled", 1.0f);
        QVERIFY(pointer->setCursorSpeed(20));
        QCOMPARE(libinputSpeed.value(), 0.5f);
        const PointerControl control = readPointerControl();
        QCOMPARE(double(control.numerator) / control.denominator, 3.5);
    }

    // Plasma on X11 sets the server's devices and keeps the speed in [Mouse]
    // for the next session (the real kwriteconfig5, a private folder).
    void plasmaOnX11KeepsTheSpeedForItsNextSession()
    {
        if (QStandardPaths::findExecutable("kwriteconfig5").isEmpty())
            QSKIP("kwriteconfig5 (libkf5config-bin) is not installed");
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        auto plasma = PointerSettings::createForPlatform();
        qunsetenv("XDG_CURRENT_DESKTOP");
        QCOMPARE(plasma->support().cursorSpeed, PointerGap::NoGap);
        XtestPointerProperty libinputSpeed("libinput Accel Speed", 0.5f);
        QVERIFY(plasma->setCursorSpeed(4));
        QVERIFY(qAbs(libinputSpeed.value() - float(-6 / 9.0)) < 1e-4f);
        QFile kcminputrc(config.filePath("kcminputrc"));
        QVERIFY(kcminputrc.open(QIODevice::ReadOnly));
        QCOMPARE(kcminputrc.readAll().trimmed(),
                 QByteArray("[Mouse]\nXLbInptPointerAcceleration=-0.6667"));
        qunsetenv("XDG_CONFIG_HOME");
    }

    // Without a desktop that keeps these settings they reach only Kairo
    // itself, which does not count as applied: the page greys them out.
    void doubleClickAndWheelReachKairosOwnHints()
    {
        FakeDesktopTools tools;
        tools.setDesktop("XFCE");
        QVERIFY(!pointer->setDoubleClickTime(690));
        QCOMPARE(QGuiApplication::styleHints()->mouseDoubleClickInterval(), 690);
        QVERIFY(!pointer->setWheelScrollLines(1000));
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
        auto gnome = PointerSettings::createForPlatform();
        QVERIFY(gnome->setDoubleClickTime(410));
        QVERIFY(!gnome->setWheelScrollLines(3));
        QCOMPARE(QGuiApplication::styleHints()->wheelScrollLines(), 3);
        const QStringList expected{"writable org.gnome.desktop.peripherals.mouse double-click",
                                   "set org.gnome.desktop.peripherals.mouse double-click 410"};
        QCOMPARE(tools.calls("gsettings"), expected);
    }

    void gnomeWithoutTheKeyIsNotWritten()
    {
        FakeDesktopTools tools;
        tools.install("gsettings", 0, "writable");
        tools.setDesktop("GNOME");
        auto gnome = PointerSettings::createForPlatform();
        QVERIFY(!gnome->setDoubleClickTime(550));
        QCOMPARE(QGuiApplication::styleHints()->mouseDoubleClickInterval(), 550);
        QCOMPARE(tools.calls("gsettings").size(), 1);
        // A key an administrator locked is not written either.
        tools.install("gsettings", 0, {}, "false");
        QVERIFY(!gnome->setDoubleClickTime(560));
        QCOMPARE(tools.calls("gsettings").size(), 2);
    }

    void kdeGetsBothAndFallsBackToTheOlderTool()
    {
        FakeDesktopTools tools;
        tools.install("kwriteconfig6", 1);
        tools.install("kwriteconfig5");
        tools.setDesktop("KDE");
        auto plasma = PointerSettings::createForPlatform();
        QVERIFY(plasma->setWheelScrollLines(7));
        QVERIFY(plasma->setDoubleClickTime(480));
        const QString common = "--file kdeglobals --group KDE --key ";
        // kwriteconfig5 has no --notify; Kairo tells KDE's programs itself.
        QCOMPARE(tools.calls("kwriteconfig6"),
                 QStringList({common + "WheelScrollLines --notify -- 7",
                              common + "DoubleClickInterval --notify -- 480"}));
        const QStringList expected{common + "WheelScrollLines -- 7",
                                   common + "DoubleClickInterval -- 480"};
        QCOMPARE(tools.calls("kwriteconfig5"), expected);
    }
};

QTEST_MAIN(PointerSettingsOnX)
#include "test_platform_pointer.moc"

// Where nothing can take a setting, the call must say so, so that the
// settings page's failure line is written.
#include "operations/platform/pointersettings.h"
#include "tests/platform/fakedesktoptool.h"

#include <QtTest>

class PointerSettingsWithNothingToApply : public QObject
{
    Q_OBJECT
private slots:
    void failsWithoutDesktopOrWindows()
    {
        FakeDesktopTools tools;
        tools.setDesktop("XFCE");
        qputenv("DISPLAY", ":4093");
        auto pointer = PointerSettings::createForPlatform();
        QVERIFY(!pointer->setCursorSpeed(10));
        QVERIFY(!pointer->setDoubleClickTime(690));
        QVERIFY(!pointer->setWheelScrollLines(3));
    }

    void aDesktopToolAloneIsEnough()
    {
        FakeDesktopTools tools;
        tools.install("gsettings");
        tools.setDesktop("GNOME");
        auto pointer = PointerSettings::createForPlatform();
        QVERIFY(pointer->setDoubleClickTime(690));
        QVERIFY(!pointer->setWheelScrollLines(3));
        QCOMPARE(tools.calls("gsettings").last(),
                 QStringLiteral("set org.gnome.desktop.peripherals.mouse double-click 690"));
    }
};

QTEST_GUILESS_MAIN(PointerSettingsWithNothingToApply)
#include "test_platform_pointer_headless.moc"

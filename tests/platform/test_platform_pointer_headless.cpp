// Where nothing can take a setting, the call must say so, so that the
// settings page's failure line is written; and each desktop says which
// settings it takes, so that the page greys out the others.
#include "operations/platform/pointersettings.h"
#include "tests/platform/fakedesktoptool.h"

#include <QtTest>

Q_DECLARE_METATYPE(PointerDesktop)
Q_DECLARE_METATYPE(PointerGap)

class PointerSettingsWithNothingToApply : public QObject
{
    Q_OBJECT
private:
    // A bus without KWin on it, so that a desktop session's own is not asked.
    PrivateSessionBus bus;

private slots:
    void desktopChoice_data()
    {
        QTest::addColumn<QString>("currentDesktop");
        QTest::addColumn<QString>("sessionType");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<PointerDesktop>("chosen");
        QTest::newRow("GNOME on Wayland") << "GNOME"
                                          << "wayland" << true << true << PointerDesktop::Gnome;
        QTest::newRow("Ubuntu's GNOME on X11") << "ubuntu:GNOME"
                                               << "x11" << false << true << PointerDesktop::Gnome;
        QTest::newRow("Budgie") << "Budgie:GNOME"
                                << "x11" << false << true << PointerDesktop::Gnome;
        QTest::newRow("Plasma on Wayland") << "KDE"
                                           << "wayland" << true << true << PointerDesktop::Kde;
        QTest::newRow("Plasma on X11") << "KDE"
                                       << "x11" << false << true << PointerDesktop::Kde;
        QTest::newRow("XFCE") << "XFCE"
                              << "x11" << false << true << PointerDesktop::X11;
        QTest::newRow("bare X server") << ""
                                       << "" << false << true << PointerDesktop::X11;
        QTest::newRow("sway with Xwayland") << "sway"
                                            << "wayland" << true << true << PointerDesktop::Other;
        QTest::newRow("Wayland, no session type") << ""
                                                  << "" << true << true << PointerDesktop::Other;
        QTest::newRow("no display") << ""
                                    << "tty" << false << false << PointerDesktop::Other;
    }
    void desktopChoice()
    {
        QFETCH(QString, currentDesktop);
        QFETCH(QString, sessionType);
        QFETCH(bool, wayland);
        QFETCH(bool, x11);
        QFETCH(PointerDesktop, chosen);
        QCOMPARE(pointerDesktopFor({currentDesktop, sessionType, wayland, x11}), chosen);
    }

    // tools: fake tools on the PATH, "name=answer" for one that answers
    // something other than "true".
    void supportPerDesktop_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("session");
        QTest::addColumn<QStringList>("tools");
        QTest::addColumn<QString>("name");
        QTest::addColumn<PointerGap>("speed");
        QTest::addColumn<PointerGap>("doubleClick");
        QTest::addColumn<PointerGap>("wheel");
        const auto none = PointerGap::NoGap, noSetting = PointerGap::NoSetting,
                   noTool = PointerGap::NoTool, noDevice = PointerGap::NoDevice;
        QTest::newRow("GNOME") << "GNOME"
                               << "wayland" << QStringList{"gsettings"} << "GNOME" << none << none
                               << noSetting;
        QTest::newRow("GNOME, keys locked") << "GNOME"
                                            << "wayland" << QStringList{"gsettings=false"}
                                            << "GNOME" << noSetting << noSetting << noSetting;
        QTest::newRow("GNOME without gsettings")
            << "GNOME"
            << "x11" << QStringList{} << "GNOME" << noTool << noTool << noSetting;
        QTest::newRow("Plasma, KWin not on the bus")
            << "KDE"
            << "wayland" << QStringList{"kwriteconfig5"} << "KDE" << noDevice << none << none;
        QTest::newRow("Plasma without kwriteconfig")
            << "KDE"
            << "wayland" << QStringList{} << "KDE" << noDevice << noTool << noTool;
        QTest::newRow("Plasma on X11, server gone")
            << "KDE"
            << "x11" << QStringList{"kwriteconfig6"} << "KDE" << noDevice << none << none;
        QTest::newRow("XFCE, server gone")
            << "XFCE"
            << "x11" << QStringList{"gsettings"} << "X11" << noDevice << noSetting << noSetting;
        QTest::newRow("sway") << "sway"
                              << "wayland" << QStringList{"kwriteconfig5"} << "Wayland" << noSetting
                              << noSetting << noSetting;
        QTest::newRow("no display")
            << ""
            << "tty" << QStringList{} << "" << noSetting << noSetting << noSetting;
    }
    void supportPerDesktop()
    {
        QFETCH(QString, desktop);
        QFETCH(QString, session);
        QFETCH(QStringList, tools);
        QFETCH(QString, name);
        FakeDesktopTools fakes;
        for (const QString &tool : tools)
            fakes.install(tool.section('=', 0, 0), 0, {},
                          tool.section('=', 1).isEmpty() ? QStringLiteral("true")
                                                         : tool.section('=', 1));
        fakes.setDesktop(desktop.toLatin1());
        qputenv("XDG_SESSION_TYPE", session.toLatin1());
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("DISPLAY", session == QLatin1String("x11") ? ":4093" : "");
        const PointerSupport support = PointerSettings::createForPlatform()->support();
        QCOMPARE(support.desktop, name);
        QTEST(support.cursorSpeed, "speed");
        QTEST(support.doubleClick, "doubleClick");
        QTEST(support.wheelLines, "wheel");
    }

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

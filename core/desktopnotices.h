#pragma once

#include <QString>

#include <memory>

class QSystemTrayIcon;

// One way of putting a short notice (a title and one line) in front of the
// user. The shell asks each way per notice, because a tray host may come or
// go while it runs.
class DesktopNotices
{
public:
    static constexpr int shownForMs = 10000;

    virtual ~DesktopNotices() = default;
    // True while this way reaches the user.
    virtual bool available() const = 0;
    virtual void show(const QString &title, const QString &text) = 0;

    // The tray icon's balloon, while a tray host shows the icon
    // (desktopnotices_tray.cpp).
    static std::unique_ptr<DesktopNotices> trayBalloon(QSystemTrayIcon *tray);
    // The desktop's notification server on the session bus
    // (desktopnotices_freedesktop.cpp).
    static std::unique_ptr<DesktopNotices> freedesktop();
};

#include "core/desktopnotices.h"

#include <QSystemTrayIcon>

namespace {

class TrayBalloon : public DesktopNotices
{
public:
    explicit TrayBalloon(QSystemTrayIcon *icon)
        : tray(icon)
    {}
    bool available() const override
    {
        return tray && tray->isVisible() && QSystemTrayIcon::isSystemTrayAvailable()
               && QSystemTrayIcon::supportsMessages();
    }
    void show(const QString &title, const QString &text) override
    {
        tray->showMessage(title, text, QSystemTrayIcon::Information, shownForMs);
    }

private:
    QSystemTrayIcon *tray;
};

} // namespace

std::unique_ptr<DesktopNotices> DesktopNotices::trayBalloon(QSystemTrayIcon *tray)
{
    return std::make_unique<TrayBalloon>(tray);
}

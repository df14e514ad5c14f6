#include "core/desktopnotices.h"

#include "device/debugline.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

namespace {

const char notificationsService[] = "org.freedesktop.Notifications";
const char notificationsPath[] = "/org/freedesktop/Notifications";
// A notice is worth little once it is late; the call must never hold up
// the window either, so it is sent without waiting.
constexpr int replyTimeoutMs = 3000;

void noticeLost(const QString &title, const QString &why)
{
    hidDebugLine({QStringLiteral("Desktop notice not shown:"), title, why});
}

class FreedesktopNotices : public DesktopNotices
{
public:
    bool available() const override { return QDBusConnection::sessionBus().isConnected(); }
    void show(const QString &title, const QString &text) override
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            noticeLost(title, QStringLiteral("no session bus"));
            return;
        }
        auto *reply = new QDBusPendingCallWatcher(
            bus.asyncCall(notifyCall(title, text), replyTimeoutMs), &replies);
        QObject::connect(reply, &QDBusPendingCallWatcher::finished, reply,
                         [title](QDBusPendingCallWatcher *finished) {
                             if (finished->isError())
                                 noticeLost(title, finished->error().name() + QLatin1Char(' ')
                                                       + finished->error().message());
                             finished->deleteLater();
                         });
    }

private:
    static QDBusMessage notifyCall(const QString &title, const QString &text)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QString::fromLatin1(notificationsService), QString::fromLatin1(notificationsPath),
            QString::fromLatin1(notificationsService), QStringLiteral("Notify"));
        // The icon and the entry are the installed ones (packaging/).
        const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral(KAIRO_APP_ID)}};
        call << QStringLiteral("Kairo") << 0u << QStringLiteral("kairo") << title << text
             << QStringList() << hints << shownForMs;
        return call;
    }

    QObject replies; // parent of the calls still waiting for their answer
};

} // namespace

std::unique_ptr<DesktopNotices> DesktopNotices::freedesktop()
{
    return std::make_unique<FreedesktopNotices>();
}

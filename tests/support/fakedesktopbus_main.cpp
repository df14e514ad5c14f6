// A stand-in for the desktop's D-Bus services on the session bus that
// DBUS_SESSION_BUS_ADDRESS names: a StatusNotifierWatcher with a tray host
// registered (what Plasma and GNOME's AppIndicator give) and a notification
// server. Every call it takes is written to stdout as one JSON object per
// line; "ready" follows once the names asked for are owned.
//
//   kairo-fake-desktop-bus [--watcher | --watcher-without-host] [--notifications]
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cstdio>

namespace {

void record(const QJsonObject &call)
{
    std::fputs(QJsonDocument(call).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

class FakeWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    FakeWatcher(const QDBusConnection &bus, bool withHost)
        : hostRegistered(withHost)
    {
        itemOwners.setConnection(bus);
        itemOwners.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
        connect(&itemOwners, &QDBusServiceWatcher::serviceUnregistered, this,
                &FakeWatcher::ownerGone);
    }
    bool isHostRegistered() const { return hostRegistered; }
    QStringList registeredItems() const { return items; }
    int protocolVersion() const { return 0; }

public slots:
    // The argument is the item's service name, or only its path, in which
    // case the caller's own connection is the service.
    void RegisterStatusNotifierItem(const QString &serviceOrPath, const QDBusMessage &message)
    {
        const bool isPath = serviceOrPath.startsWith(QLatin1Char('/'));
        const QString service = isPath ? message.service() : serviceOrPath;
        const QString path = isPath ? serviceOrPath : QStringLiteral("/StatusNotifierItem");
        const QString item = service + path;
        if (!items.contains(item))
            items.append(item);
        itemOwners.addWatchedService(service);
        record({{"call", "RegisterStatusNotifierItem"},
                {"service", service},
                {"path", path},
                {"sender", message.service()}});
        emit StatusNotifierItemRegistered(item);
    }
    void RegisterStatusNotifierHost(const QString &service)
    {
        record({{"call", "RegisterStatusNotifierHost"}, {"service", service}});
    }

signals:
    void StatusNotifierItemRegistered(const QString &item);
    void StatusNotifierItemUnregistered(const QString &item);
    void StatusNotifierHostRegistered();

private:
    void ownerGone(const QString &service)
    {
        itemOwners.removeWatchedService(service);
        for (const QString &item : QStringList(items)) {
            if (item.startsWith(service + QLatin1Char('/'))) {
                items.removeAll(item);
                record({{"call", "ItemGone"}, {"item", item}});
                emit StatusNotifierItemUnregistered(item);
            }
        }
    }

    bool hostRegistered;
    QStringList items;
    QDBusServiceWatcher itemOwners;
};

class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public slots:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon,
                const QString &summary, const QString &body, const QStringList &actions,
                const QVariantMap &hints, int expireTimeout)
    {
        const uint id = replacesId ? replacesId : ++lastId;
        record({{"call", "Notify"},
                {"id", int(id)},
                {"app", appName},
                {"icon", appIcon},
                {"summary", summary},
                {"body", body},
                {"actions", QJsonValue::fromVariant(actions)},
                {"desktopEntry", hints.value(QStringLiteral("desktop-entry")).toString()},
                {"expire", expireTimeout}});
        return id;
    }
    void CloseNotification(uint id)
    {
        record({{"call", "CloseNotification"}, {"id", int(id)}});
        emit NotificationClosed(id, 3);
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    QString GetServerInformation(QString &vendor, QString &version, QString &specVersion)
    {
        vendor = QStringLiteral("Kairo tests");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("kairo-fake-desktop-bus");
    }

signals:
    void NotificationClosed(uint id, uint reason);
    void ActionInvoked(uint id, const QString &actionKey);

private:
    uint lastId = 0;
};

namespace {

constexpr QDBusConnection::RegisterOptions exported = QDBusConnection::ExportAllSlots
                                                      | QDBusConnection::ExportAllSignals
                                                      | QDBusConnection::ExportAllProperties;

bool publish(QDBusConnection &bus, QObject *object, const char *path, const char *service)
{
    if (bus.registerObject(QString::fromLatin1(path), object, exported)
        && bus.registerService(QString::fromLatin1(service)))
        return true;
    std::fprintf(stderr, "cannot own %s: %s\n", service, qPrintable(bus.lastError().message()));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "no session bus: %s\n", qPrintable(bus.lastError().message()));
        return 2;
    }
    const bool withHost = args.contains(QStringLiteral("--watcher"));
    const bool watcher = withHost || args.contains(QStringLiteral("--watcher-without-host"));
    FakeWatcher tray(bus, withHost);
    if (watcher && !publish(bus, &tray, "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher"))
        return 3;
    FakeNotifications notifications;
    if (args.contains(QStringLiteral("--notifications"))
        && !publish(bus, &notifications, "/org/freedesktop/Notifications",
                    "org.freedesktop.Notifications"))
        return 3;
    if (withHost)
        emit tray.StatusNotifierHostRegistered();
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}

#include "fakedesktopbus_main.moc"

#pragma once

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A private session bus for one test, with stand-ins for the desktop's
// services on it (tests/support/fakedesktopbus_main.cpp): a tray watcher
// with its host, and a notification server. The bus activates nothing, so
// only what the test starts is on it.
class FakeDesktopBus
{
public:
    enum Service {
        NoServices = 0,
        TrayWatcher = 1,            // org.kde.StatusNotifierWatcher, a host registered
        TrayWatcherWithoutHost = 2, // the watcher alone, no host behind it
        Notifications = 4,          // org.freedesktop.Notifications
    };

    FakeDesktopBus() = default;
    FakeDesktopBus(const FakeDesktopBus &) = delete;
    FakeDesktopBus &operator=(const FakeDesktopBus &) = delete;
    ~FakeDesktopBus();

    // Starts the bus on first use, then the services asked for (a Service
    // combination), in place of those running before. False, with error()
    // saying why, when either does not come up.
    bool start(int services);
    // Ends the services; the bus stays, and what they took stays readable.
    void stopServices();

    QString address() const { return busAddress; }
    QString error() const { return lastError; }
    // DBUS_SESSION_BUS_ADDRESS for a program the test starts.
    void exportTo(QProcessEnvironment &env) const;

    // The calls the services took since they last started, oldest first:
    // JSON objects whose "call" names the method ("Notify" with app, icon,
    // summary, body, expire, desktopEntry; "RegisterStatusNotifierItem"
    // with service and path). An empty name gives all of them.
    QList<QJsonObject> calls(const QString &name = QString());
    // Waits up to ms (event loop running) until count calls named name came.
    bool waitForCalls(const QString &name, int count, int ms);

private:
    bool startBus();
    void readCalls();

    QTemporaryDir dir;
    QProcess daemon;
    QProcess services;
    QString busAddress;
    QString lastError;
    QByteArray partialLine;
    QList<QJsonObject> received;
};

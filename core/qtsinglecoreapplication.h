#pragma once

#include <QApplication>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

// One running copy per executable path. The first copy holds a lock file and
// listens on a local socket, both in a folder only this user can enter; a
// later copy finds the lock taken, hands its message to the first one and is
// expected to exit.
class QtSingleCoreApplication : public QApplication
{
    Q_OBJECT
public:
    QtSingleCoreApplication(int &argc, char **argv);
    ~QtSingleCoreApplication() override;

    // True when another copy of this executable already runs.
    bool isRunning() const;
    // Delivers message to the running copy; false when there is none or it
    // did not take the message within timeout milliseconds.
    bool sendMessage(const QString &message, int timeout = 5000);
    QString id() const { return instanceId; }

    // Derived from the executable path so that two installations do not see
    // each other, and per user so that users do not either.
    static QString instanceIdFor(const QString &executablePath);
    // The folder for the lock and the socket: $XDG_RUNTIME_DIR when it is a
    // directory of this user that nobody else may enter, else
    // <temp>/kairo-<uid>, created 0700 when missing. Empty when neither can
    // be trusted.
    static QString privateRuntimeDir();

signals:
    void messageReceived(const QString &message);

private:
    void becomePrimary();
    void acceptConnection();

    QString instanceId;
    QString socketPath;
    std::unique_ptr<QLockFile> lock;
    QLocalServer *server = nullptr;
    bool primary = false;
};

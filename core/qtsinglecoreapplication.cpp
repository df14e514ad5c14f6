#include "core/qtsinglecoreapplication.h"

#include "settings/privatefolder.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

#include <unistd.h>

namespace {

// A message on the socket: its UTF-8 bytes as a QByteArray in a QDataStream;
// the receiver answers with one byte once it has emitted the signal.
constexpr char ackByte = 'k';

// A lock whose process is gone, or that names none (cut short when written).
bool lockIsStale(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application))
        return true;
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return false;
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

QtSingleCoreApplication::QtSingleCoreApplication(int &argc, char **argv)
    : QApplication(argc, argv)
    , instanceId(instanceIdFor(QCoreApplication::applicationFilePath()))
{
    const QString folder = privateRuntimeDir();
    if (folder.isEmpty()) {
        primary = true;
        return;
    }
    const QString base = QDir(folder).filePath(instanceId);
    socketPath = base + QStringLiteral(".sock");
    lock = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    // A copy that crashed leaves its lock behind; QLockFile sees that its
    // process is gone and takes the lock over.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        becomePrimary();
    } else if (lock->error() != QLockFile::LockFailedError) {
        // Only a lock held by a live copy means there is one to talk to.
        qWarning("QtSingleCoreApplication: cannot create %s; running without the single-copy guard",
                 qPrintable(lock->fileName()));
        primary = true;
    } else if (lockIsStale(*lock)) {
        // Taking a stale lock over writes a new one, which a full folder
        // refuses; that is no second copy.
        qDebug("QtSingleCoreApplication: cannot take over the stale lock %s; running without the "
               "single-copy guard",
               qPrintable(lock->fileName()));
        primary = true;
    }
}

QtSingleCoreApplication::~QtSingleCoreApplication()
{
    if (server)
        server->close();
}

QString QtSingleCoreApplication::instanceIdFor(const QString &executablePath)
{
    const QByteArray hash =
        QCryptographicHash::hash(executablePath.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("kairo-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash.left(16)));
}

// Without a trusted folder the caller runs without the single-copy guard,
// since a second copy harms less than refusing to start or trusting that
// folder.
QString QtSingleCoreApplication::privateRuntimeDir()
{
    return kairo::privatefolder::forLock();
}

bool QtSingleCoreApplication::isRunning() const
{
    return !primary;
}

void QtSingleCoreApplication::becomePrimary()
{
    primary = true;
    // We hold the lock, so any socket of that name is left from a crash.
    QLocalServer::removeServer(socketPath);
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socketPath))
        qWarning("QtSingleCoreApplication: cannot listen on %s: %s", qPrintable(socketPath),
                 qPrintable(server->errorString()));
    connect(server, &QLocalServer::newConnection, this, &QtSingleCoreApplication::acceptConnection);
}

void QtSingleCoreApplication::acceptConnection()
{
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QByteArray utf8;
            in >> utf8;
            if (!in.commitTransaction())
                return; // wait for the rest
            socket->disconnect(this);
            emit messageReceived(QString::fromUtf8(utf8));
            socket->write(&ackByte, 1);
            socket->flush();
        });
    }
}

bool QtSingleCoreApplication::sendMessage(const QString &message, int timeout)
{
    if (primary)
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeout))
        return false;
    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out << message.toUtf8();
    socket.write(frame);
    if (!socket.waitForBytesWritten(timeout))
        return false;
    if (!socket.waitForReadyRead(timeout))
        return false;
    return socket.read(1) == QByteArray(1, ackByte);
}

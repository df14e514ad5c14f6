#include "qtsinglecoreapplication.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <unistd.h>

namespace {

// A message on the socket: its UTF-8 bytes as a QByteArray in a QDataStream;
// the receiver answers with one byte once it has emitted the signal.
constexpr char ackByte = 'k';

QString lockFilePath(const QString &id)
{
    return QDir(QDir::tempPath()).filePath(id + QStringLiteral(".lock"));
}

} // namespace

QtSingleCoreApplication::QtSingleCoreApplication(int &argc, char **argv)
    : QApplication(argc, argv)
    , instanceId(instanceIdFor(QCoreApplication::applicationFilePath()))
    , lock(std::make_unique<QLockFile>(lockFilePath(instanceId)))
{
    // A copy that crashed leaves its lock behind; QLockFile sees that its
    // process is gone and takes the lock over.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        becomePrimary();
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

bool QtSingleCoreApplication::isRunning() const
{
    return !primary;
}

void QtSingleCoreApplication::becomePrimary()
{
    primary = true;
    // We hold the lock, so any socket of that name is left from a crash.
    QLocalServer::removeServer(instanceId);
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(instanceId))
        qWarning("QtSingleCoreApplication: cannot listen on %s: %s", qPrintable(instanceId),
                 qPrintable(server->errorString()));
    connect(server, &QLocalServer::newConnection, this,
            &QtSingleCoreApplication::acceptConnection);
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
    socket.connectToServer(instanceId);
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

#include "core/qtsinglecoreapplication.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A message on the socket: its UTF-8 bytes as a QByteArray in a QDataStream;
// the receiver answers with one byte once it has emitted the signal.
constexpr char ackByte = 'k';

// Only a folder of ours that nobody else may enter keeps other local users
// from taking the lock or the socket name first.
bool isPrivateFolder(const struct stat &info)
{
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0700;
}

QString runtimeDirFromEnvironment()
{
    const QByteArray path = qgetenv("XDG_RUNTIME_DIR");
    struct stat info;
    if (path.isEmpty() || ::stat(path.constData(), &info) != 0 || !isPrivateFolder(info))
        return QString();
    return QFile::decodeName(path);
}

// An existing folder that fails the check is neither repaired nor removed:
// one of another user may be there to catch our lock and socket, a symlink
// may lead anywhere, and one of ours with a looser mode may already hold
// files of others. The caller then runs without the single-copy guard, since
// a second copy harms less than refusing to start or trusting that folder.
QString fallbackRuntimeDir()
{
    const QString path =
        QDir(QDir::tempPath()).filePath(QStringLiteral("kairo-%1").arg(::getuid()));
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) == 0) {
        // Ours since the line above, and the umask may have taken bits away.
        ::chmod(native.constData(), 0700);
    } else if (errno != EEXIST) {
        qWarning("QtSingleCoreApplication: cannot create %s: %s", native.constData(),
                 strerror(errno));
        return QString();
    }
    struct stat info;
    if (::lstat(native.constData(), &info) != 0 || !isPrivateFolder(info)) {
        qWarning("QtSingleCoreApplication: %s is not a private folder of this user; "
                 "running without the single-copy guard",
                 native.constData());
        return QString();
    }
    return path;
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

QString QtSingleCoreApplication::privateRuntimeDir()
{
    const QString runtime = runtimeDirFromEnvironment();
    return runtime.isEmpty() ? fallbackRuntimeDir() : runtime;
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

#include "settings/privatefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace kairo::privatefolder {

namespace {

// Only a folder of ours that nobody else may enter keeps other local users
// from taking our names first or from filling it.
bool isPrivate(const struct stat &info)
{
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0700;
}

QString userCacheDir()
{
    const QString xdg = qEnvironmentVariable("XDG_CACHE_HOME");
    if (QDir::isAbsolutePath(xdg))
        return xdg;
    const QString home = qEnvironmentVariable("HOME");
    return QDir::isAbsolutePath(home) ? home + QStringLiteral("/.cache") : QString();
}

} // namespace

QString runtimeDir()
{
    const QByteArray path = qgetenv("XDG_RUNTIME_DIR");
    struct stat info;
    if (path.isEmpty() || ::stat(path.constData(), &info) != 0 || !isPrivate(info))
        return QString();
    return QFile::decodeName(path);
}

// An existing folder that fails the check is neither repaired nor removed:
// one of another user may be there to catch our files, a symlink may lead
// anywhere, and one of ours with a looser mode may already hold files of
// others.
QString ensure(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) == 0) {
        // Ours since the line above, and the umask may have taken bits away.
        ::chmod(native.constData(), 0700);
    } else if (errno != EEXIST) {
        qWarning("kairo: cannot create %s: %s", native.constData(), strerror(errno));
        return QString();
    }
    struct stat info;
    if (::lstat(native.constData(), &info) != 0 || !isPrivate(info)) {
        qWarning("kairo: %s is not a private folder of this user", native.constData());
        return QString();
    }
    return path;
}

QString forLock()
{
    const QString runtime = runtimeDir();
    if (!runtime.isEmpty())
        return runtime;
    return ensure(QDir(QDir::tempPath()).filePath(QStringLiteral("kairo-%1").arg(::getuid())));
}

QString forScratch()
{
    const QString runtime = runtimeDir();
    if (!runtime.isEmpty())
        return runtime;
    const QString cache = userCacheDir();
    if (!cache.isEmpty() && QDir().mkpath(cache)) {
        const QString ours = ensure(cache + QStringLiteral("/kairo"));
        if (!ours.isEmpty())
            return ours;
    }
    return forLock();
}

} // namespace kairo::privatefolder

#include "core/userdata.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace kairo::userdata {

QString dataHome()
{
    // The base directory specification ignores relative values.
    const QString fromEnvironment = qEnvironmentVariable("XDG_DATA_HOME");
    if (!fromEnvironment.isEmpty() && QDir::isAbsolutePath(fromEnvironment))
        return QDir::cleanPath(fromEnvironment);
    return QDir::homePath() + QStringLiteral("/.local/share");
}

namespace {

bool canCreateFileIn(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.kairo-write-probe-XXXXXX"));
    return probe.open();
}

} // namespace

bool isWritableTree(const QString &modulesDir)
{
    if (!QFileInfo(modulesDir).isDir() || !canCreateFileIn(modulesDir))
        return false;
    QDirIterator it(modulesDir, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (!canCreateFileIn(it.next()))
            return false;
    }
    return true;
}

bool addMissingFiles(const QString &shippedModules, const QString &userModules)
{
    if (!QDir().mkpath(userModules)) {
        qWarning("kairo: cannot create %s", qPrintable(userModules));
        return false;
    }
    const QDir shipped(shippedModules);
    bool complete = true;
    QDirIterator it(shippedModules, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = userModules + QLatin1Char('/') + shipped.relativeFilePath(from);
        const QFileInfo target(to);
        if (it.fileInfo().isDir()) {
            // Empty folders too: the program expects macro/ even before the first macro.
            if (!QDir().mkpath(to)) {
                qWarning("kairo: cannot create %s", qPrintable(to));
                complete = false;
            }
            continue;
        }
        // A link the user put there counts as their file, even a dangling one.
        if (target.exists() || target.isSymLink())
            continue;
        // QFile::copy writes a temporary file and renames it, so a start cut
        // short leaves no half-copied settings that a later start would keep.
        if (!QDir().mkpath(target.path()) || !QFile::copy(from, to)) {
            qWarning("kairo: cannot copy %s to %s", qPrintable(from), qPrintable(to));
            complete = false;
            continue;
        }
        // The copy keeps the shipped file's mode, which may be read-only.
        QFile::setPermissions(to, QFile::permissions(to) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return complete;
}

QString workingFolder(const QString &programDir, const QString &dataHome)
{
    const QString shipped = programDir + QStringLiteral("/modules");
    if (!QFileInfo(shipped).isDir() || isWritableTree(shipped))
        return programDir;

    const QString own = dataHome + QStringLiteral("/kairo");
    if (!addMissingFiles(shipped, own + QStringLiteral("/modules"))) {
        // A file missing from the user's copy is added on a later start; the
        // user's settings are still there, and only that copy can be saved.
        if (!QFileInfo(own + QStringLiteral("/modules")).isDir()) {
            qWarning("kairo: settings cannot be saved: %s is read-only and %s cannot be created",
                     qPrintable(shipped), qPrintable(own));
            return programDir;
        }
    }
    return own;
}

} // namespace kairo::userdata

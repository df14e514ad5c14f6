#include "core/userdata.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstdio>

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

namespace {

// Beside the copy's modules/, so nothing that reads modules/ meets it.
QString manifestPath(const QString &userModules)
{
    return QFileInfo(userModules).path() + QStringLiteral("/shipped-files");
}

// Files a later version may correct in the user's copy, as long as the user
// left them as shipped. Profiles, macros, names, the configuration and the
// gun table are the user's own and never replaced.
bool isReplaceable(const QString &relative)
{
    return relative.startsWith(QLatin1String("i18n/")) || relative.startsWith(QLatin1String("img/"))
           || relative.startsWith(QLatin1String("fonts/"))
           || relative == QLatin1String("setting/pD.bin")
           || relative == QLatin1String("setting/apConfigD.bin");
}

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

using Manifest = QMap<QString, QByteArray>; // relative path -> hash as shipped

Manifest readManifest(const QString &path)
{
    Manifest manifest;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return manifest;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        const qsizetype gap = line.indexOf("  ");
        if (line.startsWith('#') || gap != 64)
            continue;
        manifest.insert(QString::fromUtf8(line.mid(gap + 2)), line.left(gap));
    }
    return manifest;
}

bool writeManifest(const QString &path, const Manifest &manifest)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("# kairo " KAIRO_VERSION ": the files as shipped, sha256sum's format\n");
    for (auto it = manifest.begin(); it != manifest.end(); ++it)
        file.write(it.value() + "  " + it.key().toUtf8() + '\n');
    return file.commit();
}

// Copies through a temporary file and a rename, so a start cut short leaves
// either the old file or the new one, never half of one.
bool copyInto(const QString &from, const QString &to)
{
    const QString partial = to + QStringLiteral(".kairo-new");
    QFile::remove(partial);
    if (!QFile::copy(from, partial))
        return false;
    // The copy keeps the shipped file's mode, which may be read-only.
    QFile::setPermissions(partial,
                          QFile::permissions(partial) | QFile::ReadOwner | QFile::WriteOwner);
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(to).constData())
        != 0) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

enum class Update { Kept, Written, Failed };

// One shipped file against the user's copy of it.
Update updateFile(const QString &from, const QString &to, const QString &relative,
                  Manifest &manifest)
{
    const QFileInfo target(to);
    // A link the user put there counts as their file, even a dangling one.
    if (target.isSymLink())
        return Update::Kept;
    if (!target.exists()) {
        if (!QDir().mkpath(target.path()) || !copyInto(from, to))
            return Update::Failed;
        manifest.insert(relative, fileHash(from));
        return Update::Written;
    }
    if (!isReplaceable(relative))
        return Update::Kept;
    const QByteArray shipped = fileHash(from);
    const QByteArray current = fileHash(to);
    if (current == shipped) {
        manifest.insert(relative, shipped);
        return Update::Kept;
    }
    // Unrecorded (a copy older than the record) or changed: the user's.
    if (current.isEmpty() || manifest.value(relative) != current)
        return Update::Kept;
    if (!copyInto(from, to))
        return Update::Failed;
    manifest.insert(relative, shipped);
    return Update::Written;
}

} // namespace

bool updateUserCopy(const QString &shippedModules, const QString &userModules)
{
    if (!QDir().mkpath(userModules)) {
        qWarning("kairo: cannot create %s", qPrintable(userModules));
        return false;
    }
    const QDir shipped(shippedModules);
    const Manifest before = readManifest(manifestPath(userModules));
    Manifest manifest = before;
    bool complete = true;
    QDirIterator it(shippedModules, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = shipped.relativeFilePath(from);
        const QString to = userModules + QLatin1Char('/') + relative;
        if (it.fileInfo().isDir()) {
            // Empty folders too: the program expects macro/ even before the first macro.
            if (!QDir().mkpath(to)) {
                qWarning("kairo: cannot create %s", qPrintable(to));
                complete = false;
            }
            continue;
        }
        if (updateFile(from, to, relative, manifest) == Update::Failed) {
            qWarning("kairo: cannot copy %s to %s", qPrintable(from), qPrintable(to));
            complete = false;
        }
    }
    if (manifest != before && !writeManifest(manifestPath(userModules), manifest)) {
        qWarning("kairo: cannot record the shipped files in %s",
                 qPrintable(manifestPath(userModules)));
        complete = false;
    }
    return complete;
}

QString workingFolder(const QString &programDir, const QString &dataHome)
{
    const QString shipped = programDir + QStringLiteral("/modules");
    if (!QFileInfo(shipped).isDir() || isWritableTree(shipped))
        return programDir;

    const QString own = dataHome + QStringLiteral("/kairo");
    if (!updateUserCopy(shipped, own + QStringLiteral("/modules"))) {
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

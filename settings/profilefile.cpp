#include "settings/profilefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kairo::files {

bool replaceWithCopy(const QString &source, const QString &destination)
{
    if (QFileInfo(source).absoluteFilePath() == QFileInfo(destination).absoluteFilePath())
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return false;
    return writeWhole(destination, bytes);
}

bool writeWhole(const QString &destination, const QByteArray &bytes)
{
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    // write() only fills a buffer, and commit() in this Qt renames the file
    // even when the final flush failed (a full disk) and ignores a failed
    // sync: flush and sync here, and check both. EINVAL: a file that
    // cannot be synced at all.
    const bool written =
        out.write(bytes) == bytes.size() && out.flush() && out.error() == QFileDevice::NoError;
    if (!written || (::fdatasync(out.handle()) != 0 && errno != EINVAL)) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

ImportRead readImport(const QString &path, QByteArray *bytes)
{
    bytes->clear();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return ImportRead::Unreadable;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > maxImportBytes) {
        ::close(fd);
        return ImportRead::NotAFile;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return ImportRead::Unreadable;
    }
    // The file may grow after fstat: one byte past the bound tells it.
    *bytes = file.read(maxImportBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        bytes->clear();
        return ImportRead::Unreadable;
    }
    if (bytes->size() > maxImportBytes) {
        bytes->clear();
        return ImportRead::NotAFile;
    }
    return ImportRead::Read;
}

CopyResult copyIfAbsent(const QString &source, const QString &destination)
{
    if (QFileInfo::exists(destination) || QFileInfo(destination).isSymLink())
        return CopyResult::Exists;
    QByteArray bytes;
    switch (readImport(source, &bytes)) {
    case ImportRead::NotAFile:
        return CopyResult::NotAFile;
    case ImportRead::Unreadable:
        return CopyResult::Failed;
    case ImportRead::Read:
        break;
    }
    return writeWhole(destination, bytes) ? CopyResult::Copied : CopyResult::Failed;
}

} // namespace kairo::files

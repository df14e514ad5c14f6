#include "settings/profilefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    // even when the final flush failed (a full disk): flush and check first.
    if (out.write(bytes) != bytes.size() || !out.flush() || out.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool copyIfAbsent(const QString &source, const QString &destination)
{
    if (QFileInfo::exists(destination))
        return false;
    return QFile::copy(source, destination);
}

} // namespace kairo::files

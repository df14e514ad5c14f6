#include "profilefile.h"

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
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size()) {
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

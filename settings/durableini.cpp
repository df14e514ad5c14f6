#include "settings/durableini.h"

#include "settings/profilefile.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

// Scratch copies live in the user's runtime folder when there is one (a
// memory file system there, so QSettings' own syncs of them cost nothing).
QString scratchDir()
{
    static const auto dir = [] {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        const QString base =
            !runtime.isEmpty() && QFileInfo(runtime).isWritable() ? runtime : QDir::tempPath();
        auto made = std::make_unique<QTemporaryDir>(base + QStringLiteral("/kairo-ini-XXXXXX"));
        if (!made->isValid())
            made = std::make_unique<QTemporaryDir>();
        return made;
    }();
    return dir->path();
}

QString newScratchPath(const QString &realPath)
{
    static QAtomicInt counter;
    return scratchDir() + QStringLiteral("/%1-").arg(counter.fetchAndAddRelaxed(1))
           + QFileInfo(realPath).fileName();
}

QByteArray readAll(const QString &path, bool *exists)
{
    QFile file(path);
    *exists = file.open(QIODevice::ReadOnly);
    return *exists ? file.readAll() : QByteArray();
}

// QSettings writes one line per key and ends every line; a file cut short by
// a failed write has fewer key lines or an unfinished last one.
bool writtenWhole(const QByteArray &bytes, qsizetype keyCount)
{
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        return false;
    qsizetype keyLines = 0;
    for (const QByteArray &line : bytes.split('\n')) {
        const QByteArray text = line.trimmed();
        if (!text.isEmpty() && !text.startsWith('['))
            ++keyLines;
    }
    return keyLines == keyCount;
}

} // namespace

DurableIni::DurableIni(const QString &path)
    : realPath(path)
    , scratchPath(newScratchPath(path))
{
    scratchHoldsFile = copyRealToScratch();
    scratch = std::make_unique<QSettings>(scratchPath, QSettings::IniFormat);
}

DurableIni::~DurableIni()
{
    scratch.reset();
    QFile::remove(scratchPath);
}

DurableIni::Signature DurableIni::signatureOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {qint64(st.st_ino), qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

QSettings &DurableIni::settings()
{
    if (!scratchHoldsFile)
        reopen();
    else if (signatureOf(realPath) != seen)
        reload();
    return *scratch;
}

// QSettings keeps the first error it met for good, so after a failed write
// only a new object on a new scratch copy can tell a later success.
void DurableIni::reopen()
{
    scratch.reset();
    QFile::remove(scratchPath);
    scratchPath = newScratchPath(realPath);
    scratchHoldsFile = copyRealToScratch();
    scratch = std::make_unique<QSettings>(scratchPath, QSettings::IniFormat);
}

bool DurableIni::copyRealToScratch()
{
    seen = signatureOf(realPath);
    onDisk = readAll(realPath, &existsOnDisk);
    QFile::remove(scratchPath);
    if (!existsOnDisk)
        return true;
    QFile copy(scratchPath);
    return copy.open(QIODevice::WriteOnly) && copy.write(onDisk) == onDisk.size() && copy.flush();
}

bool DurableIni::commit()
{
    if (!scratchHoldsFile) {
        reopen();
        return false;
    }
    scratch->sync();
    bool scratchExists = false;
    const QByteArray bytes = readAll(scratchPath, &scratchExists);
    const bool written = scratch->status() == QSettings::NoError;
    if (written && scratchExists == existsOnDisk && bytes == onDisk)
        return true;
    const bool ok = written && scratchExists && writtenWhole(bytes, scratch->allKeys().size())
                    && kairo::files::writeWhole(realPath, bytes);
    if (!ok) {
        reopen();
        return false;
    }
    onDisk = bytes;
    existsOnDisk = true;
    seen = signatureOf(realPath);
    return true;
}

void DurableIni::reload()
{
    scratch->sync();
    scratchHoldsFile = copyRealToScratch();
    // QSettings re-reads a file only when its size or time differs from what
    // it saw; a scratch copy is ours to date, so each one is dated anew.
    static qint64 generation = 0;
    QFile dated(scratchPath);
    if (dated.open(QIODevice::ReadWrite))
        dated.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + ++generation),
                          QFileDevice::FileModificationTime);
    scratch->sync();
}

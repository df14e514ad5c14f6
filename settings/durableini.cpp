#include "settings/durableini.h"

#include "settings/privatefolder.h"
#include "settings/profilefile.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char scratchPrefix[] = "kairo-ini-";

bool processIsGone(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

// A copy killed during a save leaves its scratch folder, with copies of all
// settings files. Only ours are cleared: named kairo-ini-<pid>-XXXXXX, owned
// by this user, in our private folder, of a process that is gone.
void removeLeftScratchFolders(const QString &base)
{
    static const QRegularExpression ours(QStringLiteral("^kairo-ini-(\\d+)-[A-Za-z0-9]{6}$"));
    const QDir folder(base);
    for (const QFileInfo &entry : folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch name = ours.match(entry.fileName());
        if (!name.hasMatch() || entry.isSymLink() || entry.ownerId() != ::geteuid()
            || !processIsGone(name.captured(1).toLongLong()))
            continue;
        QDir(entry.filePath()).removeRecursively();
    }
}

// Scratch copies live in the user's runtime folder when there is one (a
// memory file system there, so QSettings' own syncs of them cost nothing),
// else in a private folder of the user's own (kairo::privatefolder).
QString scratchDir()
{
    static const auto dir = [] {
        const QString base = kairo::privatefolder::forScratch();
        std::unique_ptr<QTemporaryDir> made;
        if (!base.isEmpty()) {
            removeLeftScratchFolders(base);
            made = std::make_unique<QTemporaryDir>(QStringLiteral("%1/%2%3-XXXXXX")
                                                       .arg(base, QLatin1String(scratchPrefix))
                                                       .arg(QCoreApplication::applicationPid()));
        }
        if (!made || !made->isValid())
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

// A file that exists but cannot be read whole is never taken as empty: a
// save would then replace it with only the new edit.
DurableIni::ReadResult readAll(const QString &path, QByteArray *bytes)
{
    bytes->clear();
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 && errno == ENOENT)
        return DurableIni::ReadResult::Missing;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DurableIni::ReadResult::Unreadable;
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        bytes->clear();
        return DurableIni::ReadResult::Unreadable;
    }
    return DurableIni::ReadResult::Read;
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
    const ReadResult read = readAll(realPath, &onDisk);
    readFailed = read == ReadResult::Unreadable;
    existsOnDisk = read == ReadResult::Read;
    QFile::remove(scratchPath);
    if (readFailed)
        return false;
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
    QByteArray bytes;
    const bool scratchExists = readAll(scratchPath, &bytes) == ReadResult::Read;
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

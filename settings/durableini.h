#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <memory>

// An INI file that only ever changes whole. QSettings reads and edits a
// private scratch copy; commit() checks that QSettings wrote that copy
// completely and then replaces the real file in one atomic rename. QSettings
// alone would, on a full disk, rename a truncated file over the real one and
// report success.
class DurableIni
{
public:
    explicit DurableIni(const QString &path);
    ~DurableIni();
    DurableIni(const DurableIni &) = delete;
    DurableIni &operator=(const DurableIni &) = delete;

    // Reads and edits. The object stays the same for the file's whole life,
    // replacements included, unless a write of it failed.
    // A file changed by someone else since it was last read is read again.
    QSettings &settings();
    const QString &path() const { return realPath; }

    // Writes what changed since the last commit; true when the file on disk
    // now holds it (or nothing changed). On failure the file on disk is left
    // as it was and the edits are dropped, so what is read matches the disk.
    // A file that exists but could not be read whole is never replaced: its
    // commits fail until it reads again.
    bool commit();
    // True when the last read of the file failed (not when it was missing).
    bool readHasFailed() const { return readFailed; }
    // Drops unwritten edits and reads the file on disk again.
    void reload();

    enum class ReadResult { Read, Missing, Unreadable };

private:
    struct Signature {
        qint64 inode = -1, size = -1, modifiedNs = -1;
        bool operator==(const Signature &) const = default;
    };
    static Signature signatureOf(const QString &path);
    bool copyRealToScratch();
    void reopen();

    QString realPath;
    QString scratchPath;
    QByteArray onDisk; // the bytes last read from or written to realPath
    bool existsOnDisk = false;
    // False when the scratch copy could not be written: its settings then
    // hold less than the file, and committing them would lose the rest.
    bool scratchHoldsFile = false;
    bool readFailed = false;
    Signature seen; // of realPath when onDisk was taken
    std::unique_ptr<QSettings> scratch;
};

#pragma once

#include <QByteArray>
#include <QString>

namespace kairo::files {
// Makes destination a byte-for-byte copy of source without ever leaving it
// missing or half-written: the bytes go to a temporary file beside the
// destination, which reaches the disk and then replaces it in one rename.
// On failure the destination is untouched and false is returned.
bool replaceWithCopy(const QString &source, const QString &destination);
// Makes destination hold exactly bytes, with the same guarantee.
bool writeWhole(const QString &destination, const QByteArray &bytes);

// A file someone chose to import is at most this large.
inline constexpr qint64 maxImportBytes = 1024 * 1024;
enum class ImportRead { Read, NotAFile, Unreadable };
// Reads a chosen file whole when it is a regular file (after links) of at
// most maxImportBytes. It is opened without blocking, so a FIFO or a device
// cannot hold the window up.
ImportRead readImport(const QString &path, QByteArray *bytes);

enum class CopyResult { Copied, Exists, NotAFile, Failed };
// Copies an import file (readImport's rule) to destination unless
// destination already exists.
CopyResult copyIfAbsent(const QString &source, const QString &destination);
} // namespace kairo::files

#pragma once

#include <QByteArray>
#include <QString>

namespace kairo::files {
// Makes destination a byte-for-byte copy of source without ever leaving it
// missing or half-written: the bytes go to a temporary file beside the
// destination, which then replaces it in one rename. On failure the
// destination is untouched and false is returned.
bool replaceWithCopy(const QString &source, const QString &destination);
// Makes destination hold exactly bytes, with the same guarantee.
bool writeWhole(const QString &destination, const QByteArray &bytes);
// Copies source to destination unless destination already exists.
bool copyIfAbsent(const QString &source, const QString &destination);
} // namespace kairo::files

#pragma once

// Lists as name.bin and the profiles keep them, and the names a library
// entry may take.

#include <QString>
#include <QStringList>

class QSettings;

namespace kairo::names {
// A stored list of one element carries this as its second element.
inline constexpr char placeholder[] = "loaderzumbek";
QStringList withPlaceholder(const QStringList &list);
QStringList withoutPlaceholder(const QStringList &list);
// Reads key as a list and drops a trailing placeholder.
QStringList readList(QSettings &settings, const QString &key);
// Writes the list with the placeholder rule; an empty list removes the key.
void writeList(QSettings &settings, const QString &key, const QStringList &list);
// A name that would leave its folder once made into a path.
bool isPathLike(const QString &name);
// A name that is not valid UTF-16 (an unpaired surrogate): it is written to
// disk under another spelling, so two such names would share one file or key.
bool isMalformed(const QString &name);
// A name no file, folder or settings key is made from: either of the above.
bool isUnfitName(const QString &name);
} // namespace kairo::names

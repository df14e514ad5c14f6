#pragma once

#include <QString>

// Folders only this user may enter, for the files other local users must not
// reach first or fill up: the single-copy lock and socket, and the scratch
// copies of the settings.
namespace kairo::privatefolder {
// $XDG_RUNTIME_DIR when it is a directory of this user that nobody else may
// enter, else empty.
QString runtimeDir();
// path, created 0700 when missing; empty (and a warning) when it exists but
// is not a private folder of this user, or cannot be created.
QString ensure(const QString &path);
// The lock's folder: runtimeDir(), else <temp>/kairo-<uid>.
QString forLock();
// The scratch copies' folder: runtimeDir(), else the user's own cache folder
// (<cache>/kairo), which another user cannot fill as they can the shared
// temporary folder, else forLock().
QString forScratch();
} // namespace kairo::privatefolder

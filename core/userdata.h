#pragma once
// Where the program's "./modules/..." paths resolve. A build folder or a
// per-user install keeps its settings in the modules/ beside the program; an
// install the user cannot write to (a system folder) works on the user's own
// copy of the shipped modules/, kept in the user's data folder.

#include <QString>

namespace kairo::userdata {

// $XDG_DATA_HOME, or ~/.local/share when it is unset, empty or not absolute.
QString dataHome();

// Whether this process can create files in every folder of the tree under
// `modulesDir`. Settings are saved by writing a new file beside the old one and
// renaming it, so folder rights are what a Save needs. Tried for real, not
// read from the mode bits, which root and access lists overrule.
bool isWritableTree(const QString &modulesDir);

// Adds to `userModules` every folder and file of `shippedModules` it lacks;
// never replaces a file that is there. Returns false when one could not be
// added (the reason goes to the log).
bool addMissingFiles(const QString &shippedModules, const QString &userModules);

// The folder that holds the modules/ to work on for a program in `programDir`:
// `programDir` itself when its modules/ is writable (or missing), else
// `dataHome`/kairo, given the shipped files it lacks on every start. When that
// copy cannot be made the program's own folder is kept, read-only.
QString workingFolder(const QString &programDir, const QString &dataHome = userdata::dataHome());

} // namespace kairo::userdata

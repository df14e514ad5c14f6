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

// Brings `userModules` up to the shipped `shippedModules`: adds every folder
// and file it lacks, and replaces a language file, image, font or factory
// profile (pD.bin, apConfigD.bin) the user left as an earlier version shipped
// it, as the record beside the copy tells. Never touches a file the user
// changed or made, nor profiles, macros, names, the configuration or the gun
// table. Returns false when a file could not be written (the reason goes to
// the log).
bool updateUserCopy(const QString &shippedModules, const QString &userModules);

// The folder that holds the modules/ to work on for a program in `programDir`:
// `programDir` itself when its modules/ is writable (or missing), else
// `dataHome`/kairo, brought up to the shipped files on every start. When that
// copy cannot be made the program's own folder is kept, read-only.
QString workingFolder(const QString &programDir, const QString &dataHome = userdata::dataHome());

} // namespace kairo::userdata

#pragma once

// The captions and filters of the file dialogs and the macro library's own
// warning, in the user's language (the [files] group of the language
// files), English where the file lacks them.

#include <QString>

class SettingsStore;

namespace kairo::files {
enum class Caption {
    OpenFile,
    SaveFile,
    OpenDirectory,
    ProfileFilter, // the pattern in parentheses stays "(*.pf)"
    MacroFilter,   // "(*.mc)"
    CreateFolder,
    DuplicateName,
};
QString caption(SettingsStore &store, Caption which);
} // namespace kairo::files

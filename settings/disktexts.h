#pragma once

// The warnings of saves and imports that failed, in the user's language (the
// [disk] group of the language files), English where the file lacks them.

#include <QString>

class SettingsStore;

namespace kairo::disk {
enum class Text {
    NotSavedTitle,
    NotSaved, // %1 the file
    NotRead,  // %1 the file
    NotImportedTitle,
    NotAFile,       // %1 the chosen file
    NotAProfile,    // %1 the chosen file
    NotImported,    // %1 the chosen file
    UnfitName,      // %1 the name
    TooManyActions, // %1 the bound
};
QString text(SettingsStore &store, Text which);
// Shows which (with its %1 filled) under title, when the store has dialogs.
void warn(SettingsStore &store, Text title, Text which, const QString &argument);
} // namespace kairo::disk

#include "settings/dialogtexts.h"

#include "settings/languagestrings.h"
#include "settings/settingsstore.h"

namespace kairo::files {

namespace {

const char *const english[] = {
    "Open File",   "Save File",     "Open Directory",   "Profile(*.pf)",
    "Macro(*.mc)", "Create folder", "Duplicate name！",
};

} // namespace

QString caption(SettingsStore &store, Caption which)
{
    return LanguageStrings::configured(store.configPath(), store.languageDir(),
                                       QStringLiteral("files"), int(which),
                                       QString::fromUtf8(english[int(which)]));
}

} // namespace kairo::files

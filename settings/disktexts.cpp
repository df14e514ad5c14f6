#include "settings/disktexts.h"

#include "settings/languagestrings.h"
#include "settings/settingsdialogs.h"
#include "settings/settingsstore.h"

namespace kairo::disk {

namespace {

const char *const english[] = {
    "Not saved",
    "Kairo could not save %1: the disk may be full, read-only or failing. The file keeps its "
    "previous content.",
    "Kairo could not read %1 whole, so it was left as it was and the change was not saved.",
    "Not imported",
    "%1 was not imported: only a regular file of at most 1 MiB can be imported.",
    "%1 was not imported: it is not a Kairo profile.",
    "%1 could not be imported: it could not be read or copied.",
    "\"%1\" cannot be used as a name.",
    "A macro holds at most %1 actions; this one was not saved.",
};

} // namespace

QString text(SettingsStore &store, Text which)
{
    // Read without the store's own copy of the file, which a failed save
    // may have just dropped.
    return LanguageStrings::configured(store.configPath(), store.languageDir(),
                                       QStringLiteral("disk"), int(which),
                                       QString::fromUtf8(english[int(which)]));
}

void warn(SettingsStore &store, Text title, Text which, const QString &argument)
{
    if (SettingsDialogs *dialogs = store.dialogs())
        dialogs->warning(text(store, title), text(store, which).arg(argument));
}

} // namespace kairo::disk

// A language file, read group by group as the main page loads a language.
#include "fuzz/fuzzsupport.h"

#include "settings/languagestrings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kairo::fuzz::ScratchFolder folder;
    folder.write(QStringLiteral("i18n/English.ini"), data, size);
    LanguageStrings strings(folder.path() + QStringLiteral("/i18n"));
    for (const char *group :
         {"keyMatrix", "keyAssigment", "dpiSetting", "lightControl", "macroEditor", "systemSetting",
          "gunControl", "profile", "keyCode", "warningAssigment", "other"}) {
        const QStringList texts =
            strings.getLangStrings(QLatin1String(group), QStringLiteral("English"));
        if (texts.size() > LanguageStrings::maxGroupTexts)
            kairo::fuzz::finding("a language group longer than maxGroupTexts");
    }
    return 0;
}

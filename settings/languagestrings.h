#pragma once

// Page texts from <modules>/i18n/<language>.ini, one INI group per page.

#include <QString>
#include <QStringList>

class SettingsStore;

class LanguageStrings
{
public:
    // A page shows a few dozen texts (63 at most today); a larger count is a
    // damaged file, and the texts past the bound are read as its end.
    static constexpr int maxGroupTexts = 512;

    explicit LanguageStrings(SettingsStore &store);
    explicit LanguageStrings(const QString &languageDir);

    // Texts of group typeStr; "other" also refreshes dpiSwitchTexts().
    QStringList getLangStrings(const QString &typeStr, const QString &langCode);

    // Text index of group in the language common/language of the
    // configuration at configPath names, read afresh so that a language
    // picked a moment ago counts; english where that file lacks it.
    static QString configured(const QString &configPath, const QString &languageDir,
                              const QString &group, int index, const QString &english);

private:
    QString dir;
};

#pragma once

// Page texts from <modules>/i18n/<language>.ini, one INI group per page.

#include <QString>
#include <QStringList>

class SettingsStore;

class LanguageStrings
{
public:
    explicit LanguageStrings(SettingsStore &store);
    explicit LanguageStrings(const QString &languageDir);

    // Texts of group typeStr; "other" also refreshes dpiSwitchTexts().
    QStringList getLangStrings(const QString &typeStr, const QString &langCode);

private:
    QString dir;
};

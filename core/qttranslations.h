#pragma once

// Qt's own texts (a file dialog's buttons and labels, a message box's OK)
// in the language Kairo shows, from the qtbase translations installed with
// Qt (Debian: qt6-translations-l10n).

#include <QString>

#include <memory>

class QTranslator;

class QtTranslations
{
public:
    QtTranslations();
    ~QtTranslations();

    // Replaces the translation in use by the one of languageCode ("German",
    // ...); false where Qt has none (English needs none), and Qt then
    // speaks English.
    bool use(const QString &languageCode);
    // The locale Qt's translations are named after ("de", "zh_CN").
    static QString localeName(const QString &languageCode);

private:
    std::unique_ptr<QTranslator> installed;
};

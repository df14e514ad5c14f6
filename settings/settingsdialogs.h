#pragma once

#include <QString>

// The few questions the settings operations ask the user. The program answers
// them with real dialogs (WidgetDialogs); tests answer them without a window.
// An empty answer means the user cancelled.
class SettingsDialogs
{
public:
    virtual ~SettingsDialogs();
    virtual QString openFileName(const QString &caption, const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &filter) = 0;
    virtual QString existingDirectory(const QString &caption) = 0;
    virtual void warning(const QString &title, const QString &text) = 0;
    // Where the dialogs start; a batch import of this folder itself is refused.
    virtual QString desktopDirectory() const = 0;
};

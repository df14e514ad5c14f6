#pragma once

#include "settings/settingsdialogs.h"

class QWidget;

// The program's answers: file and directory dialogs starting on the desktop,
// and a warning box with a single OK button, all parented to one widget.
class WidgetDialogs : public SettingsDialogs
{
public:
    explicit WidgetDialogs(QWidget *parent);
    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &filter) override;
    QString existingDirectory(const QString &caption) override;
    void warning(const QString &title, const QString &text) override;
    QString desktopDirectory() const override;

private:
    QWidget *parent;
};

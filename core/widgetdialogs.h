#pragma once

#include "settings/settingsdialogs.h"

#include <QPointer>

class QWidget;
class WarningQueue;

// The program's answers: file and directory dialogs starting on the desktop,
// and warning boxes with a single OK button, one per user action (see
// WarningQueue), all parented to one widget.
class WidgetDialogs : public SettingsDialogs
{
public:
    explicit WidgetDialogs(QWidget *parent);
    ~WidgetDialogs() override;
    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &filter) override;
    QString existingDirectory(const QString &caption) override;
    void warning(const QString &title, const QString &text) override;
    QString desktopDirectory() const override;

private:
    QWidget *parent;
    // A child of the parent widget, found there by whoever must show the
    // warnings before the program ends.
    QPointer<WarningQueue> warnings;
};

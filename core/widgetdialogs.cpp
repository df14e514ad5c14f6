#include "core/widgetdialogs.h"

#include "core/warningqueue.h"

#include <QFileDialog>
#include <QStandardPaths>

WidgetDialogs::WidgetDialogs(QWidget *parent)
    : parent(parent)
    , warnings(new WarningQueue(parent))
{}

WidgetDialogs::~WidgetDialogs()
{
    if (warnings && !warnings->parent())
        delete warnings;
}

QString WidgetDialogs::openFileName(const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, desktopDirectory(), filter);
}

QString WidgetDialogs::saveFileName(const QString &caption, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, desktopDirectory(), filter);
}

QString WidgetDialogs::existingDirectory(const QString &caption)
{
    return QFileDialog::getExistingDirectory(parent, caption, desktopDirectory(),
                                             QFileDialog::ShowDirsOnly
                                                 | QFileDialog::DontResolveSymlinks);
}

void WidgetDialogs::warning(const QString &title, const QString &text)
{
    if (warnings)
        warnings->add(title, text);
}

QString WidgetDialogs::desktopDirectory() const
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

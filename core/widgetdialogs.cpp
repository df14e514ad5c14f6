#include "core/widgetdialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

WidgetDialogs::WidgetDialogs(QWidget *parent)
    : parent(parent)
{}

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
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

QString WidgetDialogs::desktopDirectory() const
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

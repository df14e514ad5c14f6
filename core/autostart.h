#pragma once

#include <QString>
#include <QStringList>

// Kairo started at login through an XDG autostart entry. The entry file is
// the whole state: a user who deletes it, or a desktop's settings that hide
// it, turns autostart off, and Kairo asks the file again each time.
class Autostart
{
public:
    // The program is started as `command --autostart`.
    Autostart(const QString &entryPath, const QString &command);
    // $XDG_CONFIG_HOME/autostart/<app id>.desktop, and the installed
    // launcher (KAIRO_LAUNCHER, exported by bin/kairo) or this program.
    static Autostart forThisProgram();

    static QString defaultEntryPath();
    // The entry's name under the id Kairo had before it was lowercased.
    static QString formerEntryPath();
    static QString defaultCommand();
    // One Exec argument as the Desktop Entry format wants it: quoted when
    // it holds a reserved character, then escaped as a string value.
    static QString execArgument(const QString &argument);

    QString path() const { return entryPath; }
    QString entryText() const;
    bool isEnabled() const;
    // False when the folder or the file cannot be written or removed.
    bool setEnabled(bool enabled);
    // An entry left at formerPath becomes this one, so that a user who
    // turned autostart on under the old name keeps it on; beside an entry
    // of the new name it is only removed.
    void adoptEntry(const QString &formerPath) const;

private:
    static QString autostartFolder();
    QString entryPath;
    QString command;
};

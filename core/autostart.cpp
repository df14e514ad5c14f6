#include "core/autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace {

// Characters that an Exec argument may hold only inside double quotes.
const QString reservedInExec = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
// Characters that need a backslash inside those quotes.
const QString escapedInQuotes = QStringLiteral("\"`$\\");

bool needsQuotes(const QString &argument)
{
    for (QChar c : argument) {
        if (reservedInExec.contains(c))
            return true;
    }
    return argument.isEmpty();
}

QString quoted(const QString &argument)
{
    QString text = QStringLiteral("\"");
    for (QChar c : argument) {
        if (escapedInQuotes.contains(c))
            text += '\\';
        text += c;
    }
    return text + '"';
}

// The escapes of a string value, applied to the whole Exec line after quoting.
QString escapedValue(const QString &text)
{
    QString value;
    for (QChar c : text) {
        if (c == '\\')
            value += QStringLiteral("\\\\");
        else if (c == '\n')
            value += QStringLiteral("\\n");
        else if (c == '\t')
            value += QStringLiteral("\\t");
        else if (c == '\r')
            value += QStringLiteral("\\r");
        else
            value += c;
    }
    return value;
}

// Hidden=true, or GNOME's own switch turned off, is how desktops disable an
// entry without deleting it.
bool hiddenByDesktop(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    bool inMainGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().remove(' ');
        if (line.startsWith('['))
            inMainGroup = line == QLatin1String("[DesktopEntry]");
        else if (inMainGroup
                 && (line == QLatin1String("Hidden=true")
                     || line == QLatin1String("X-GNOME-Autostart-enabled=false")))
            return true;
    }
    return false;
}

} // namespace

Autostart::Autostart(const QString &entryPath, const QString &command)
    : entryPath(entryPath)
    , command(command)
{}

Autostart Autostart::forThisProgram()
{
    Autostart autostart(defaultEntryPath(), defaultCommand());
    autostart.adoptEntry(formerEntryPath());
    return autostart;
}

QString Autostart::defaultEntryPath()
{
    return autostartFolder() + QStringLiteral(KAIRO_APP_ID ".desktop");
}

QString Autostart::formerEntryPath()
{
    return autostartFolder() + QStringLiteral(KAIRO_FORMER_APP_ID ".desktop");
}

QString Autostart::autostartFolder()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + QStringLiteral("/autostart/");
}

void Autostart::adoptEntry(const QString &formerPath) const
{
    if (formerPath == entryPath || !QFileInfo(formerPath).isFile())
        return;
    // Renamed rather than rewritten, so that a desktop's Hidden=true stays.
    if (QFileInfo::exists(entryPath) || !QFile::rename(formerPath, entryPath))
        QFile::remove(formerPath);
}

QString Autostart::defaultCommand()
{
    // The launcher starts the installed program in its own folder; a build
    // tree's program is started directly.
    const QFileInfo launcher(qEnvironmentVariable("KAIRO_LAUNCHER"));
    if (launcher.isAbsolute() && launcher.isFile() && launcher.isExecutable())
        return launcher.filePath();
    return QCoreApplication::applicationFilePath();
}

QString Autostart::execArgument(const QString &argument)
{
    QString text = argument;
    text.replace('%', QStringLiteral("%%"));
    return escapedValue(needsQuotes(text) ? quoted(text) : text);
}

QString Autostart::entryText() const
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Kairo\n"
                          "Comment=Configure the ZENDRA KAIRO MOUSE K1\n"
                          "Exec=%1 --autostart\n"
                          "Icon=kairo\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execArgument(command));
}

bool Autostart::isEnabled() const
{
    return QFileInfo(entryPath).isFile() && !hiddenByDesktop(entryPath);
}

bool Autostart::setEnabled(bool enabled)
{
    if (!enabled)
        return !QFileInfo::exists(entryPath) || QFile::remove(entryPath);
    if (!QDir().mkpath(QFileInfo(entryPath).absolutePath()))
        return false;
    QSaveFile file(entryPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(entryText().toUtf8());
    return file.commit();
}

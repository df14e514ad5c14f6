#pragma once

// Stand-ins for the desktops' settings tools (gsettings, kwriteconfig6): small
// scripts on a private PATH that record their arguments, one call per line,
// and answer with the exit code the test chose.
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

class FakeDesktopTools
{
public:
    FakeDesktopTools()
        : savedPath(qgetenv("PATH"))
        , savedDesktop(qgetenv("XDG_CURRENT_DESKTOP"))
    {
        qputenv("PATH", dir.path().toLocal8Bit());
    }
    ~FakeDesktopTools()
    {
        qputenv("PATH", savedPath);
        qputenv("XDG_CURRENT_DESKTOP", savedDesktop);
    }

    void setDesktop(const char *name) { qputenv("XDG_CURRENT_DESKTOP", name); }

    // The tool exits with exitCode, except for calls whose first argument is
    // failingVerb, which exit 1.
    void install(const QString &tool, int exitCode = 0, const QString &failingVerb = {})
    {
        QFile script(dir.filePath(tool));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\n");
        script.write(QStringLiteral("echo \"$*\" >> '%1'\n").arg(logPath(tool)).toLocal8Bit());
        if (!failingVerb.isEmpty())
            script.write(
                QStringLiteral("[ \"$1\" = '%1' ] && exit 1\n").arg(failingVerb).toLocal8Bit());
        script.write(QStringLiteral("exit %1\n").arg(exitCode).toLocal8Bit());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QStringList calls(const QString &tool) const
    {
        QFile log(logPath(tool));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(log.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    bool valid() const { return dir.isValid(); }

private:
    QString logPath(const QString &tool) const { return dir.filePath(tool + ".calls"); }

    QTemporaryDir dir;
    QByteArray savedPath;
    QByteArray savedDesktop;
};

#pragma once

// Stand-ins for the desktops' settings tools (gsettings, kwriteconfig6): small
// scripts on a private PATH that record their arguments, one call per line,
// and answer with the exit code the test chose. Below them a private session
// bus and the fake KWin input device service that runs on it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <sys/types.h>

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
    // failingVerb, which exit 1. It prints answer first (gsettings writable
    // answers "true").
    void install(const QString &tool, int exitCode = 0, const QString &failingVerb = {},
                 const QString &answer = QStringLiteral("true"))
    {
        QFile script(dir.filePath(tool));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\n");
        script.write(QStringLiteral("echo \"$*\" >> '%1'\n").arg(logPath(tool)).toLocal8Bit());
        script.write(QStringLiteral("echo '%1'\n").arg(answer).toLocal8Bit());
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

// A session bus of the test's own; the process uses it from then on (Qt
// connects to the session bus on first use, so make this one first).
class PrivateSessionBus
{
public:
    PrivateSessionBus()
        : savedAddress(qgetenv("DBUS_SESSION_BUS_ADDRESS"))
    {
        QProcess daemon;
        daemon.start(QStringLiteral("dbus-daemon"),
                     {"--session", "--fork", "--print-address=1", "--print-pid=1"});
        daemon.waitForFinished(10000);
        const QStringList lines =
            QString::fromLocal8Bit(daemon.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        if (lines.size() < 2)
            return;
        address = lines.at(0).toLocal8Bit();
        pid = lines.at(1).toInt();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    }
    ~PrivateSessionBus()
    {
        if (pid > 0)
            ::kill(pid_t(pid), SIGTERM);
        qputenv("DBUS_SESSION_BUS_ADDRESS", savedAddress);
    }

    bool valid() const { return pid > 0; }
    QByteArray address;

private:
    QByteArray savedAddress;
    int pid = 0;
};

// tests/platform/fakekwin.cpp on the session bus, with the devices given as
// sysName|name|vendor|product|mouse, touchpad or keyboard|acceleration.
class FakeKwin
{
public:
    FakeKwin(const QString &program, const QStringList &devices)
    {
        process.start(program, devices);
        ready = process.waitForReadyRead(10000) && process.readLine().trimmed() == "ready";
    }
    ~FakeKwin() { stop(); }
    void stop()
    {
        process.terminate();
        process.waitForFinished();
    }

    bool ready = false;

private:
    QProcess process;
};

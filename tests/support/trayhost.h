#pragma once

#include <QProcess>

// An XEmbed tray (trayer) on the test's display, for as long as it lives.
class TrayHost
{
public:
    TrayHost() { process.setProcessChannelMode(QProcess::ForwardedChannels); }
    ~TrayHost() { stop(); }
    TrayHost(const TrayHost &) = delete;
    TrayHost &operator=(const TrayHost &) = delete;

    bool start()
    {
        process.start(QStringLiteral("trayer"),
                      {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                       QStringLiteral("right"), QStringLiteral("--widthtype"),
                       QStringLiteral("request")});
        return process.waitForStarted(10000);
    }
    void stop()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
    }

private:
    QProcess process;
};

#include "tests/support/fakedesktopbus.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTest>

namespace {

// The session bus of the system's session.conf, less its service folders:
// with them the bus would start the accessibility bus and others on demand,
// and they would outlive the test.
const char busConfig[] =
    R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

void endProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

} // namespace

FakeDesktopBus::~FakeDesktopBus()
{
    endProcess(services);
    endProcess(daemon);
}

bool FakeDesktopBus::startBus()
{
    if (daemon.state() == QProcess::Running)
        return true;
    if (!dir.isValid()) {
        lastError = QStringLiteral("no temporary folder");
        return false;
    }
    QFile config(dir.filePath(QStringLiteral("bus.conf")));
    if (!config.open(QIODevice::WriteOnly)
        || config.write(QString::fromLatin1(busConfig).arg(dir.path()).toUtf8()) < 0) {
        lastError = QStringLiteral("cannot write ") + config.fileName();
        return false;
    }
    config.close();
    // Not forked: the test owns the daemon and ends it by its own handle.
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                  QStringLiteral("--print-address=1")});
    const QDeadlineTimer deadline(10000);
    while (!daemon.canReadLine() && !deadline.hasExpired()
           && daemon.state() != QProcess::NotRunning)
        daemon.waitForReadyRead(100);
    busAddress = QString::fromLocal8Bit(daemon.readLine()).trimmed();
    if (busAddress.isEmpty()) {
        lastError = QStringLiteral("dbus-daemon gave no address: ")
                    + QString::fromLocal8Bit(daemon.readAllStandardError());
        return false;
    }
    return true;
}

bool FakeDesktopBus::start(int wanted)
{
    if (!startBus())
        return false;
    stopServices();
    received.clear();
    partialLine.clear();
    QStringList args;
    if (wanted & TrayWatcher)
        args << QStringLiteral("--watcher");
    else if (wanted & TrayWatcherWithoutHost)
        args << QStringLiteral("--watcher-without-host");
    if (wanted & Notifications)
        args << QStringLiteral("--notifications");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    exportTo(env);
    services.setProcessEnvironment(env);
    services.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    services.start(QStringLiteral(KAIRO_FAKE_DESKTOP_BUS), args);
    const QDeadlineTimer deadline(10000);
    QByteArray first;
    while (!first.endsWith('\n') && !deadline.hasExpired()
           && services.state() != QProcess::NotRunning) {
        services.waitForReadyRead(100);
        first += services.readLine();
    }
    if (first.trimmed() != "ready") {
        lastError =
            QStringLiteral("the fake services did not come up (exit %1)").arg(services.exitCode());
        return false;
    }
    return true;
}

void FakeDesktopBus::stopServices()
{
    readCalls();
    endProcess(services);
    readCalls();
}

void FakeDesktopBus::exportTo(QProcessEnvironment &env) const
{
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
}

void FakeDesktopBus::readCalls()
{
    if (services.state() == QProcess::Running)
        services.waitForReadyRead(0);
    partialLine += services.readAllStandardOutput();
    qsizetype end;
    while ((end = partialLine.indexOf('\n')) >= 0) {
        const QByteArray line = partialLine.left(end);
        partialLine.remove(0, end + 1);
        const QJsonDocument call = QJsonDocument::fromJson(line);
        if (call.isObject())
            received.append(call.object());
    }
}

QList<QJsonObject> FakeDesktopBus::calls(const QString &name)
{
    readCalls();
    QList<QJsonObject> named;
    for (const QJsonObject &call : std::as_const(received)) {
        if (name.isEmpty() || call.value(QLatin1String("call")).toString() == name)
            named.append(call);
    }
    return named;
}

bool FakeDesktopBus::waitForCalls(const QString &name, int count, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (calls(name).size() < count && !deadline.hasExpired())
        QTest::qWait(20);
    return calls(name).size() >= count;
}

#include "sim/virtualmouse.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace kairo::sim;

namespace {

struct CliResult {
    int exitCode = -1;
    QString out, err;
};

CliResult runCli(const QString &socket, const QStringList &args)
{
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KAIRO_VIRTUAL_MOUSE_SOCKET", socket);
    cli.setProcessEnvironment(env);
    cli.start(KAIRO_SIM_CLI, args);
    if (!cli.waitForFinished(10000))
        return {};
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}

QJsonObject json(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

// The preloaded host answers one line per command.
QString ask(QProcess &host, const QByteArray &command)
{
    host.write(command + '\n');
    for (int waited = 0; !host.canReadLine() && waited < 10; ++waited)
        host.waitForReadyRead(1000);
    return QString::fromUtf8(host.readLine()).trimmed();
}

} // namespace

class TestSimControl : public QObject
{
    Q_OBJECT
private slots:
    void init() { reset(); }

    void commandLines()
    {
        QCOMPARE(handleControlCommand("unplug"), QString("ok\n"));
        QVERIFY(!isPlugged(0));
        QCOMPARE(handleControlCommand("plug 0"), QString("ok\n"));
        QVERIFY(isPlugged(0));
        QCOMPARE(handleControlCommand("press-dpi 7"), QString("ok\n"));
        QCOMPARE(state(0).currentDpiStage, 7);
        QCOMPARE(handleControlCommand("mute on 0"), QString("ok\n"));
        QVERIFY(isMuted(0));
        QCOMPARE(handleControlCommand("mute off"), QString("ok\n"));
        QVERIFY(!isMuted(0));

        const QString stateReply = handleControlCommand("state");
        QVERIFY(stateReply.startsWith("ok\n"));
        const QJsonObject s = json(stateReply.mid(3));
        QCOMPARE(s["currentDpiStage"].toInt(), 7);
        QCOMPARE(s["plugged"].toBool(), true);
        QCOMPARE(s["family"].toString(), QString("553"));
        QCOMPARE(s["dpiCodes"].toString(), QString("02 04 06 08 0a 0c 0e 10"));
        QCOMPARE(s["profiles"].toArray().size(), 5);

        for (const char *bad : {"plug 1", "press-dpi", "press-dpi x", "press-dpi 300", "mute maybe",
                                "state 0 0", "dance", ""})
            QVERIFY2(handleControlCommand(bad).startsWith("error: "), bad);
    }

    void cliTalksToTheSocket()
    {
        QTemporaryDir dir;
        const QString socket = dir.filePath("vm.sock");
        QVERIFY(startControlServer(socket));
        CliResult r = runCli(socket, {"unplug"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(!isPlugged(0));
        QCOMPARE(runCli(socket, {"plug", "0"}).exitCode, 0);
        QVERIFY(isPlugged(0));
        QCOMPARE(runCli(socket, {"press-dpi", "4"}).exitCode, 0);
        r = runCli(socket, {"state"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(json(r.out)["currentDpiStage"].toInt(), 4);

        r = runCli(socket, {"unplug", "3"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("no device 3"), qPrintable(r.err));
        stopControlServer();

        r = runCli(socket, {"state"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("no virtual mouse is running"), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void cliDrivesAPreloadedProgram()
    {
        QTemporaryDir dir;
        const QString socket = dir.filePath("vm.sock");
        const QString logFile = dir.filePath("wire.log");
        QProcess host;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_PRELOAD", KAIRO_SIM_PRELOAD);
        env.insert("KAIRO_VIRTUAL_MOUSE_SOCKET", socket);
        env.insert("KAIRO_VIRTUAL_MOUSE_LOG", logFile);
        env.remove("KAIRO_VIRTUAL_MOUSE_CONFIG");
        host.setProcessEnvironment(env);
        host.start(KAIRO_SIM_HOST);
        QVERIFY(host.waitForStarted(5000));
        QCOMPARE(ask(host, ""), QString("ready"));

        QCOMPARE(ask(host, "enum"), QString("interfaces 2"));
        QCOMPARE(ask(host, "stage"), QString("stage 2"));

        // A report pressed while the host waits wakes its read early.
        host.write("read 5000\n");
        QTest::qWait(100);
        QCOMPARE(runCli(socket, {"press-dpi", "5"}).exitCode, 0);
        QCOMPARE(ask(host, ""), QString("read 4 06 07 00 05"));
        QCOMPARE(ask(host, "stage"), QString("stage 5"));

        CliResult r = runCli(socket, {"state"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(json(r.out)["currentDpiStage"].toInt(), 5);

        QCOMPARE(runCli(socket, {"unplug"}).exitCode, 0);
        QCOMPARE(ask(host, "enum"), QString("interfaces 0"));
        QCOMPARE(ask(host, "stage"), QString("stage failed"));
        QCOMPARE(runCli(socket, {"plug"}).exitCode, 0);
        QCOMPARE(ask(host, "enum"), QString("interfaces 2"));

        r = runCli(socket, {"log"});
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.filter(QRegularExpression("^\\d+ 0 feature-out 00 8b 00 00 00 00 00 00 74$"))
                     .size(),
                 2);
        QCOMPARE(lines.filter(QRegularExpression("^\\d+ 0 in 06 07 00 05$")).size(), 1);

        host.write("quit\n");
        QVERIFY(host.waitForFinished(5000));
        QCOMPARE(host.exitCode(), 0);
        QFile file(logFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts), lines);
    }
};

QTEST_GUILESS_MAIN(TestSimControl)
#include "test_sim_control.moc"

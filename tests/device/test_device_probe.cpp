// kairo-probe as an owner runs it: its own process, the device table from the
// modules folder beside it, and the virtual mouse preloaded in place of the
// HID library. What it says is checked against what crossed the wire.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct ProbeRun {
    bool finished = false;
    int exitCode = -1;
    QStringList output; // stdout lines
    QStringList wire;   // wire log lines without their time stamps
};

// A probe of its own with the shipped configuration beside it, changed by
// the given keys.
QString probeCopy(const QTemporaryDir &dir, const QString &name,
                  const QMap<QString, QString> &changes, bool withConfig = true)
{
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder + QStringLiteral("/modules/setting"));
    const QString probe = folder + QStringLiteral("/kairo-probe");
    if (!QFile::copy(QStringLiteral(KAIRO_PROBE), probe))
        return {};
    if (withConfig) {
        const QString config = folder + QStringLiteral("/modules/setting/apConfig.bin");
        if (!QFile::copy(QStringLiteral(KAIRO_SOURCE_MODULES "/setting/apConfig.bin"), config))
            return {};
        QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner);
        QSettings settings(config, QSettings::IniFormat);
        for (auto it = changes.begin(); it != changes.end(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return {};
    }
    return probe;
}

} // namespace

class ProbeTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    int runs = 0;

    // mice: INI text for KAIRO_VIRTUAL_MOUSE_CONFIG, empty for the default mouse.
    ProbeRun run(const QString &probe, const QByteArray &mice = {})
    {
        ++runs;
        const QString logFile = dir.filePath(QStringLiteral("wire-%1.log").arg(runs));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(KAIRO_SIM_PRELOAD));
        env.insert(QStringLiteral("KAIRO_VIRTUAL_MOUSE_LOG"), logFile);
        env.insert(QStringLiteral("KAIRO_VIRTUAL_MOUSE_SOCKET"),
                   dir.filePath(QStringLiteral("vm-%1.sock").arg(runs)));
        env.remove(QStringLiteral("KAIRO_VIRTUAL_MOUSE_CONFIG"));
        if (!mice.isEmpty()) {
            const QString miceFile = dir.filePath(QStringLiteral("mice-%1.ini").arg(runs));
            QFile file(miceFile);
            if (file.open(QIODevice::WriteOnly))
                file.write(mice);
            env.insert(QStringLiteral("KAIRO_VIRTUAL_MOUSE_CONFIG"), miceFile);
        }
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(probe, {});
        ProbeRun result;
        result.finished = process.waitForFinished(60000);
        if (!result.finished) {
            process.kill();
            process.waitForFinished(5000);
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.output =
            QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QFile log(logFile);
        if (log.open(QIODevice::ReadOnly)) {
            const QStringList lines =
                QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
            for (const QString &line : lines)
                result.wire << line.section(' ', 1);
        }
        return result;
    }

    static QString reply(const ProbeRun &run)
    {
        const QStringList in =
            run.wire.filter(QRegularExpression(QStringLiteral("^0 feature-in ")));
        return in.size() == 1 ? in.first().section(' ', 2) : QString();
    }

    static int replyByte(const ProbeRun &run, int index)
    {
        bool ok = false;
        const int value = reply(run).section(' ', index, index).toInt(&ok, 16);
        return ok ? value : -1;
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void shippedTableFindsTheMouseAndReadsItsStage()
    {
        const ProbeRun result = run(QStringLiteral(KAIRO_PROBE));
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, 0);
        const QStringList &out = result.output;
        QVERIFY2(out.contains(QStringLiteral("Entries: 1, firmware family 553")),
                 qPrintable(out.join('\n')));
        QVERIFY(
            out.contains(QStringLiteral("Entry 0: vid 04d9 pid a09f, command interface ff00/ff00, "
                                        "notification interface ff01/ff01")));
        QVERIFY(out.contains(
            QStringLiteral("  HID interface: vid 04d9 pid a09f usage page ff00 usage ff00 "
                           "path virtual:0:command (command)")));
        QVERIFY(out.contains(
            QStringLiteral("  HID interface: vid 04d9 pid a09f usage page ff01 usage ff01 "
                           "path virtual:0:notify (notification)")));
        QVERIFY(out.contains(QStringLiteral("Mouse found: entry 0, command path virtual:0:command, "
                                            "notification path virtual:0:notify")));

        // One query and its reply, nothing else; the stage shown is reply byte 2.
        QCOMPARE(result.wire.size(), 2);
        QCOMPARE(result.wire.first(), QStringLiteral("0 feature-out 00 8b 00 00 00 00 00 00 74"));
        QCOMPARE(replyByte(result, 1), 0x8b);
        const int stage = replyByte(result, 2);
        QCOMPARE(stage, 2); // the virtual mouse's factory stage
        QCOMPARE(out.last(), QStringLiteral("Current DPI stage: %1").arg(stage));
    }

    // The family comes from mouse/icType of the configuration beside the
    // probe; the shipped one names the first family, so the second needs a
    // probe with a changed copy.
    void secondFamilyAsksForTheStageOfProfileOne()
    {
        const QString probe = probeCopy(dir, QStringLiteral("probe560"),
                                        {{QStringLiteral("mouse/icType"), QStringLiteral("560")}});
        QVERIFY(!probe.isEmpty());
        const ProbeRun result = run(probe, "[0]\nfamily=560\n");
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.output.contains(QStringLiteral("Entries: 1, firmware family 560")),
                 qPrintable(result.output.join('\n')));
        QCOMPARE(result.wire.size(), 2);
        QCOMPARE(result.wire.first(), QStringLiteral("0 feature-out 00 84 01 00 00 00 00 00 7a"));
        QCOMPARE(replyByte(result, 2), 1); // the profile asked for comes back in byte 2
        const int stage = replyByte(result, 3);
        QCOMPARE(stage, 2);
        QCOMPARE(result.output.last(), QStringLiteral("Current DPI stage: %1").arg(stage));
    }

    void scrambledMouseGetsAScrambledQuery()
    {
        const QString probe = probeCopy(dir, QStringLiteral("probeEncoded"),
                                        {{QStringLiteral("0/isEncode"), QStringLiteral("true")}});
        QVERIFY(!probe.isEmpty());
        const ProbeRun result = run(probe, "[0]\nisEncode=true\nsCode=424242\n");
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.wire.size(), 2);
        QCOMPARE(result.wire.first(), QStringLiteral("0 feature-out 00 b5 a8 66 b8 ac 1d 46 96"));
        // The reply is scrambled on the wire too; the probe shows the plain stage.
        QVERIFY(replyByte(result, 2) != 2);
        QCOMPARE(result.output.last(), QStringLiteral("Current DPI stage: 2"));
    }

    // Entry 0 finds only a notification interface; the first entry with a
    // command interface is the one asked.
    void firstEntryWithACommandInterfaceIsAsked()
    {
        QMap<QString, QString> rows{{QStringLiteral("common/deviceCount"), QStringLiteral("2")},
                                    {QStringLiteral("0/pid"), QStringLiteral("a1f7")}};
        for (const char *key :
             {"type", "vid", "pid", "usagePage", "usage", "usagePage2", "usage2", "reportLength"}) {
            const QString name = QString::fromLatin1(key);
            QSettings shipped(QStringLiteral(KAIRO_SOURCE_MODULES "/setting/apConfig.bin"),
                              QSettings::IniFormat);
            rows.insert(QStringLiteral("1/") + name,
                        shipped.value(QStringLiteral("0/") + name).toString());
        }
        const QString probe = probeCopy(dir, QStringLiteral("probeTwoRows"), rows);
        QVERIFY(!probe.isEmpty());
        const ProbeRun result = run(probe, "[0]\npid=a1f7\nusagePage=0001\n[1]\nfamily=553\n");
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.output.contains(
                     QStringLiteral("Mouse found: entry 1, command path virtual:1:command, "
                                    "notification path virtual:1:notify")),
                 qPrintable(result.output.join('\n')));
        QVERIFY(result.output.contains(
            QStringLiteral("  HID interface: vid 04d9 pid a1f7 usage page ff01 usage ff01 "
                           "path virtual:0:notify (notification)")));
        QCOMPARE(result.wire.size(), 2);
        QCOMPARE(result.wire.first(), QStringLiteral("1 feature-out 00 8b 00 00 00 00 00 00 74"));
        QCOMPARE(result.output.last(), QStringLiteral("Current DPI stage: 2"));
    }

    void noMatchingMouseSaysSoAndFails()
    {
        // Unplugged: nothing with the table's ids is listed.
        ProbeRun result = run(QStringLiteral(KAIRO_PROBE), "[0]\nplugged=false\n");
        QVERIFY(result.finished);
        QVERIFY(result.exitCode != 0);
        QVERIFY2(result.output.contains(QStringLiteral("  no HID interface with this vid and pid")),
                 qPrintable(result.output.join('\n')));
        QCOMPARE(result.output.last(), QStringLiteral("No mouse found"));
        QVERIFY(result.wire.isEmpty());

        // Same ids, other usages: the interfaces are listed without a role,
        // and none becomes the command interface.
        result = run(QStringLiteral(KAIRO_PROBE), "[0]\nusagePage=ff02\nusagePage2=ff03\n");
        QVERIFY(result.finished);
        QVERIFY(result.exitCode != 0);
        QVERIFY2(result.output.contains(
                     QStringLiteral("  HID interface: vid 04d9 pid a09f usage page ff02 usage ff00 "
                                    "path virtual:0:command")),
                 qPrintable(result.output.join('\n')));
        QCOMPARE(result.output.filter(QStringLiteral("(command)")), QStringList());
        QCOMPARE(result.output.last(), QStringLiteral("No mouse found"));
        QVERIFY(result.wire.isEmpty());

        // Another vendor's device is not listed at all.
        result = run(QStringLiteral(KAIRO_PROBE), "[0]\nvid=1234\n");
        QVERIFY(result.finished);
        QVERIFY(result.exitCode != 0);
        QCOMPARE(result.output.filter(QStringLiteral("HID interface:")), QStringList());
        QCOMPARE(result.output.last(), QStringLiteral("No mouse found"));
    }

    void missingConfigurationIsReported()
    {
        const QString probe = probeCopy(dir, QStringLiteral("probeBare"), {}, false);
        QVERIFY(!probe.isEmpty());
        const ProbeRun result = run(probe);
        QVERIFY(result.finished);
        QVERIFY(result.exitCode != 0);
        QCOMPARE(result.output.last(), QStringLiteral("Configuration file not found"));
        QVERIFY(result.wire.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ProbeTest)
#include "test_device_probe.moc"

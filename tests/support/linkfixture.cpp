#include "tests/support/linkfixture.h"

#include <QTest>

#include <QCoreApplication>
#include <QDir>
#include <QJsonObject>

// Each test process gets its own control socket of the virtual mouse, so
// tests running side by side never meet.
static void useOwnSimulatorSocket()
{
    if (qEnvironmentVariableIsEmpty("KAIRO_VIRTUAL_MOUSE_SOCKET"))
        qputenv("KAIRO_VIRTUAL_MOUSE_SOCKET",
                QDir::temp()
                    .filePath(QStringLiteral("kairo-device-test-%1.sock")
                                  .arg(QCoreApplication::applicationPid()))
                    .toLocal8Bit());
}
Q_CONSTRUCTOR_FUNCTION(useOwnSimulatorSocket)

DeviceEntry entryFor(const kairo::sim::DeviceConfig &device)
{
    DeviceEntry entry;
    entry.type = 1;
    entry.vid = device.vid;
    entry.pid = device.pid;
    entry.usagePage = device.usagePage;
    entry.usage = device.usage;
    entry.usagePage2 = device.usagePage2;
    entry.usage2 = device.usage2;
    entry.reportLength = device.reportLength;
    entry.isEncode = device.isEncode;
    entry.sCode = device.sCode;
    return entry;
}

LinkFixture::LinkFixture(const QList<kairo::sim::DeviceConfig> &devices,
                         const QList<DeviceEntry> &entries)
{
    kairo::sim::reset(devices);
    QList<DeviceEntry> table = entries;
    if (table.isEmpty()) {
        for (const kairo::sim::DeviceConfig &device : devices)
            table.append(entryFor(device));
    }
    findDevicePaths(table);
    hid.setClock(&clock);
    hid.setDeviceTable(table);
    hid.setCurrentDevice(0);
    kairo::sim::clearWireLog();
}

LinkFixture::~LinkFixture()
{
    hid.stopDeviceMonitor();
    hid.monitorFuture.waitForFinished();
    kairo::sim::setApiHook(nullptr);
}

QString hexBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

QByteArray fromHex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

QList<kairo::sim::WireRecord> records(kairo::sim::Direction direction)
{
    QList<kairo::sim::WireRecord> selected;
    for (const kairo::sim::WireRecord &record : kairo::sim::wireLog())
        if (record.direction == direction)
            selected << record;
    return selected;
}

QStringList sentLines()
{
    QStringList lines;
    for (const kairo::sim::WireRecord &record : kairo::sim::wireLog()) {
        if (record.direction == kairo::sim::Direction::FeatureOut)
            lines << QStringLiteral("F ") + hexBytes(record.plain);
        else if (record.direction == kairo::sim::Direction::Out)
            lines << QStringLiteral("O ") + hexBytes(record.plain);
    }
    return lines;
}

QString featureLine(const char *hex)
{
    return QStringLiteral("F ") + QLatin1String(hex);
}

QString outLine(const QByteArray &payload)
{
    QByteArray report(33, '\0');
    report.replace(1, payload.size(), payload);
    return QStringLiteral("O ") + hexBytes(report);
}

QByteArray pattern(int size, int start)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(start + i);
    return bytes;
}

std::shared_ptr<QByteArray> sharedPattern(int size, int start)
{
    return std::make_shared<QByteArray>(pattern(size, start));
}

void expectCommand(LinkFixture &link, DebugCapture &debug, const std::function<void()> &command,
                   const QStringList &wire, const QList<int> &expectedSleeps,
                   const QStringList &debugLines)
{
    kairo::sim::clearWireLog();
    link.clock.sleeps.clear();
    debug.clear();
    command();
    QCOMPARE(sentLines(), wire);
    QCOMPARE(link.clock.sleeps, expectedSleeps);
    QCOMPARE(debug.lines(), debugLines);
    QVERIFY(link.hid.idle);
    QCOMPARE(kairo::sim::state(0).protocolErrors, 0);
}

CommandStep queryStep(const QString &name,
                      const std::function<void(kairo::sim::FirmwareState &)> &before,
                      const std::function<QList<int>(Hid_Thread &)> &run, const QStringList &wire,
                      const QList<int> &values, const std::function<void()> &after)
{
    return {name, run, wire, {}, {}, values, before, after};
}

CommandStep commandStep(const QString &name, const std::function<void(Hid_Thread &)> &call,
                        const QStringList &wire, const QList<int> &sleeps,
                        const QStringList &debugLines, const std::function<void()> &after)
{
    const auto run = [call](Hid_Thread &hid) {
        call(hid);
        return QList<int>();
    };
    return {name, run, wire, sleeps, debugLines, {}, {}, after};
}

void addStepRows(const QList<CommandStep> &steps)
{
    QTest::addColumn<int>("step");
    for (int i = 0; i < steps.size(); ++i)
        QTest::newRow(qPrintable(steps.at(i).name)) << i;
}

static void applyBefore(const QList<CommandStep> &steps)
{
    kairo::sim::FirmwareState state = kairo::sim::state(0);
    for (const CommandStep &step : steps)
        if (step.before)
            step.before(state);
    kairo::sim::setState(0, state);
}

void expectStep(LinkFixture &link, DebugCapture &debug, const CommandStep &step)
{
    applyBefore({step});
    QList<int> values;
    expectCommand(
        link, debug, [&] { values = step.run(link.hid); }, step.wire, step.sleeps, step.debugLines);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(values, step.values);
    if (step.after)
        step.after();
}

namespace {

struct StepResult {
    QStringList sent;         // plain command blocks and bulk output
    QList<QByteArray> bulkIn; // input reports read back
    QList<int> values;
};

QList<StepResult> runSteps(const kairo::sim::DeviceConfig &device, const QList<CommandStep> &steps,
                           const std::function<void(Hid_Thread &)> &setup, QJsonObject &finalState)
{
    LinkFixture link({device});
    if (setup)
        setup(link.hid);
    applyBefore(steps);
    QList<StepResult> results;
    for (const CommandStep &step : steps) {
        kairo::sim::clearWireLog();
        StepResult result;
        result.values = step.run(link.hid);
        result.sent = sentLines();
        for (const kairo::sim::WireRecord &record : records(kairo::sim::Direction::In))
            result.bulkIn << record.bytes;
        for (const kairo::sim::WireRecord &record : records(kairo::sim::Direction::FeatureOut)) {
            // The firmware's own view of the block differs from what crossed
            // the wire exactly when scrambling is on.
            if (device.isEncode) {
                if (record.bytes.mid(1) == record.plain.mid(1) || record.bytes.at(0) != 0)
                    result.sent << QStringLiteral("not scrambled: ") + hexBytes(record.bytes);
            } else if (record.bytes != record.plain) {
                result.sent << QStringLiteral("scrambled: ") + hexBytes(record.bytes);
            }
        }
        results << result;
    }
    finalState = kairo::sim::stateToJson(kairo::sim::state(0));
    return results;
}

} // namespace

void expectScrambledRunMatchesPlainRun(kairo::sim::DeviceConfig device, const QString &sCode,
                                       const QList<CommandStep> &steps,
                                       const std::function<void(Hid_Thread &)> &setup)
{
    device.isEncode = false;
    QJsonObject plainState;
    const QList<StepResult> plain = runSteps(device, steps, setup, plainState);
    device.isEncode = true;
    device.sCode = sCode;
    QJsonObject scrambledState;
    const QList<StepResult> scrambled = runSteps(device, steps, setup, scrambledState);
    QCOMPARE(scrambled.size(), steps.size());
    for (int i = 0; i < steps.size(); ++i) {
        const QByteArray name = steps.at(i).name.toUtf8();
        QVERIFY2(!plain.at(i).sent.isEmpty(), name.constData());
        QVERIFY2(scrambled.at(i).sent == plain.at(i).sent,
                 qPrintable(steps.at(i).name + QStringLiteral(": ")
                            + scrambled.at(i).sent.join(QStringLiteral(" / "))
                            + QStringLiteral(" vs ")
                            + plain.at(i).sent.join(QStringLiteral(" / "))));
        QVERIFY2(scrambled.at(i).bulkIn == plain.at(i).bulkIn, name.constData());
        QVERIFY2(scrambled.at(i).values == plain.at(i).values, name.constData());
    }
    QCOMPARE(scrambledState["protocolErrors"].toInt(), 0);
    QCOMPARE(scrambledState, plainState);
}

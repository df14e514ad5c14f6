#pragma once
// Fixtures of the device-link tests: a Hid_Thread wired to the virtual mouse,
// a sink that records the monitor's effects, and the checks on what crossed
// the wire.

#include "device/devicemonitorsink.h"
#include "device/devicetable.h"
#include "device/hid_thread.h"
#include "tests/support/debugcapture.h"
#include "tests/support/recordingclock.h"

#include "sim/virtualmouse.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <QThread>

#include <functional>
#include <memory>

// The effects act on user-interface objects, so they must arrive on the
// application's thread; one that does not is recorded as such.
class RecordingSink : public DeviceMonitorSink
{
public:
    void stageReported(int stage) override { record(QStringLiteral("stage %1").arg(stage)); }
    void dpiSwitchBalloon(int stage) override { record(QStringLiteral("balloon %1").arg(stage)); }
    void deviceRemoved() override { record(QStringLiteral("removed")); }
    QStringList events;

private:
    void record(const QString &event)
    {
        const bool onUiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
        events << (onUiThread ? event : event + QStringLiteral(" (off the UI thread)"));
    }
};

// A default virtual mouse (or the given ones) attached, the table found by
// enumeration, entry 0 current, recording clock in place.
struct LinkFixture {
    explicit LinkFixture(
        const QList<kairo::sim::DeviceConfig> &devices = {kairo::sim::DeviceConfig{}},
        const QList<DeviceEntry> &entries = {});
    ~LinkFixture();

    Hid_Thread hid;
    RecordingClock clock;
};

// The table the shipped configuration describes for one simulated device.
DeviceEntry entryFor(const kairo::sim::DeviceConfig &device);

// Hex text of the bytes, lower case, separated by blanks ("00 8b ...").
QString hexBytes(const QByteArray &bytes);
QByteArray fromHex(const char *spaced);

// Records of one direction, in order.
QList<kairo::sim::WireRecord> records(kairo::sim::Direction direction);
// All command and bulk-output records, decoded views, as hex lines "F 00 8b ..." / "O 00 ...".
QStringList sentLines();

// A command report line "F 00 8b ..." as sentLines() writes it.
QString featureLine(const char *hex);
// One 33-byte output report line: report id 0, the payload, zero padding.
QString outLine(const QByteArray &payload);
// size bytes counting up from start.
QByteArray pattern(int size, int start);
// The same, for a call and the expectations on it to share: debug lines name
// the address a command is handed.
std::shared_ptr<QByteArray> sharedPattern(int size, int start);
inline uchar *raw(QByteArray &bytes)
{
    return reinterpret_cast<uchar *>(bytes.data());
}

// Runs one command on a fresh log and checks what crossed the wire, the
// sleeps, the debug lines, and that the idle flag came back.
void expectCommand(LinkFixture &link, DebugCapture &debug, const std::function<void()> &command,
                   const QStringList &wire, const QList<int> &expectedSleeps,
                   const QStringList &debugLines);

// One command of a run, with what it hands back (out-parameters, result),
// and what a single call on a fresh device must do. A scrambled run needs only
// the call.
struct CommandStep {
    QString name;
    std::function<QList<int>(Hid_Thread &)> run;
    QStringList wire = {};
    QList<int> sleeps = {};
    QStringList debugLines = {};
    QList<int> values = {};
    // What the firmware holds before the call, so a query has something to read.
    std::function<void(kairo::sim::FirmwareState &)> before = {};
    // Checks on the device once the call is done.
    std::function<void()> after = {};
};

// A query: its command report alone, no pauses, no debug lines; it hands
// back what it read.
CommandStep queryStep(const QString &name,
                      const std::function<void(kairo::sim::FirmwareState &)> &before,
                      const std::function<QList<int>(Hid_Thread &)> &run, const QStringList &wire,
                      const QList<int> &values, const std::function<void()> &after = {});
// A command that hands nothing back.
CommandStep commandStep(const QString &name, const std::function<void(Hid_Thread &)> &call,
                        const QStringList &wire, const QList<int> &sleeps,
                        const QStringList &debugLines = {},
                        const std::function<void()> &after = {});

// One data row per step, its index in column "step".
void addStepRows(const QList<CommandStep> &steps);
// The step from its firmware state on the fixture's device: expectCommand,
// then the values it handed back and its checks.
void expectStep(LinkFixture &link, DebugCapture &debug, const CommandStep &step);

// Runs the steps on a plain device and again on the same device with
// scrambling and the given code, both starting from every step's firmware
// state, and checks that each command block left scrambled, arrived as the
// plain run's block, that bulk data and replies are the same, and that both
// firmwares end in the same state.
void expectScrambledRunMatchesPlainRun(kairo::sim::DeviceConfig device, const QString &sCode,
                                       const QList<CommandStep> &steps,
                                       const std::function<void(Hid_Thread &)> &setup = {});

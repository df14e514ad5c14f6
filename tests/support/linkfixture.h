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
inline uchar *raw(QByteArray &bytes)
{
    return reinterpret_cast<uchar *>(bytes.data());
}

// Runs one command on a fresh log and checks what crossed the wire, the
// sleeps, the debug lines, and that the idle flag came back.
void expectCommand(LinkFixture &link, DebugCapture &debug, const std::function<void()> &command,
                   const QStringList &wire, const QList<int> &expectedSleeps,
                   const QStringList &debugLines);

// One command of a run, with what it hands back (out-parameters, result).
struct CommandStep {
    QString name;
    std::function<QList<int>(Hid_Thread &)> run;
};

// Runs the steps on a plain device and again on the same device with
// scrambling and the given code, and checks that each command block left
// scrambled, arrived as the plain run's block, that bulk data and replies are
// the same, and that both firmwares end in the same state.
void expectScrambledRunMatchesPlainRun(kairo::sim::DeviceConfig device, const QString &sCode,
                                       const QList<CommandStep> &steps,
                                       const std::function<void(Hid_Thread &)> &setup = {});

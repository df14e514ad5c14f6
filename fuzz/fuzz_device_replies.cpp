// The link to the mouse with every reply taken from the fuzz input: the get
// commands of both families, the 560 profile read, bulk writes, enumeration
// and the monitor loop. After each command the link must be free again with
// no handle left open, and a command that says no reply arrived must leave
// what the caller passed as it was.
#include "fuzz/fakehid.h"
#include "fuzz/fuzzsupport.h"

#include "device/devicetable.h"
#include "device/hid_thread.h"

#include <algorithm>
#include <array>

using kairo::fuzz::finding;

namespace {

class NoSleep : public HidClock
{
public:
    void sleepMs(int) override {}
};

class IgnoringSink : public DeviceMonitorSink
{
public:
    void stageReported(int) override {}
    void dpiSwitchBalloon(int) override {}
    void deviceRemoved() override {}
};

constexpr uchar untouched = 0xA5;

template<size_t N>
void expectKeptUnlessReplied(bool replied, const std::array<uchar, N> &out)
{
    if (!replied && std::any_of(out.begin(), out.end(), [](uchar b) { return b != untouched; }))
        finding("a command without a reply changed what the caller passed");
}

QList<DeviceEntry> scriptedTable(FuzzedDataProvider &script)
{
    QList<DeviceEntry> table;
    const int rows = script.ConsumeIntegralInRange(1, 2);
    for (int i = 0; i < rows; ++i) {
        DeviceEntry entry;
        entry.usagePage = 0xff00;
        entry.usage = 0xff00;
        entry.usagePage2 = 0xff01;
        entry.usage2 = 0xff01;
        entry.reportLength = script.ConsumeIntegralInRange(1, kMaxReportLength);
        entry.isEncode = script.ConsumeBool();
        entry.sCode = QString::fromLatin1(script.ConsumeBytesAsString(6));
        entry.path = QStringLiteral("command");
        entry.path2 = QStringLiteral("notify");
        table << entry;
    }
    return table;
}

void runGet(Hid_Thread &hid, FuzzedDataProvider &script)
{
    std::array<uchar, 4> out;
    out.fill(untouched);
    bool replied = false;
    switch (script.ConsumeIntegralInRange(0, 5)) {
    case 0:
        replied = hid.hid553_83H_GetKeyboardoption(out[0], out[1], out[2], out[3]);
        break;
    case 1:
        replied = hid.hid553_8BH_GetCurrentDPI(out[0]);
        break;
    case 2:
        replied = hid.hid560_81H_GetKeyboardoption(out[0], out[1]);
        break;
    case 3:
        replied = hid.hid560_82H_GetCurrentProfile(out[0]);
        break;
    case 4:
        replied = hid.hid560_84H_GetCurrentDPI(out[0], out[1]);
        break;
    default:
        replied = hid.hid_87H_GetLEDInstructFunction(script.ConsumeIntegral<uchar>(), out[0],
                                                     out[1], out[2]);
        break;
    }
    expectKeptUnlessReplied(replied, out);
}

void runProfileRead(Hid_Thread &hid, FuzzedDataProvider &script)
{
    std::array<uchar, 128> block;
    block.fill(untouched);
    const bool replied =
        hid.hid560_8CH_readProfile(block.data(), script.ConsumeIntegralInRange<uchar>(0, 5));
    expectKeptUnlessReplied(replied, block);
}

void runBulkWrite(Hid_Thread &hid, FuzzedDataProvider &script)
{
    std::array<uchar, 128> block;
    block.fill(untouched);
    switch (script.ConsumeIntegralInRange(0, 2)) {
    case 0:
        hid.hid560_0CH_setProfile(block.data(), script.ConsumeIntegral<uchar>());
        break;
    case 1:
        hid.hid553_13H_SetMacroKey(script.ConsumeIntegral<uchar>(), block.data());
        break;
    default:
        hid.hid553_10H_SetLED8StageColor(script.ConsumeIntegral<uchar>(), block.data());
        break;
    }
}

void runEnumeration(Hid_Thread &hid)
{
    QList<DeviceEntry> table = hid.deviceTable;
    findDevicePaths(table);
    hid.setDeviceTable(table);
}

// Run here rather than on the pool, so the script is read by one thread in order.
void runMonitor(Hid_Thread &hid, FuzzedDataProvider &script)
{
    kairo::fuzz::hid::limitOpens(script.ConsumeIntegralInRange(0, 8));
    hid.monitoring = true;
    hid.deviceMonitorLoop(script.ConsumeIntegralInRange(-1, 2));
    hid.monitoring = false;
    kairo::fuzz::hid::limitOpens(-1);
    QCoreApplication::sendPostedEvents();
}

void expectLinkFree(const Hid_Thread &hid)
{
    if (!hid.idle)
        finding("a command left the link busy");
    if (hid.commandHandle || hid.monitorHandle || kairo::fuzz::hid::openHandles() != 0)
        finding("a command left a handle open");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    kairo::fuzz::setUpProcess();
    FuzzedDataProvider script(data, size);
    // The key block is process-wide; a row without a six-character code keeps
    // the last one, which must not be the previous input's.
    std::fill(std::begin(SecrecyCode), std::end(SecrecyCode), uchar(0));
    NoSleep clock;
    IgnoringSink sink;
    Hid_Thread hid;
    hid.setClock(&clock);
    hid.setMonitorSink(&sink);
    hid.setModelFlags(script.ConsumeBool(),
                      script.ConsumeBool() ? QStringLiteral("560") : QStringLiteral("553"));
    hid.setDeviceTable(scriptedTable(script));
    hid.setCurrentDevice(0);
    kairo::fuzz::hid::setScript(&script);

    for (int command = 0; command < 32 && script.remaining_bytes() > 0; ++command) {
        switch (script.ConsumeIntegralInRange(0, 5)) {
        case 0:
            runGet(hid, script);
            break;
        case 1:
            runProfileRead(hid, script);
            break;
        case 2:
            runBulkWrite(hid, script);
            break;
        case 3:
            runEnumeration(hid);
            break;
        case 4:
            runMonitor(hid, script);
            break;
        default:
            hid.setCurrentDevice(script.ConsumeIntegralInRange(-1, 2));
            break;
        }
        expectLinkFree(hid);
    }
    kairo::fuzz::hid::setScript(nullptr);
    QCoreApplication::sendPostedEvents();
    return 0;
}

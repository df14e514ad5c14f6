#pragma once
// Test and control interface of the virtual mouse: a firmware model that sits
// behind the hidapi C functions, so tests (linked statically) and the real
// program (with the shared library preloaded) can talk to a mouse that is not
// there.

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <functional>

namespace kairo::sim {

struct DeviceConfig {       // defaults = the shipped first-family mouse
    QString family = "553"; // "553" or "560"
    quint16 vid = 0x04d9, pid = 0xa09f;
    quint16 usagePage = 0xff00, usage = 0xff00;   // command interface
    quint16 usagePage2 = 0xff01, usage2 = 0xff01; // notification interface
    int reportLength = 32;
    bool isEncode = false;
    QString sCode = "424242";
    bool plugged = true;
    bool openDenied = false; // hid_open_path refuses with EACCES, like a node without the udev rule
    // Misbehaviour, as the control verbs set it too (0 = none):
    int stallMs = 0;          // every reply (feature reports, block input) comes this much later
    int unplugAfter = 0;      // unplugged once this many more commands have been taken whole
    int failProfileReads = 0; // this many next profile reads (560 8CH) send no block
};

enum class Direction { FeatureOut, FeatureIn, Out, In };

struct WireRecord {
    qint64 msSinceAttach;
    int device;
    Direction direction;
    QByteArray bytes; // exactly as they crossed the API (scrambled where scrambled)
    QByteArray
        plain; // decoded view: for scrambled feature reports the descrambled 9 bytes, else == bytes
};

constexpr int keyMatrixCount = 4;
constexpr int macroSlotCount = 12;
constexpr int deviceProfileCount = 5;

// Everything the firmware remembers. Byte blocks always have their full size
// (setState() pads or truncates what it is given).
struct FirmwareState {
    std::array<QByteArray, keyMatrixCount> keyMatrices; // 64 bytes each; index = matrix number - 1
    std::array<QByteArray, keyMatrixCount>
        keyMatrixBlocks;     // 128 bytes each, as sent by the second family
    int activeKeyMatrix = 1; // value of the last 553 02H, as sent
    QByteArray dpiCodes;     // 8 bytes, one code per stage (553 11H)
    int dpiStageCount = 8;   // P1 of 553 11H
    int currentDpiStage = 1; // 553 0BH / 8BH, and the stage of the DPI button
    int reportRate = 1;      // 553 01H
    std::array<int, deviceProfileCount> profileReportRate{}; // 560 03H, index = profile number
    std::array<int, deviceProfileCount> profileDpiStage{}; // 560 04H / 84H, index = profile number
    int liftOff = 0x7d;                                    // 553 07H stage, 560 09H P1
    bool liftOffEnabled = true;                            // 553 07H en
    QByteArray keyboardOption553;                          // 4 bytes (03H / 83H)
    QByteArray keyboardOption560;                          // 2 bytes (560 01H / 81H)
    int lightingEffect = 1, lightingOption1 = 2, lightingOption2 = 3; // 553 0DH
    QByteArray fixedColor;                                            // 3 bytes (553 0CH)
    QByteArray stageColors;                              // 24 bytes (553 10H, any type but 2)
    QByteArray stageColorsType2;                         // 4 bytes (553 10H, type 2)
    int stageColorType = 0;                              // type of the last 10H
    QByteArray attributeBlock;                           // 64 bytes (553 16H)
    QList<QByteArray> gunData;                           // every 553 04H in order, 4 bytes each
    std::array<QByteArray, macroSlotCount> macros;       // 128 bytes each; index = macroId - 1
    std::array<QByteArray, deviceProfileCount> profiles; // 128 bytes each; index = profile number
    int currentProfile = 1;                              // 560 02H / 82H
    QByteArray ledInstructOptions;                       // 3 bytes answered by 87H (V2..V4)
    int protocolErrors = 0;                              // bad checksums, stray or unknown reports
    int commandCount = 0;                                // command reports with a good checksum

    static FirmwareState factory(); // distinguishable non-zero factory contents
};

void reset(const QList<DeviceConfig> &devices = {
               DeviceConfig{}}); // replace all devices, fresh state, empty log
int deviceCount();
DeviceConfig deviceConfig(int device);
void plug(int device);
void unplug(int device); // unplug: open handles fail afterwards, enumeration omits it
bool isPlugged(int device);
// Denied: hid_open_path fails with errno EACCES and hid_error(NULL) "Permission denied";
// handles opened before keep working, as file descriptors do when a node's mode changes.
void setOpenDenied(int device, bool denied);
bool isOpenDenied(int device);
void pressDpi(int device,
              int stage); // changes current stage, queues 06 07 00 s on the notification interface
// Queues any input report on the notification interface (dropped while unplugged),
// so tests can send what a well-behaved firmware never would.
void sendNotification(int device, const QByteArray &report);
void setMuted(int device,
              bool muted); // muted: reads time out / block, hid_get_feature_report fails
bool isMuted(int device);
// The misbehaviours of DeviceConfig, changed while the device runs.
void setStallMs(int device, int milliseconds);
void setUnplugAfter(int device, int commands);
void setFailProfileReads(int device, int reads);
FirmwareState state(int device);
void setState(int device, const FirmwareState &s); // so tests can preload e.g. profiles for a read
QList<WireRecord> wireLog();
QStringList wireLogLines();
void clearWireLog();
// Called at the start of every hidapi function with its name ("hid_write", ...); tests use it to
// unplug in the middle of a bulk write or to start a nested command from inside an exchange.
// nullptr clears it.
void setApiHook(std::function<void(const char *function)> hook);

// Device descriptions from an INI file ([0], [1], ...; missing keys keep the defaults).
// An unreadable file or one without sections gives the single default device.
QList<DeviceConfig> loadDeviceConfigs(const QString &iniPath);
// The devices the simulator starts with when no test called reset():
// KAIRO_VIRTUAL_MOUSE_CONFIG when set, else the default device.
QList<DeviceConfig> devicesFromEnvironment();

QJsonObject stateToJson(const FirmwareState &s);
QString formatWireLine(const WireRecord &r);

// Control socket (the shared library starts one by itself at first use).
QString defaultSocketPath(); // KAIRO_VIRTUAL_MOUSE_SOCKET, else $XDG_RUNTIME_DIR, else /tmp
bool startControlServer(const QString &socketPath); // false when the socket cannot be bound
void stopControlServer();
// Runs one control command line ("plug 0", "state 1", ...) as the socket does:
// first line "ok" or "error: <reason>", then the command's output.
QString handleControlCommand(const QString &line);

// Checksum and scrambling of the firmware side.
namespace wire {
quint8 checksum(const quint8 *block7);
void scramble(quint8 block[8], const quint8 code[8]);
void descramble(quint8 block[8], const quint8 code[8]);
std::array<quint8, 8> secrecyCode(const QString &sCode); // all zero unless exactly six characters
} // namespace wire

} // namespace kairo::sim

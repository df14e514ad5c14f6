#pragma once

#include "device/debugline.h"

#include "device/deviceentry.h"
#include "device/devicemonitorsink.h"
#include "device/family.h"
#include "device/framing.h"
#include "device/hidclock.h"

#include <QElapsedTimer>
#include <QFuture>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <span>

struct hid_device_;
typedef struct hid_device_ hid_device;

// The link to the mouse: the device table, the handles of the current entry's
// two interfaces, the report buffers and every device command. It derives
// from QThread but is never started: commands run on the caller's thread (the
// user-interface thread) and only deviceMonitorLoop runs on a pool thread.
class Hid_Thread : public QThread
{
    Q_OBJECT

public:
    explicit Hid_Thread(QObject *parent = nullptr);
    ~Hid_Thread() override;

    // State shared with the shell and the view.
    QObject *owner = nullptr;       // the owning window; not used by the transport
    QList<DeviceEntry> deviceTable; // replace it through setDeviceTable()
    int current = 1;
    hid_device *commandHandle = nullptr; // open only inside an exchange
    hid_device *monitorHandle = nullptr; // open only inside one monitor cycle
    bool idle = true;                    // no exchange in progress
    std::atomic<bool> monitoring{false};
    QFuture<void> monitorFuture;
    uchar outReport[kReportSize] = {};
    uchar inReport[kReportSize] = {};
    uchar bulkBuf[512] = {};

    void setOwner(QObject *ownerWidget);
    // The gun flag limits the 560 per-profile loop to profile 1; the icType
    // selects the family for startDeviceMonitor.
    void setModelFlags(bool isGun, const QString &icType);
    bool isGun() const { return gunModel; }
    void setClock(HidClock *clock); // nullptr = sleep for real
    HidClock *clock() const;
    void setMonitorSink(DeviceMonitorSink *sink);
    // Waits for a running monitor loop (stopping it first) before the table is
    // replaced, since the loop reads and writes its entry.
    void setDeviceTable(const QList<DeviceEntry> &table);

    void setCurrentDevice(int index);

    // Whether the command interface of entry `index` can be opened at all,
    // tried once before the entry is connected. Denied: the node exists but
    // this user may not open it (no udev rule). Anything but Ok blanks the
    // entry's path, so no command reaches the device until a new check.
    enum class OpenCheck { Ok, Denied, Gone };
    OpenCheck probeOpen(int index);
    hid_device *openCommandPath(int index);
    hid_device *openMonitorPath(int index);
    void closeCommandPath();
    void closeMonitorPath();
    bool waitHidIdle();
    void settlePause();
    bool exchangeGet(int count);
    bool exchangeSet(int count, bool settle);

    // One thing the person did (a Save, a profile switch, a macro transfer,
    // the start) as the mouse took it. Once a command of the action has timed
    // out the mouse counts as not answering: the action's later commands fail
    // at once, so a stalled mouse costs one time-out per action, not one per
    // command. Actions nest; the outermost end reports and starts afresh.
    enum class ActionOutcome { Done, Failed, NoAnswer };
    void beginAction();
    ActionOutcome endAction();
    // A reply slower than this counts as none.
    static constexpr int replyBoundMs = 1000;

    // Body of the monitor task; runs on the global thread pool.
    void deviceMonitorLoop(int index);

public slots:
    // The get commands say whether a reply arrived (false on an idle-wait
    // time-out or a failed exchange); on false their out-parameters and
    // buffers are exactly as the caller passed them. The set commands say
    // whether the mouse took them.
    bool hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    bool hid553_8BH_GetCurrentDPI(uchar &byte1);
    bool hid553_01H_SetReportRate(uchar rate);
    bool hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix);
    bool hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    bool hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    bool hid553_07H_Lod(uchar stage, uchar en);
    bool hid553_0BH_SetCurrentDPI(uchar stage);
    bool hid553_0CH_SetFixLEDColor(uchar *src3);
    bool hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    bool hid553_10H_SetLED8StageColor(uchar type, uchar *src24);
    bool hid553_11H_SetDPISet(uchar dpiStage, uchar *src8);
    bool hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    bool hid553_13H_SetMacroKey(uchar macroId, uchar *src128);
    bool hid553_16H_SetSlaveAttritube(uchar *src64);

    bool hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2);
    bool hid560_82H_GetCurrentProfile(uchar &byte1);
    bool hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2);
    bool hid560_8CH_readProfile(uchar *src128, uchar profileNo);
    bool hid_87H_GetLEDInstructFunction(uchar type, uchar &option1, uchar &option2, uchar &option3);
    bool hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2);
    bool hid560_02H_SetCurrentProfile(uchar profile);
    bool hid560_03H_SetReportRate(uchar rate);
    bool hid560_04H_SetCurrentDPI(uchar stage);
    bool hid560_09H_Lod(uchar stage, uchar en);
    bool hid560_0CH_setProfile(uchar *src128, uchar profileData);
    bool hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    bool hid560_0FH_SetMacroKey(uchar macroId, uchar *src128);

    void startDeviceMonitor(int index);
    void stopDeviceMonitor();

private:
    bool validIndex(int index) const;
    const DeviceEntry *currentEntry() const;
    QString entryPath(int index, bool monitor) const;
    void blankEntryPath(int index, bool monitor);
    hid_device *openPath(int index, bool monitor, hid_device *&handle);
    static void closePath(hid_device *&handle);
    void endCommandExchange(); // path closed, link free for the next command
    void beginReport(uchar opcode, std::initializer_list<uchar> params);

    // A command's whole turn on the link: wait for it, then send the report
    // and any block after it. A wait that times out logs timeoutText and
    // sends nothing; the result says whether the exchange went through.
    // Brief pacing skips the settle pauses and waits once, shortly, after
    // the exchange, whether or not it went through.
    enum class Pace { Settle, Brief };
    bool sendCommand(const char *timeoutText, uchar opcode, std::initializer_list<uchar> params,
                     Pace pace = Pace::Settle, std::span<const uchar> block = {});
    // On true the reply is in inReport and a block of `count` bytes in bulkBuf;
    // on false neither holds anything a caller may copy out.
    bool requestReply(const char *timeoutText, uchar opcode, std::initializer_list<uchar> params,
                      int count = 0);
    void sleepMs(int ms);
    bool perProfileLoop(uchar opcode, uchar value, const char *timeoutText);
    // The action's bookkeeping around every command: false when the mouse
    // already failed to answer in this action (nothing is sent then).
    bool mayCommand(const char *timeoutText);
    bool noteCommand(bool taken);
    // A hidapi call's result, failed when the mouse took too long to give it.
    bool inTime(int result, const QElapsedTimer &since);
    bool sendKeyboardOptionForMonitor();
    void deliverToUi(std::function<void(DeviceMonitorSink *)> effect);

    int actionDepth = 0;
    bool actionFailed = false;
    bool mouseSilent = false;        // a command of the current action timed out
    bool replyTimedOut = false;      // set by the exchange just made
    bool staleInputPossible = false; // a block read broke off; its rest may still come

    bool gunModel = false;
    Family family = Family::First;
    RealHidClock realClock;
    HidClock *sleeper = &realClock;
    DeviceMonitorSink *monitorSink = nullptr;
    mutable QMutex pathLock; // paths are written by the monitor thread too
};

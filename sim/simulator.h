#pragma once
// Inner workings of the virtual mouse shared by the public API, the hidapi
// functions and the control server. One process-wide instance, one mutex.

#include "sim/virtualmouse.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

namespace kairo::sim::detail {

enum class Interface { Command, Notify };

struct Handle {
    int device = -1;
    Interface interface = Interface::Command;
    quint64 epoch = 0;     // simulator reset counter at open time
    quint64 plugCycle = 0; // device's unplug counter at open time
    bool nonblocking = false;
    const wchar_t *lastError = L"Success";
};

struct BulkTransfer {
    quint8 opcode = 0, p1 = 0;
    int remaining = 0;
    QByteArray data;
};

struct Device {
    DeviceConfig config;
    FirmwareState state;
    std::array<quint8, 8> code{};
    bool muted = false;
    quint64 plugCycle = 0;
    QByteArray replyPlain = QByteArray(9, 0); // what the next feature read returns, unscrambled
    std::deque<QByteArray> commandInput;      // queued input reports (bulk reads)
    std::chrono::steady_clock::time_point commandInputReadyAt; // a stall holds them back until then
    bool unplugDue = false; // the unplugAfter count ran out; unplugged once the lock is free
    std::deque<QByteArray> notifyInput; // queued stage reports
    BulkTransfer bulk;
};

class Simulator
{
public:
    static Simulator &instance();

    std::mutex mutex;
    std::condition_variable changed; // notified on queued input, plug, mute, reset

    // All below are guarded by mutex.
    std::vector<Device> devices;
    QList<WireRecord> log;
    QByteArray logFilePath;
    std::chrono::steady_clock::time_point attachedAt;
    quint64 epoch = 1;
    bool attached = false;
    std::function<void(const char *)> hook;
    const wchar_t *lastOpenError = L"Success"; // what hid_error(NULL) reports

    void attachLocked(const QList<DeviceConfig> &configs);
    void ensureAttachedLocked();
    bool handleUsableLocked(const Handle *h) const;
    void recordLocked(int device, Direction direction, const QByteArray &bytes,
                      const QByteArray &plain);

    // Firmware behaviour; device lock held.
    void featureOutLocked(int device, const QByteArray &report);
    void outputReportLocked(int device, const QByteArray &report);
    QByteArray featureReplyLocked(int device) const; // 9 bytes as they go on the wire
};

// Stalls the calling hidapi function by the device's stall, with the lock
// released so the control socket and other threads go on.
void stallLocked(std::unique_lock<std::mutex> &lock, int device);
// Unplugs the device if its unplugAfter count ran out; the lock is released.
void unplugIfDue(std::unique_lock<std::mutex> &lock, int device);

QString pathOf(int device, Interface interface);
bool parsePath(const char *path, int &device, Interface &interface);
void callHook(const char *function);

// Told of every plug and unplug with "add" or "remove", outside the lock; the
// preloaded library announces them to the host's udev monitors.
extern void (*hotplugListener)(const char *action);

} // namespace kairo::sim::detail

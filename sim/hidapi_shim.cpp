// The hidapi C functions, answered by the virtual mouse. Exported with default
// visibility so that, preloaded, they take the place of the real library's.
#include "sim/simulator.h"

#include <hidapi.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <mutex>

using kairo::sim::Direction;
using kairo::sim::detail::Device;
using kairo::sim::detail::Handle;
using kairo::sim::detail::Interface;
using kairo::sim::detail::Simulator;

struct hid_device_ : Handle {};

namespace {

constexpr int blockingReadCapMs = 30000;

void startServerOnce()
{
#ifdef KAIRO_VIRTUAL_MOUSE_PRELOAD
    static std::once_flag started;
    std::call_once(started,
                   [] { kairo::sim::startControlServer(kairo::sim::defaultSocketPath()); });
#endif
}

// Entry of every function: the test hook first (it may unplug or run a
// nested command), then the lock.
struct ApiCall {
    explicit ApiCall(const char *name)
    {
        kairo::sim::detail::callHook(name);
        lock = std::unique_lock(sim.mutex);
        sim.ensureAttachedLocked();
    }
    Simulator &sim = Simulator::instance();
    std::unique_lock<std::mutex> lock;

    Device *usable(hid_device *dev, Interface wanted)
    {
        if (!sim.handleUsableLocked(dev)) {
            if (dev)
                dev->lastError = L"device disconnected";
            return nullptr;
        }
        if (dev->interface != wanted) {
            dev->lastError = L"not supported on this interface";
            return nullptr;
        }
        return &sim.devices[size_t(dev->device)];
    }
};

hid_device_info *newInfo(const Device &d, int index, Interface interface)
{
    auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
    info->path = strdup(kairo::sim::detail::pathOf(index, interface).toUtf8().constData());
    info->vendor_id = d.config.vid;
    info->product_id = d.config.pid;
    info->serial_number = wcsdup(L"");
    info->release_number = 0x0100;
    info->manufacturer_string = wcsdup(L"ZENDRA");
    info->product_string = wcsdup(L"KAIRO MOUSE K1 (virtual)");
    const bool command = interface == Interface::Command;
    info->usage_page = command ? d.config.usagePage : d.config.usagePage2;
    info->usage = command ? d.config.usage : d.config.usage2;
    info->interface_number = command ? 0 : 1;
    info->bus_type = HID_API_BUS_USB;
    return info;
}

// Waits for an input report; 0 on time-out, -1 when the handle died.
int readReport(ApiCall &call, hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    if (!call.sim.handleUsableLocked(dev))
        return -1;
    auto queueOf = [&]() -> std::deque<QByteArray> & {
        Device &d = call.sim.devices[size_t(dev->device)];
        return dev->interface == Interface::Command ? d.commandInput : d.notifyInput;
    };
    const bool command = dev->interface == Interface::Command;
    auto heldBack = [&] {
        const Device &d = call.sim.devices[size_t(dev->device)];
        return command && std::chrono::steady_clock::now() < d.commandInputReadyAt;
    };
    auto ready = [&] {
        if (!call.sim.handleUsableLocked(dev))
            return true;
        const Device &d = call.sim.devices[size_t(dev->device)];
        return !d.muted && !queueOf().empty() && !heldBack();
    };
    if (milliseconds < 0 || milliseconds > blockingReadCapMs)
        milliseconds = blockingReadCapMs;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    // A stalled reply is only waited for; nothing announces its coming.
    while (!ready() && std::chrono::steady_clock::now() < deadline) {
        const auto readyAt = call.sim.devices[size_t(dev->device)].commandInputReadyAt;
        call.sim.changed.wait_until(call.lock, heldBack() ? std::min(deadline, readyAt) : deadline);
    }
    if (!call.sim.handleUsableLocked(dev)) {
        dev->lastError = L"device disconnected";
        return -1;
    }
    if (!ready())
        return 0;
    const QByteArray report = queueOf().front();
    queueOf().pop_front();
    const size_t count = std::min(length, size_t(report.size()));
    std::memcpy(data, report.constData(), count);
    const QByteArray returned(reinterpret_cast<const char *>(data), qsizetype(count));
    call.sim.recordLocked(dev->device, Direction::In, returned, returned);
    return int(count);
}

} // namespace

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void)
{
    ApiCall call("hid_init");
    call.lock.unlock();
    startServerOnce();
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_exit(void)
{
    ApiCall call("hid_exit");
    return 0;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_enumerate(unsigned short vendor_id,
                                                                  unsigned short product_id)
{
    {
        ApiCall call("hid_enumerate");
        call.lock.unlock();
    }
    startServerOnce();
    Simulator &sim = Simulator::instance();
    std::lock_guard lock(sim.mutex);
    hid_device_info *head = nullptr, **tail = &head;
    for (size_t i = 0; i < sim.devices.size(); ++i) {
        const Device &d = sim.devices[i];
        if (!d.config.plugged || (vendor_id && vendor_id != d.config.vid)
            || (product_id && product_id != d.config.pid))
            continue;
        for (Interface interface : {Interface::Command, Interface::Notify}) {
            *tail = newInfo(d, int(i), interface);
            tail = &(*tail)->next;
        }
    }
    return head;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info *devs)
{
    while (devs) {
        hid_device_info *next = devs->next;
        std::free(devs->path);
        std::free(devs->serial_number);
        std::free(devs->manufacturer_string);
        std::free(devs->product_string);
        std::free(devs);
        devs = next;
    }
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open_path(const char *path)
{
    ApiCall call("hid_open_path");
    int index = -1;
    Interface interface = Interface::Command;
    if (!kairo::sim::detail::parsePath(path, index, interface)
        || index >= int(call.sim.devices.size())) {
        call.sim.lastOpenError = L"No such file or directory";
        errno = ENOENT;
        return nullptr;
    }
    const Device &d = call.sim.devices[size_t(index)];
    if (!d.config.plugged) {
        call.sim.lastOpenError = L"No such device";
        errno = ENODEV;
        return nullptr;
    }
    if (d.config.openDenied) {
        call.sim.lastOpenError = L"Permission denied";
        errno = EACCES;
        return nullptr;
    }
    call.sim.lastOpenError = L"Success";
    auto *dev = new hid_device_;
    dev->device = index;
    dev->interface = interface;
    dev->epoch = call.sim.epoch;
    dev->plugCycle = d.plugCycle;
    return dev;
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open(unsigned short vendor_id,
                                                 unsigned short product_id, const wchar_t *)
{
    QByteArray path;
    {
        ApiCall call("hid_open");
        for (size_t i = 0; i < call.sim.devices.size(); ++i) {
            const Device &d = call.sim.devices[i];
            if (d.config.plugged && d.config.vid == vendor_id
                && (!product_id || d.config.pid == product_id)) {
                path = kairo::sim::detail::pathOf(int(i), Interface::Command).toUtf8();
                break;
            }
        }
    }
    return path.isEmpty() ? nullptr : hid_open_path(path.constData());
}

int HID_API_EXPORT HID_API_CALL hid_set_nonblocking(hid_device *dev, int nonblock)
{
    ApiCall call("hid_set_nonblocking");
    if (!call.sim.handleUsableLocked(dev))
        return -1;
    dev->nonblocking = nonblock != 0;
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device *dev, const unsigned char *data,
                                                        size_t length)
{
    ApiCall call("hid_send_feature_report");
    if (!call.usable(dev, Interface::Command) || !data || length == 0)
        return -1;
    kairo::sim::detail::stallLocked(call.lock, dev->device);
    if (!call.usable(dev, Interface::Command))
        return -1;
    call.sim.featureOutLocked(dev->device,
                              QByteArray(reinterpret_cast<const char *>(data), qsizetype(length)));
    kairo::sim::detail::unplugIfDue(call.lock, dev->device);
    return int(length);
}

int HID_API_EXPORT HID_API_CALL hid_get_feature_report(hid_device *dev, unsigned char *data,
                                                       size_t length)
{
    ApiCall call("hid_get_feature_report");
    if (!call.usable(dev, Interface::Command) || !data || length == 0)
        return -1;
    kairo::sim::detail::stallLocked(call.lock, dev->device);
    Device *d = call.usable(dev, Interface::Command);
    if (!d)
        return -1;
    if (d->muted) {
        dev->lastError = L"timed out";
        return -1;
    }
    const QByteArray reply = call.sim.featureReplyLocked(dev->device);
    const size_t count = std::min(length, size_t(reply.size()));
    std::memcpy(data, reply.constData(), count);
    QByteArray plain = d->replyPlain;
    call.sim.recordLocked(dev->device, Direction::FeatureIn, reply.left(qsizetype(count)),
                          plain.left(qsizetype(count)));
    return int(count);
}

int HID_API_EXPORT HID_API_CALL hid_get_input_report(hid_device *dev, unsigned char *, size_t)
{
    ApiCall call("hid_get_input_report");
    if (dev)
        dev->lastError = L"not supported";
    return -1;
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    ApiCall call("hid_write");
    if (!call.usable(dev, Interface::Command) || !data || length == 0)
        return -1;
    call.sim.outputReportLocked(
        dev->device, QByteArray(reinterpret_cast<const char *>(data), qsizetype(length)));
    kairo::sim::detail::unplugIfDue(call.lock, dev->device);
    return int(length);
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device *dev, unsigned char *data,
                                                 size_t length, int milliseconds)
{
    ApiCall call("hid_read_timeout");
    if (!data)
        return -1;
    return readReport(call, dev, data, length, milliseconds);
}

int HID_API_EXPORT HID_API_CALL hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    ApiCall call("hid_read");
    if (!data || !call.sim.handleUsableLocked(dev))
        return -1;
    return readReport(call, dev, data, length, dev->nonblocking ? 0 : -1);
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device *dev)
{
    ApiCall call("hid_close");
    delete dev;
}

int HID_API_EXPORT_CALL hid_get_manufacturer_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    ApiCall call("hid_get_manufacturer_string");
    if (!call.sim.handleUsableLocked(dev) || !string || maxlen == 0)
        return -1;
    std::wcsncpy(string, L"ZENDRA", maxlen);
    string[maxlen - 1] = 0;
    return 0;
}

int HID_API_EXPORT_CALL hid_get_product_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    ApiCall call("hid_get_product_string");
    if (!call.sim.handleUsableLocked(dev) || !string || maxlen == 0)
        return -1;
    std::wcsncpy(string, L"KAIRO MOUSE K1 (virtual)", maxlen);
    string[maxlen - 1] = 0;
    return 0;
}

int HID_API_EXPORT_CALL hid_get_serial_number_string(hid_device *dev, wchar_t *string,
                                                     size_t maxlen)
{
    ApiCall call("hid_get_serial_number_string");
    if (!call.sim.handleUsableLocked(dev) || !string || maxlen == 0)
        return -1;
    string[0] = 0;
    return 0;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_get_device_info(hid_device *dev)
{
    ApiCall call("hid_get_device_info");
    if (dev)
        dev->lastError = L"not supported";
    return nullptr;
}

int HID_API_EXPORT_CALL hid_get_indexed_string(hid_device *dev, int, wchar_t *, size_t)
{
    ApiCall call("hid_get_indexed_string");
    if (dev)
        dev->lastError = L"not supported";
    return -1;
}

HID_API_EXPORT const wchar_t *HID_API_CALL hid_error(hid_device *dev)
{
    ApiCall call("hid_error");
    if (!dev)
        return call.sim.lastOpenError;
    return dev->lastError;
}

HID_API_EXPORT const struct hid_api_version *HID_API_CALL hid_version(void)
{
    static const hid_api_version version{HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR,
                                         HID_API_VERSION_PATCH};
    return &version;
}

HID_API_EXPORT const char *HID_API_CALL hid_version_str(void)
{
    return HID_API_VERSION_STR;
}

} // extern "C"

#include "core/devicechangesource.h"

#include <QDebug>
#include <QSocketNotifier>

#include <libudev.h>

#include <cstring>

DeviceChangeSource::~DeviceChangeSource() = default;

namespace {

// hidraw nodes appearing, disappearing or changing, as udev announces them.
class UdevDeviceChangeSource : public DeviceChangeSource
{
public:
    UdevDeviceChangeSource()
    {
        udevContext = udev_new();
        if (!udevContext)
            return;
        monitor = udev_monitor_new_from_netlink(udevContext, "udev");
        if (!monitor)
            return;
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr);
        if (udev_monitor_enable_receiving(monitor) < 0)
            return;
        notifier = new QSocketNotifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] { readNotice(); });
    }

    ~UdevDeviceChangeSource() override
    {
        delete notifier;
        if (monitor)
            udev_monitor_unref(monitor);
        if (udevContext)
            udev_unref(udevContext);
    }

private:
    void readNotice()
    {
        udev_device *device = udev_monitor_receive_device(monitor);
        if (!device)
            return;
        // "change" comes with `udevadm trigger` once a rule is installed: the
        // node the user could not open may be open to them now.
        const char *action = udev_device_get_action(device);
        const bool noticed =
            action
            && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0
                || std::strcmp(action, "change") == 0);
        udev_device_unref(device);
        if (noticed)
            emit deviceChanged();
    }

    udev *udevContext = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};

} // namespace

std::unique_ptr<DeviceChangeSource> DeviceChangeSource::createForPlatform()
{
    return std::make_unique<UdevDeviceChangeSource>();
}

// The preloaded virtual mouse's plug, unplug and permission changes, as udev
// would announce them: every udev monitor of the host program also hears an
// "add", "remove" or "change" for the virtual hidraw nodes. Real events still
// arrive, so a host on a real machine hears both. Only the functions a
// monitor's reader needs are taken over; everything else stays libudev's own.
#include "sim/simulator.h"

#include <deque>
#include <map>
#include <mutex>
#include <set>

#include <dlfcn.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

struct udev_monitor;
struct udev_device;

namespace {

// What a monitor's reader is handed for a virtual node; libudev never sees it.
struct VirtualNotice {
    const char *action;
};

// A monitor's descriptor as the host sees it: an epoll set over the real
// socket and a counter that virtual notices raise.
struct Watch {
    int pollFd = -1;
    int noticeFd = -1;
    std::deque<const char *> pending;
};

struct Announcer {
    std::mutex lock;
    std::map<udev_monitor *, Watch> watches;
    std::set<udev_device *> notices;
};

Announcer &announcer()
{
    static auto *instance = new Announcer; // host threads may outlive statics
    return *instance;
}

template<typename Function>
Function libudev(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void announce(const char *action)
{
    Announcer &a = announcer();
    std::lock_guard guard(a.lock);
    for (auto &[monitor, watch] : a.watches) {
        watch.pending.push_back(action);
        const eventfd_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(watch.noticeFd, &one, sizeof one);
    }
}

Watch watchOver(int realFd)
{
    Watch watch;
    watch.pollFd = ::epoll_create1(EPOLL_CLOEXEC);
    watch.noticeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    for (int fd : {realFd, watch.noticeFd}) {
        epoll_event interest{};
        interest.events = EPOLLIN;
        interest.data.fd = fd;
        ::epoll_ctl(watch.pollFd, EPOLL_CTL_ADD, fd, &interest);
    }
    return watch;
}

// Takes the next virtual notice of a monitor, or nullptr when it has none.
udev_device *takeNotice(udev_monitor *monitor)
{
    Announcer &a = announcer();
    std::lock_guard guard(a.lock);
    const auto found = a.watches.find(monitor);
    if (found == a.watches.end() || found->second.pending.empty())
        return nullptr;
    Watch &watch = found->second;
    auto *notice = reinterpret_cast<udev_device *>(new VirtualNotice{watch.pending.front()});
    watch.pending.pop_front();
    if (watch.pending.empty()) {
        eventfd_t drained = 0;
        [[maybe_unused]] const ssize_t read = ::read(watch.noticeFd, &drained, sizeof drained);
    }
    a.notices.insert(notice);
    return notice;
}

bool isNotice(udev_device *device)
{
    Announcer &a = announcer();
    std::lock_guard guard(a.lock);
    return a.notices.count(device) != 0;
}

__attribute__((constructor)) void listenForHotplug()
{
    kairo::sim::detail::hotplugListener = announce;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int udev_monitor_get_fd(udev_monitor *monitor)
{
    static const auto real = libudev<int (*)(udev_monitor *)>("udev_monitor_get_fd");
    const int realFd = real ? real(monitor) : -1;
    if (realFd < 0)
        return realFd;
    Announcer &a = announcer();
    std::lock_guard guard(a.lock);
    auto found = a.watches.find(monitor);
    if (found == a.watches.end())
        found = a.watches.emplace(monitor, watchOver(realFd)).first;
    return found->second.pollFd;
}

__attribute__((visibility("default"))) udev_device *
udev_monitor_receive_device(udev_monitor *monitor)
{
    if (udev_device *notice = takeNotice(monitor))
        return notice;
    static const auto real =
        libudev<udev_device *(*)(udev_monitor *)>("udev_monitor_receive_device");
    return real ? real(monitor) : nullptr;
}

__attribute__((visibility("default"))) udev_monitor *udev_monitor_unref(udev_monitor *monitor)
{
    static const auto real = libudev<udev_monitor *(*)(udev_monitor *)>("udev_monitor_unref");
    udev_monitor *left = real ? real(monitor) : nullptr;
    if (!left) {
        Announcer &a = announcer();
        std::lock_guard guard(a.lock);
        const auto found = a.watches.find(monitor);
        if (found != a.watches.end()) {
            ::close(found->second.pollFd);
            ::close(found->second.noticeFd);
            a.watches.erase(found);
        }
    }
    return left;
}

__attribute__((visibility("default"))) const char *udev_device_get_action(udev_device *device)
{
    if (isNotice(device))
        return reinterpret_cast<VirtualNotice *>(device)->action;
    static const auto real = libudev<const char *(*)(udev_device *)>("udev_device_get_action");
    return real ? real(device) : nullptr;
}

__attribute__((visibility("default"))) udev_device *udev_device_unref(udev_device *device)
{
    {
        Announcer &a = announcer();
        std::lock_guard guard(a.lock);
        if (a.notices.erase(device)) {
            delete reinterpret_cast<VirtualNotice *>(device);
            return nullptr;
        }
    }
    static const auto real = libudev<udev_device *(*)(udev_device *)>("udev_device_unref");
    return real ? real(device) : nullptr;
}

} // extern "C"

#include "fuzz/fakehid.h"

#include <hidapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

struct hid_device_ {
    std::string path;
};

namespace {

FuzzedDataProvider *script = nullptr;
int openBudget = -1;
std::set<hid_device *> openDevices;

// A handle the link no longer owns is a fault of the link, whatever the mouse did.
void checkOpen(hid_device *dev, const char *function)
{
    if (!openDevices.count(dev)) {
        std::fprintf(stderr, "finding: %s on a handle that is not open\n", function);
        std::abort();
    }
}

bool succeeds()
{
    return script && script->ConsumeBool();
}

// Fills 1 .. length bytes of data from the script; the count.
int reply(unsigned char *data, size_t length)
{
    if (length == 0)
        return 0;
    const size_t count = script->ConsumeIntegralInRange<size_t>(1, length);
    const std::vector<unsigned char> bytes = script->ConsumeBytes<unsigned char>(count);
    std::copy(bytes.begin(), bytes.end(), data);
    return int(bytes.size());
}

// Takes the whole report in, so a buffer shorter than the length it was
// passed with is caught where it is read.
int sent(const unsigned char *data, size_t length)
{
    const std::vector<unsigned char> report(data, data + length);
    return int(report.size());
}

} // namespace

namespace kairo::fuzz::hid {

void setScript(FuzzedDataProvider *provider)
{
    script = provider;
}

void limitOpens(int opens)
{
    openBudget = opens;
}

int openHandles()
{
    return int(openDevices.size());
}

} // namespace kairo::fuzz::hid

extern "C" {

struct hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    hid_device_info *first = nullptr;
    hid_device_info **next = &first;
    const int count = script ? script->ConsumeIntegralInRange(0, 4) : 0;
    for (int i = 0; i < count; ++i) {
        auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
        const std::string path = script->ConsumeBool() ? script->ConsumeRandomLengthString(16)
                                                       : std::string(i % 2 ? "notify" : "command");
        info->path = strdup(path.c_str());
        info->vendor_id = vendor_id;
        info->product_id = product_id;
        info->serial_number = wcsdup(L"");
        info->manufacturer_string = wcsdup(L"");
        info->product_string = wcsdup(L"");
        info->usage_page = script->ConsumeIntegral<unsigned short>();
        info->usage = script->ConsumeIntegral<unsigned short>();
        info->interface_number = i;
        *next = info;
        next = &info->next;
    }
    return first;
}

void hid_free_enumeration(struct hid_device_info *devs)
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

hid_device *hid_open_path(const char *path)
{
    if (openBudget == 0 || !succeeds())
        return nullptr;
    if (openBudget > 0)
        --openBudget;
    auto *dev = new hid_device{path};
    openDevices.insert(dev);
    return dev;
}

void hid_close(hid_device *dev)
{
    checkOpen(dev, "hid_close");
    openDevices.erase(dev);
    delete dev;
}

int hid_set_nonblocking(hid_device *dev, int)
{
    checkOpen(dev, "hid_set_nonblocking");
    return succeeds() ? 0 : -1;
}

int hid_send_feature_report(hid_device *dev, const unsigned char *data, size_t length)
{
    checkOpen(dev, "hid_send_feature_report");
    return succeeds() ? sent(data, length) : -1;
}

int hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    checkOpen(dev, "hid_write");
    return succeeds() ? sent(data, length) : -1;
}

int hid_get_feature_report(hid_device *dev, unsigned char *data, size_t length)
{
    checkOpen(dev, "hid_get_feature_report");
    return succeeds() ? reply(data, length) : -1;
}

int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int)
{
    checkOpen(dev, "hid_read_timeout");
    if (!script || script->remaining_bytes() == 0)
        return -1;
    switch (script->ConsumeIntegralInRange(0, 2)) {
    case 0:
        return -1;
    case 1:
        return 0; // timed out
    default:
        return reply(data, length);
    }
}

} // extern "C"

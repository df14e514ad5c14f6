// Stand-in for the real program in the preload test: it links the real hidapi
// and knows nothing of the simulator. Commands come one per line on stdin:
//   enum         -> "interfaces <n>"
//   stage        -> "stage <v>" (8BH on the first command interface) or "stage failed"
//   read <ms>    -> "read <n> <hex...>" from the first notification interface
//   quit
#include <hidapi.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string findPath(unsigned short usagePage)
{
    std::string found;
    hid_device_info *all = hid_enumerate(0x04d9, 0);
    for (hid_device_info *i = all; i && found.empty(); i = i->next)
        if (i->usage_page == usagePage)
            found = i->path;
    hid_free_enumeration(all);
    return found;
}

void countInterfaces()
{
    int count = 0;
    hid_device_info *all = hid_enumerate(0x04d9, 0);
    for (hid_device_info *i = all; i; i = i->next)
        ++count;
    hid_free_enumeration(all);
    std::printf("interfaces %d\n", count);
}

void readStage()
{
    const std::string path = findPath(0xff00);
    hid_device *dev = path.empty() ? nullptr : hid_open_path(path.c_str());
    unsigned char report[9] = {0, 0x8b, 0, 0, 0, 0, 0, 0, 0x74};
    unsigned char reply[9] = {0};
    if (dev && hid_send_feature_report(dev, report, 9) == 9
        && hid_get_feature_report(dev, reply, 9) == 9)
        std::printf("stage %d\n", reply[2]);
    else
        std::printf("stage failed\n");
    if (dev)
        hid_close(dev);
}

void readNotification(int milliseconds)
{
    const std::string path = findPath(0xff01);
    hid_device *dev = path.empty() ? nullptr : hid_open_path(path.c_str());
    if (!dev) {
        std::printf("read -1\n");
        return;
    }
    unsigned char buffer[8] = {0};
    const int n = hid_read_timeout(dev, buffer, 4, milliseconds);
    std::printf("read %d", n);
    for (int i = 0; i < n; ++i)
        std::printf(" %02x", buffer[i]);
    std::printf("\n");
    hid_close(dev);
}

} // namespace

int main()
{
    if (hid_init() != 0)
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream words(line);
        std::string verb;
        words >> verb;
        if (verb == "enum")
            countInterfaces();
        else if (verb == "stage")
            readStage();
        else if (verb == "read") {
            int ms = 1000;
            words >> ms;
            readNotification(ms);
        } else if (verb == "quit")
            break;
        std::fflush(stdout);
    }
    hid_exit();
    return 0;
}

// kairo-virtual-mouse: drives a running virtual mouse through its control socket.
#include "sim/socketpath.h"

#include <cstdio>
#include <cstring>
#include <string>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const char usage[] =
    "usage: kairo-virtual-mouse plug [N] | unplug [N] | deny [N] | allow [N] | press-dpi S [N] |\n"
    "                           mute on|off [N] | stall MS [N] | unplug-after COMMANDS [N] |\n"
    "                           fail-profile-reads COUNT [N] | state [N] | log\n"
    "  deny makes opening the mouse fail as without the udev rule; allow undoes it.\n"
    "  N is the device number (default 0); the socket comes from KAIRO_VIRTUAL_MOUSE_SOCKET,\n"
    "  else $XDG_RUNTIME_DIR/kairo-virtual-mouse.sock, else /tmp/kairo-virtual-mouse-<uid>.sock\n";

int connectTo(const std::string &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool sendAll(int fd, const std::string &text)
{
    for (size_t sent = 0; sent < text.size();) {
        const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += size_t(n);
    }
    return true;
}

std::string receiveAll(int fd)
{
    std::string reply;
    char chunk[4096];
    for (ssize_t n; (n = ::read(fd, chunk, sizeof chunk)) > 0;)
        reply.append(chunk, size_t(n));
    return reply;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help")) {
        std::fputs(usage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    std::string command;
    for (int i = 1; i < argc; ++i)
        command += std::string(i > 1 ? " " : "") + argv[i];

    const std::string path = kairo::sim::controlSocketPath();
    const int fd = connectTo(path);
    if (fd < 0) {
        std::fprintf(stderr,
                     "kairo-virtual-mouse: no virtual mouse is running (cannot connect to %s)\n",
                     path.c_str());
        return 1;
    }
    const bool sent = sendAll(fd, command + "\n");
    ::shutdown(fd, SHUT_WR);
    const std::string reply = sent ? receiveAll(fd) : std::string();
    ::close(fd);

    const size_t firstLineEnd = reply.find('\n');
    const std::string status = reply.substr(0, firstLineEnd);
    if (status != "ok") {
        std::fprintf(stderr, "kairo-virtual-mouse: %s\n",
                     status.empty() ? "no answer from the virtual mouse" : status.c_str());
        return 1;
    }
    std::fputs(reply.substr(firstLineEnd + 1).c_str(), stdout);
    return 0;
}

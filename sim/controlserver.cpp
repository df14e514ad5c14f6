// Control socket: one text command per connection, answered with "ok" or
// "error: ..." on the first line and the command's output after it. Plain
// POSIX sockets on a thread of its own, so any host program works.
#include "sim/virtualmouse.h"

#include <QJsonDocument>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kairo::sim {
namespace {

struct ControlServer {
    int listenFd = -1;
    QByteArray path;
    std::atomic<bool> stopping{false};
    std::thread thread;
};

std::mutex serverMutex;
ControlServer *server = nullptr; // deliberately leaked when never stopped (preloaded hosts)

QString ok(const QString &output = {})
{
    return "ok\n" + output;
}
QString error(const QString &reason)
{
    return "error: " + reason + "\n";
}

bool parseDevice(const QStringList &args, int at, int &device)
{
    device = 0;
    if (args.size() <= at)
        return true;
    bool isNumber = false;
    device = args[at].toInt(&isNumber);
    return isNumber && args.size() == at + 1;
}

QString runCommand(const QStringList &args)
{
    if (args.isEmpty())
        return error("empty command");
    const QString &verb = args[0];
    int device = 0;
    auto checkDevice = [&](int at) -> QString {
        if (!parseDevice(args, at, device))
            return error("bad arguments");
        if (device < 0 || device >= deviceCount())
            return error(QStringLiteral("no device %1").arg(args.value(at)));
        return {};
    };
    if (verb == "plug" || verb == "unplug" || verb == "deny" || verb == "allow"
        || verb == "state") {
        if (QString e = checkDevice(1); !e.isEmpty())
            return e;
        if (verb == "plug")
            plug(device);
        else if (verb == "unplug")
            unplug(device);
        else if (verb == "deny" || verb == "allow")
            setOpenDenied(device, verb == "deny");
        else {
            QJsonObject json = stateToJson(state(device));
            json["plugged"] = isPlugged(device);
            json["muted"] = isMuted(device);
            json["openDenied"] = isOpenDenied(device);
            json["family"] = deviceConfig(device).family;
            return ok(QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented)));
        }
        return ok();
    }
    if (verb == "press-dpi" || verb == "mute") {
        if (args.size() < 2)
            return error("missing argument");
        if (QString e = checkDevice(2); !e.isEmpty())
            return e;
        if (verb == "mute") {
            if (args[1] != "on" && args[1] != "off")
                return error("mute takes on or off");
            setMuted(device, args[1] == "on");
            return ok();
        }
        bool isNumber = false;
        const int stage = args[1].toInt(&isNumber);
        if (!isNumber || stage < 0 || stage > 255)
            return error("stage must be 0 to 255");
        pressDpi(device, stage);
        return ok();
    }
    if (verb == "stall" || verb == "unplug-after" || verb == "fail-profile-reads") {
        if (args.size() < 2)
            return error("missing argument");
        if (QString e = checkDevice(2); !e.isEmpty())
            return e;
        bool isNumber = false;
        const int value = args[1].toInt(&isNumber);
        if (!isNumber || value < 0)
            return error(verb + " takes a number from 0 on");
        if (verb == "stall")
            setStallMs(device, value);
        else if (verb == "unplug-after")
            setUnplugAfter(device, value);
        else
            setFailProfileReads(device, value);
        return ok();
    }
    if (verb == "log" && args.size() == 1) {
        const QStringList lines = wireLogLines();
        return ok(lines.isEmpty() ? QString() : lines.join('\n') + '\n');
    }
    return error("unknown command " + verb);
}

void serveClient(int fd)
{
    QByteArray request;
    char chunk[256];
    while (!request.contains('\n') && request.size() < 4096) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 2000) <= 0)
            break;
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0)
            break;
        request.append(chunk, qsizetype(n));
    }
    const QByteArray reply =
        handleControlCommand(QString::fromUtf8(request.left(request.indexOf('\n')))).toUtf8();
    for (qsizetype sent = 0; sent < reply.size();) {
        const ssize_t n =
            ::send(fd, reply.constData() + sent, size_t(reply.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += n;
    }
    ::close(fd);
}

void serve(ControlServer *s)
{
    while (!s->stopping.load()) {
        pollfd p{s->listenFd, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0)
            continue;
        const int client = ::accept(s->listenFd, nullptr, nullptr);
        if (client >= 0)
            serveClient(client);
    }
}

void unlinkAtExit()
{
    std::lock_guard lock(serverMutex);
    if (server)
        ::unlink(server->path.constData());
}

} // namespace

QString handleControlCommand(const QString &line)
{
    return runCommand(line.simplified().split(' ', Qt::SkipEmptyParts));
}

bool startControlServer(const QString &socketPath)
{
    std::lock_guard lock(serverMutex);
    if (server)
        return false;
    const QByteArray path = socketPath.toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ::unlink(path.constData()); // a socket left behind by an earlier run
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    server = new ControlServer;
    server->listenFd = fd;
    server->path = path;
    server->thread = std::thread(serve, server);
    static std::once_flag registered;
    std::call_once(registered, [] { std::atexit(unlinkAtExit); });
    return true;
}

void stopControlServer()
{
    ControlServer *s = nullptr;
    {
        std::lock_guard lock(serverMutex);
        std::swap(s, server);
    }
    if (!s)
        return;
    s->stopping = true;
    s->thread.join();
    ::close(s->listenFd);
    ::unlink(s->path.constData());
    delete s;
}

} // namespace kairo::sim

#include "sim/firmware.h"
#include "sim/simulator.h"
#include "sim/socketpath.h"

#include <QFile>
#include <QJsonArray>
#include <QSettings>

#include <cstdio>
#include <cstdlib>
#include <thread>
#include <utility>

namespace kairo::sim {
namespace detail {
namespace {

QByteArray patterned(int size, int start)
{
    QByteArray block(size, 0);
    for (int i = 0; i < size; ++i)
        block[i] = char((start + i) & 0xff);
    return block;
}

FirmwareState normalised(FirmwareState s)
{
    for (auto &m : s.keyMatrices)
        m = sized(m, 64);
    for (auto &m : s.keyMatrixBlocks)
        m = sized(m, 128);
    for (auto &m : s.macros)
        m = sized(m, 128);
    for (auto &p : s.profiles)
        p = sized(p, 128);
    s.dpiCodes = sized(s.dpiCodes, 8);
    s.keyboardOption553 = sized(s.keyboardOption553, 4);
    s.keyboardOption560 = sized(s.keyboardOption560, 2);
    s.fixedColor = sized(s.fixedColor, 3);
    s.stageColors = sized(s.stageColors, 24);
    s.stageColorsType2 = sized(s.stageColorsType2, 4);
    s.attributeBlock = sized(s.attributeBlock, 64);
    s.ledInstructOptions = sized(s.ledInstructOptions, 3);
    return s;
}

QString hexBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

void appendToFile(const QByteArray &path, const QString &line)
{
    if (path.isEmpty())
        return;
    if (FILE *f = std::fopen(path.constData(), "a")) {
        const QByteArray text = line.toUtf8() + '\n';
        std::fwrite(text.constData(), 1, size_t(text.size()), f);
        std::fflush(f);
        std::fclose(f);
    }
}

} // namespace

Simulator &Simulator::instance()
{
    static Simulator *simulator =
        new Simulator; // never destroyed: host threads may outlive statics
    return *simulator;
}

void Simulator::attachLocked(const QList<DeviceConfig> &configs)
{
    devices.clear();
    for (const DeviceConfig &config : configs) {
        Device d;
        d.config = config;
        d.state = FirmwareState::factory();
        d.code = wire::secrecyCode(config.sCode);
        devices.push_back(std::move(d));
    }
    log.clear();
    logFilePath = qgetenv("KAIRO_VIRTUAL_MOUSE_LOG");
    attachedAt = std::chrono::steady_clock::now();
    ++epoch;
    attached = true;
    changed.notify_all();
}

void Simulator::ensureAttachedLocked()
{
    if (!attached)
        attachLocked(devicesFromEnvironment());
}

bool Simulator::handleUsableLocked(const Handle *h) const
{
    if (!h || h->epoch != epoch || h->device < 0 || h->device >= int(devices.size()))
        return false;
    const Device &d = devices[size_t(h->device)];
    return d.config.plugged && d.plugCycle == h->plugCycle;
}

void Simulator::recordLocked(int device, Direction direction, const QByteArray &bytes,
                             const QByteArray &plain)
{
    const auto elapsed = std::chrono::steady_clock::now() - attachedAt;
    WireRecord r{std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), device,
                 direction, bytes, plain};
    log.append(r);
    appendToFile(logFilePath, formatWireLine(r));
}

QByteArray Simulator::featureReplyLocked(int device) const
{
    const Device &d = devices[size_t(device)];
    QByteArray wireBytes = d.replyPlain;
    if (d.config.isEncode)
        wire::scramble(reinterpret_cast<quint8 *>(wireBytes.data()) + 1, d.code.data());
    return wireBytes;
}

void Simulator::featureOutLocked(int device, const QByteArray &report)
{
    Device &d = devices[size_t(device)];
    QByteArray plain = sized(report, 9);
    if (d.config.isEncode)
        wire::descramble(reinterpret_cast<quint8 *>(plain.data()) + 1, d.code.data());
    recordLocked(device, Direction::FeatureOut, report, d.config.isEncode ? plain : report);

    const auto *block = reinterpret_cast<const quint8 *>(plain.constData()) + 1;
    if (report.size() < 9 || wire::checksum(block) != block[7]) {
        ++d.state.protocolErrors;
        return;
    }
    if (d.bulk.remaining > 0) { // the previous transfer never completed
        ++d.state.protocolErrors;
        d.bulk = BulkTransfer{};
    }
    ++d.state.commandCount;
    firmwareCommand(d, block);
}

void Simulator::outputReportLocked(int device, const QByteArray &report)
{
    Device &d = devices[size_t(device)];
    recordLocked(device, Direction::Out, report, report);
    if (d.bulk.remaining <= 0 || report.isEmpty()) {
        ++d.state.protocolErrors;
        return;
    }
    firmwareBulkData(d, report.mid(1));
}

void stallLocked(std::unique_lock<std::mutex> &lock, int device)
{
    Simulator &sim = Simulator::instance();
    const int ms = sim.devices[size_t(device)].config.stallMs;
    if (ms <= 0)
        return;
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    lock.lock();
}

void unplugIfDue(std::unique_lock<std::mutex> &lock, int device)
{
    Simulator &sim = Simulator::instance();
    const bool due = device >= 0 && device < int(sim.devices.size())
                     && std::exchange(sim.devices[size_t(device)].unplugDue, false);
    lock.unlock();
    if (due)
        kairo::sim::unplug(device);
}

QString pathOf(int device, Interface interface)
{
    return QStringLiteral("virtual:%1:%2")
        .arg(device)
        .arg(interface == Interface::Command ? "command" : "notify");
}

bool parsePath(const char *path, int &device, Interface &interface)
{
    if (!path)
        return false;
    const QStringList parts = QString::fromUtf8(path).split(':');
    if (parts.size() != 3 || parts[0] != "virtual")
        return false;
    bool ok = false;
    device = parts[1].toInt(&ok);
    if (!ok || device < 0)
        return false;
    if (parts[2] == "command")
        interface = Interface::Command;
    else if (parts[2] == "notify")
        interface = Interface::Notify;
    else
        return false;
    return true;
}

void (*hotplugListener)(const char *action) = nullptr;

void callHook(const char *function)
{
    std::function<void(const char *)> hook;
    {
        Simulator &sim = Simulator::instance();
        std::lock_guard lock(sim.mutex);
        hook = sim.hook;
    }
    if (hook)
        hook(function);
}

} // namespace detail

using detail::Simulator;

FirmwareState FirmwareState::factory()
{
    using detail::patterned;
    FirmwareState s;
    for (int i = 0; i < keyMatrixCount; ++i) {
        s.keyMatrices[size_t(i)] = patterned(64, 0x10 * (i + 1));
        s.keyMatrixBlocks[size_t(i)] = patterned(64, 0x10 * (i + 1)) + QByteArray(64, 0);
    }
    s.dpiCodes = QByteArray::fromHex("020406080a0c0e10");
    s.currentDpiStage = 2;
    s.profileReportRate.fill(1);
    s.profileDpiStage.fill(2);
    s.liftOff = 100;
    // byte3 stays 0: a non-zero byte3 flips the sign of the gun vertical offset.
    s.keyboardOption553 = QByteArray::fromHex("01020004");
    s.keyboardOption560 = QByteArray::fromHex("0102");
    s.fixedColor = QByteArray::fromHex("ff8040");
    s.stageColors = patterned(24, 0x30);
    s.stageColorsType2 = QByteArray::fromHex("a0a1a2a3");
    s.attributeBlock = patterned(64, 0x50);
    for (int i = 0; i < macroSlotCount; ++i) {
        QByteArray macro = patterned(128, 0x80 + i);
        macro[0] = char(i + 1);
        s.macros[size_t(i)] = macro;
    }
    for (int p = 0; p < deviceProfileCount; ++p)
        s.profiles[size_t(p)] = patterned(128, 0x20 * p + 1);
    s.ledInstructOptions = QByteArray::fromHex("000506"); // option1 0: the logo light works
    return s;
}

void reset(const QList<DeviceConfig> &devices)
{
    Simulator &sim = Simulator::instance();
    std::lock_guard lock(sim.mutex);
    sim.attachLocked(devices);
}

namespace {

template<typename F>
auto withDevice(int device, F &&f) -> decltype(f(std::declval<detail::Device &>()))
{
    Simulator &sim = Simulator::instance();
    std::lock_guard lock(sim.mutex);
    sim.ensureAttachedLocked();
    using Result = decltype(f(std::declval<detail::Device &>()));
    if (device < 0 || device >= int(sim.devices.size()))
        return Result();
    return f(sim.devices[size_t(device)]);
}

} // namespace

int deviceCount()
{
    Simulator &sim = Simulator::instance();
    std::lock_guard lock(sim.mutex);
    sim.ensureAttachedLocked();
    return int(sim.devices.size());
}

DeviceConfig deviceConfig(int device)
{
    return withDevice(device, [](detail::Device &d) { return d.config; });
}

namespace {

// A mouse brings two hidraw nodes, so udev speaks twice.
void announceHotplug(const char *action)
{
    if (!detail::hotplugListener)
        return;
    detail::hotplugListener(action);
    detail::hotplugListener(action);
}

} // namespace

void plug(int device)
{
    const bool arrived = withDevice(device, [](detail::Device &d) {
        const bool was = d.config.plugged;
        d.config.plugged = true;
        return !was;
    });
    Simulator::instance().changed.notify_all();
    if (arrived)
        announceHotplug("add");
}

void unplug(int device)
{
    const bool left = withDevice(device, [](detail::Device &d) {
        if (!d.config.plugged)
            return false;
        d.config.plugged = false;
        ++d.plugCycle; // handles opened before stay dead after a replug
        d.commandInput.clear();
        d.notifyInput.clear();
        d.bulk = detail::BulkTransfer{};
        return true;
    });
    Simulator::instance().changed.notify_all();
    if (left)
        announceHotplug("remove");
}

// A new permission on a plugged mouse reaches udev monitors as "change", as
// `udevadm trigger` sends it once a rule is installed.
void setOpenDenied(int device, bool denied)
{
    const bool changed = withDevice(device, [denied](detail::Device &d) {
        const bool was = d.config.openDenied;
        d.config.openDenied = denied;
        return d.config.plugged && was != denied;
    });
    if (changed)
        announceHotplug("change");
}

bool isOpenDenied(int device)
{
    return withDevice(device, [](detail::Device &d) { return d.config.openDenied; });
}

bool isPlugged(int device)
{
    return withDevice(device, [](detail::Device &d) { return d.config.plugged; });
}

void pressDpi(int device, int stage)
{
    withDevice(device, [stage](detail::Device &d) {
        d.state.currentDpiStage = stage;
        if (d.config.family == "560" && d.state.currentProfile >= 0
            && d.state.currentProfile < deviceProfileCount)
            d.state.profileDpiStage[size_t(d.state.currentProfile)] = stage;
    });
    sendNotification(device, QByteArray::fromHex("060700") + char(stage));
}

void sendNotification(int device, const QByteArray &report)
{
    withDevice(device, [&report](detail::Device &d) {
        if (d.config.plugged)
            d.notifyInput.push_back(report);
    });
    Simulator::instance().changed.notify_all();
}

void setMuted(int device, bool muted)
{
    withDevice(device, [muted](detail::Device &d) { d.muted = muted; });
    Simulator::instance().changed.notify_all();
}

bool isMuted(int device)
{
    return withDevice(device, [](detail::Device &d) { return d.muted; });
}

void setStallMs(int device, int milliseconds)
{
    withDevice(device, [milliseconds](detail::Device &d) { d.config.stallMs = milliseconds; });
}

void setUnplugAfter(int device, int commands)
{
    withDevice(device, [commands](detail::Device &d) { d.config.unplugAfter = commands; });
}

void setFailProfileReads(int device, int reads)
{
    withDevice(device, [reads](detail::Device &d) { d.config.failProfileReads = reads; });
}

FirmwareState state(int device)
{
    return withDevice(device, [](detail::Device &d) { return d.state; });
}

void setState(int device, const FirmwareState &s)
{
    withDevice(device, [&s](detail::Device &d) { d.state = detail::normalised(s); });
}

QList<WireRecord> wireLog()
{
    Simulator &sim = Simulator::instance();
    std::lock_guard lock(sim.mutex);
    return sim.log;
}

QStringList wireLogLines()
{
    QStringList lines;
    for (const WireRecord &r : wireLog())
        lines << formatWireLine(r);
    return lines;
}

void clearWireLog()
{
    Simulator &sim = Simulator::instance();
    std::lock_guard lock(sim.mutex);
    sim.log.clear();
}

void setApiHook(std::function<void(const char *function)> hook)
{
    Simulator &sim = Simulator::instance();
    std::lock_guard lock(sim.mutex);
    sim.hook = std::move(hook);
}

QString formatWireLine(const WireRecord &r)
{
    static const char *const names[] = {"feature-out", "feature-in", "out", "in"};
    return QStringLiteral("%1 %2 %3 %4")
        .arg(r.msSinceAttach)
        .arg(r.device)
        .arg(QLatin1String(names[int(r.direction)]))
        .arg(detail::hexBytes(r.bytes));
}

namespace {

quint16 hexValue(const QSettings &ini, const char *key, quint16 fallback)
{
    const QVariant v = ini.value(key);
    if (!v.isValid())
        return fallback;
    QString text = v.toString().trimmed();
    if (text.startsWith("0x", Qt::CaseInsensitive))
        text = text.mid(2);
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    return ok && value <= 0xffff ? quint16(value) : fallback;
}

bool boolValue(const QSettings &ini, const char *key, bool fallback)
{
    const QString text = ini.value(key).toString().trimmed().toLower();
    if (text == "true" || text == "1")
        return true;
    if (text == "false" || text == "0")
        return false;
    return fallback;
}

} // namespace

QList<DeviceConfig> loadDeviceConfigs(const QString &iniPath)
{
    QList<DeviceConfig> configs;
    if (!QFile::exists(iniPath))
        return {DeviceConfig{}};
    QSettings ini(iniPath, QSettings::IniFormat);
    for (int i = 0; ini.childGroups().contains(QString::number(i)); ++i) {
        ini.beginGroup(QString::number(i));
        DeviceConfig c;
        c.family = ini.value("family", c.family).toString().trimmed();
        c.vid = hexValue(ini, "vid", c.vid);
        c.pid = hexValue(ini, "pid", c.pid);
        c.usagePage = hexValue(ini, "usagePage", c.usagePage);
        c.usage = hexValue(ini, "usage", c.usage);
        c.usagePage2 = hexValue(ini, "usagePage2", c.usagePage2);
        c.usage2 = hexValue(ini, "usage2", c.usage2);
        bool ok = false;
        const int length = ini.value("reportLength").toInt(&ok);
        if (ok && length > 0 && length <= 1024)
            c.reportLength = length;
        c.isEncode = boolValue(ini, "isEncode", c.isEncode);
        c.sCode = ini.value("sCode", c.sCode).toString();
        c.plugged = boolValue(ini, "plugged", c.plugged);
        c.openDenied = boolValue(ini, "openDenied", c.openDenied);
        c.stallMs = std::max(0, ini.value("stallMs", c.stallMs).toInt());
        c.unplugAfter = std::max(0, ini.value("unplugAfter", c.unplugAfter).toInt());
        c.failProfileReads = std::max(0, ini.value("failProfileReads", c.failProfileReads).toInt());
        ini.endGroup();
        configs << c;
    }
    return configs.isEmpty() ? QList<DeviceConfig>{DeviceConfig{}} : configs;
}

QList<DeviceConfig> devicesFromEnvironment()
{
    const QString path = qEnvironmentVariable("KAIRO_VIRTUAL_MOUSE_CONFIG");
    return path.isEmpty() ? QList<DeviceConfig>{DeviceConfig{}} : loadDeviceConfigs(path);
}

QJsonObject stateToJson(const FirmwareState &s)
{
    auto blocks = [](const auto &list) {
        QJsonArray out;
        for (const QByteArray &b : list)
            out.append(detail::hexBytes(b));
        return out;
    };
    auto numbers = [](const auto &list) {
        QJsonArray out;
        for (int v : list)
            out.append(v);
        return out;
    };
    QJsonObject o;
    o["keyMatrices"] = blocks(s.keyMatrices);
    o["keyMatrixBlocks"] = blocks(s.keyMatrixBlocks);
    o["activeKeyMatrix"] = s.activeKeyMatrix;
    o["dpiCodes"] = detail::hexBytes(s.dpiCodes);
    o["dpiStageCount"] = s.dpiStageCount;
    o["currentDpiStage"] = s.currentDpiStage;
    o["reportRate"] = s.reportRate;
    o["profileReportRate"] = numbers(s.profileReportRate);
    o["profileDpiStage"] = numbers(s.profileDpiStage);
    o["liftOff"] = s.liftOff;
    o["liftOffEnabled"] = s.liftOffEnabled;
    o["keyboardOption553"] = detail::hexBytes(s.keyboardOption553);
    o["keyboardOption560"] = detail::hexBytes(s.keyboardOption560);
    o["lightingEffect"] = s.lightingEffect;
    o["lightingOption1"] = s.lightingOption1;
    o["lightingOption2"] = s.lightingOption2;
    o["fixedColor"] = detail::hexBytes(s.fixedColor);
    o["stageColors"] = detail::hexBytes(s.stageColors);
    o["stageColorsType2"] = detail::hexBytes(s.stageColorsType2);
    o["stageColorType"] = s.stageColorType;
    o["attributeBlock"] = detail::hexBytes(s.attributeBlock);
    o["gunData"] = blocks(s.gunData);
    o["macros"] = blocks(s.macros);
    o["profiles"] = blocks(s.profiles);
    o["currentProfile"] = s.currentProfile;
    o["ledInstructOptions"] = detail::hexBytes(s.ledInstructOptions);
    o["protocolErrors"] = s.protocolErrors;
    o["commandCount"] = s.commandCount;
    return o;
}

QString defaultSocketPath()
{
    return QString::fromStdString(controlSocketPath());
}

} // namespace kairo::sim

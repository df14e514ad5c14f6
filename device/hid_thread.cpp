#include "device/hid_thread.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutexLocker>
#include <QScopeGuard>

#include <hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {
constexpr int kIdlePolls = 255;
constexpr int kIdlePollMs = 8;
constexpr int kSettleStepMs = 64;
constexpr int kBulkGapMs = 120;
constexpr int kBriefPauseMs = 8;

void timeoutLine(const char *text)
{
    hidDebugLine({QString::fromLatin1(text)});
}

// Input the mouse sent too late for an earlier read would pass for the
// start of the next block.
void dropStaleInput(hid_device *handle, std::vector<uchar> &buffer)
{
    while (hid_read_timeout(handle, buffer.data(), buffer.size(), 0) > 0) {
    }
}
} // namespace

Hid_Thread::Hid_Thread(QObject *parent)
    : QThread(parent)
{}

Hid_Thread::~Hid_Thread()
{
    // The loop holds `this`; it must be gone before the members are.
    monitoring = false;
    monitorFuture.waitForFinished();
    closeCommandPath();
    closeMonitorPath();
}

void Hid_Thread::setOwner(QObject *ownerWidget)
{
    owner = ownerWidget;
}

void Hid_Thread::setModelFlags(bool isGun, const QString &icType)
{
    gunModel = isGun;
    family = familyOf(icType);
}

void Hid_Thread::setClock(HidClock *clock)
{
    sleeper = clock ? clock : &realClock;
}

HidClock *Hid_Thread::clock() const
{
    return sleeper;
}

void Hid_Thread::setMonitorSink(DeviceMonitorSink *sink)
{
    monitorSink = sink;
}

void Hid_Thread::setDeviceTable(const QList<DeviceEntry> &table)
{
    if (monitorFuture.isRunning())
        monitoring = false;
    monitorFuture.waitForFinished();
    QMutexLocker lock(&pathLock);
    deviceTable = table;
}

void Hid_Thread::setCurrentDevice(int index)
{
    current = index;
    if (!validIndex(index))
        return;
    const QString code = deviceTable.at(index).sCode;
    if (code.size() != 6)
        return;
    for (int i = 0; i < 6; ++i) {
        const char16_t unit = code.at(i).unicode();
        SecrecyCode[i] = unit <= 0xFF ? uchar(unit) : uchar(0);
    }
}

bool Hid_Thread::validIndex(int index) const
{
    return index >= 0 && index < deviceTable.size();
}

const DeviceEntry *Hid_Thread::currentEntry() const
{
    return validIndex(current) ? &deviceTable.at(current) : nullptr;
}

QString Hid_Thread::entryPath(int index, bool monitor) const
{
    QMutexLocker lock(&pathLock);
    if (!validIndex(index))
        return QString();
    const DeviceEntry &entry = deviceTable.at(index);
    return monitor ? entry.path2 : entry.path;
}

void Hid_Thread::blankEntryPath(int index, bool monitor)
{
    QMutexLocker lock(&pathLock);
    if (!validIndex(index))
        return;
    DeviceEntry &entry = deviceTable[index];
    (monitor ? entry.path2 : entry.path).clear();
}

// The two interfaces are opened and closed alike; only the path and the handle
// slot differ.
hid_device *Hid_Thread::openPath(int index, bool monitor, hid_device *&handle)
{
    const QString path = entryPath(index, monitor);
    if (path.isEmpty())
        return nullptr;
    closePath(handle);
    handle = hid_open_path(path.toLocal8Bit().constData());
    if (!handle) {
        blankEntryPath(index, monitor);
        return nullptr;
    }
    hid_set_nonblocking(handle, 0);
    return handle;
}

void Hid_Thread::closePath(hid_device *&handle)
{
    if (handle) {
        hid_close(handle);
        handle = nullptr;
    }
}

namespace {

// hidapi keeps the open's errno unless recording its own error replaces it;
// for a real node the file's access rights answer the question again.
bool refusedByPermission(int openErrno, const QByteArray &path)
{
    if (openErrno == EACCES || openErrno == EPERM)
        return true;
    if (!path.startsWith("/dev/"))
        return false;
    return ::access(path.constData(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM);
}

} // namespace

Hid_Thread::OpenCheck Hid_Thread::probeOpen(int index)
{
    const QByteArray path = entryPath(index, false).toLocal8Bit();
    if (path.isEmpty())
        return OpenCheck::Gone;
    errno = 0;
    hid_device *handle = hid_open_path(path.constData());
    const int openErrno = errno;
    if (handle) {
        hid_close(handle);
        return OpenCheck::Ok;
    }
    blankEntryPath(index, false);
    return refusedByPermission(openErrno, path) ? OpenCheck::Denied : OpenCheck::Gone;
}

hid_device *Hid_Thread::openCommandPath(int index)
{
    return openPath(index, false, commandHandle);
}

hid_device *Hid_Thread::openMonitorPath(int index)
{
    return openPath(index, true, monitorHandle);
}

void Hid_Thread::closeCommandPath()
{
    closePath(commandHandle);
}

void Hid_Thread::closeMonitorPath()
{
    closePath(monitorHandle);
}

void Hid_Thread::sleepMs(int ms)
{
    sleeper->sleepMs(ms);
}

bool Hid_Thread::waitHidIdle()
{
    for (int poll = 0; poll < kIdlePolls; ++poll) {
        if (idle) {
            idle = false;
            return true;
        }
        sleepMs(kIdlePollMs);
        QCoreApplication::processEvents();
    }
    return false;
}

void Hid_Thread::settlePause()
{
    sleepMs(kSettleStepMs);
    sleepMs(kSettleStepMs);
}

// Every way out of an exchange, good or bad, ends here.
void Hid_Thread::endCommandExchange()
{
    closeCommandPath();
    idle = true;
}

bool Hid_Thread::exchangeGet(int count)
{
    const auto endExchange = qScopeGuard([this] { endCommandExchange(); });
    replyTimedOut = false;
    const DeviceEntry *entry = currentEntry();
    const bool encoded = entry && entry->isEncode;
    const int reportLength = entry ? entry->reportLength : 0;
    hid_device *handle = entry ? openCommandPath(current) : nullptr;
    if (!handle)
        return false;
    std::vector<uchar> buffer(size_t(std::max(reportLength, 0)) + 1);
    if (count > 0 && std::exchange(staleInputPossible, false))
        dropStaleInput(handle, buffer);
    // Until the whole block is in, a late rest of it may still arrive.
    auto blockBrokenOff = qScopeGuard([this] { staleInputPossible = true; });
    if (count == 0)
        blockBrokenOff.dismiss();

    if (encoded)
        USBDataEncryption(outReport + 1, SecrecyCode);
    QElapsedTimer since;
    since.start();
    if (!inTime(hid_send_feature_report(handle, outReport, kReportSize), since))
        return false;
    handle = openCommandPath(current);
    std::memset(inReport, 0, sizeof(inReport)); // report id 0 in byte 0
    since.start();
    if (!handle || !inTime(hid_get_feature_report(handle, inReport, kReportSize), since))
        return false;

    if (count == 0) {
        if (encoded)
            USBDataDecipher(inReport + 1, SecrecyCode);
        return true;
    }

    if (reportLength < 1)
        return false;
    // The block reaches bulkBuf only once all of it has arrived: a read that
    // breaks off must not leave callers half of a new block over an old one.
    const int total = std::min(count, int(sizeof(bulkBuf)));
    const int chunk = std::min(total, reportLength);
    std::vector<uchar> block(size_t(total), uchar(0));
    for (int offset = 0; offset < total; offset += chunk) {
        std::fill(buffer.begin(), buffer.end(), uchar(0));
        handle = openCommandPath(current);
        if (!handle)
            return false;
        // A time-out is a failure too: a silent mouse must not hang the caller.
        const int received = hid_read_timeout(handle, buffer.data(), buffer.size(), replyBoundMs);
        replyTimedOut = received == 0;
        if (received <= 0)
            return false;
        std::memcpy(block.data() + offset, buffer.data(), size_t(std::min(chunk, total - offset)));
    }
    std::memcpy(bulkBuf, block.data(), block.size());
    blockBrokenOff.dismiss();
    return true;
}

bool Hid_Thread::exchangeSet(int count, bool settle)
{
    QCoreApplication::processEvents();
    const auto endExchange = qScopeGuard([this] { endCommandExchange(); });
    replyTimedOut = false;
    const DeviceEntry *entry = currentEntry();
    const bool encoded = entry && entry->isEncode;
    const int reportLength = entry ? entry->reportLength : 0;
    hid_device *handle = entry ? openCommandPath(current) : nullptr;
    if (!handle)
        return false;
    if (encoded)
        USBDataEncryption(outReport + 1, SecrecyCode);
    QElapsedTimer since;
    since.start();
    if (!inTime(hid_send_feature_report(handle, outReport, kReportSize), since))
        return false;
    if (settle)
        settlePause();
    if (count == 0)
        return true;

    if (reportLength < 1)
        return false;
    const int total = std::min(count, int(sizeof(bulkBuf)));
    const int chunk = std::min(total, reportLength);
    std::vector<uchar> buffer(size_t(reportLength) + 1);
    for (int offset = 0; offset < total; offset += chunk) {
        // A last report that reaches past the block carries zeros, not what
        // an earlier command left in bulkBuf.
        std::fill(buffer.begin(), buffer.end(), uchar(0));
        std::memcpy(buffer.data() + 1, bulkBuf + offset, size_t(std::min(chunk, total - offset)));
        handle = openCommandPath(current);
        since.start();
        if (!handle || !inTime(hid_write(handle, buffer.data(), buffer.size()), since)) {
            hidDebugLine({QStringLiteral("HID FAIL")});
            return false;
        }
        sleepMs(kBulkGapMs);
    }
    hidDebugLine({QStringLiteral("HID SUCCESS")});
    if (settle)
        settlePause();
    return true;
}

void Hid_Thread::beginReport(uchar opcode, std::initializer_list<uchar> params)
{
    std::memset(outReport, 0, sizeof(outReport));
    outReport[1] = opcode;
    int position = 2;
    for (uchar value : params) {
        if (position > 7)
            break;
        outReport[position++] = value;
    }
    outReport[8] = hidCS(outReport + 1);
}

bool Hid_Thread::sendCommand(const char *timeoutText, uchar opcode,
                             std::initializer_list<uchar> params, Pace pace,
                             std::span<const uchar> block)
{
    if (!mayCommand(timeoutText))
        return false;
    if (!waitHidIdle()) {
        timeoutLine(timeoutText);
        return noteCommand(false);
    }
    beginReport(opcode, params);
    // Only once the link is ours: bulkBuf may still hold a block in flight.
    const size_t length = std::min(block.size(), sizeof(bulkBuf));
    if (length)
        std::memcpy(bulkBuf, block.data(), length);
    const bool sent = exchangeSet(int(length), pace == Pace::Settle);
    if (pace == Pace::Brief)
        sleepMs(kBriefPauseMs);
    return noteCommand(sent);
}

bool Hid_Thread::requestReply(const char *timeoutText, uchar opcode,
                              std::initializer_list<uchar> params, int count)
{
    if (!mayCommand(timeoutText))
        return false;
    if (!waitHidIdle()) {
        timeoutLine(timeoutText);
        return noteCommand(false);
    }
    beginReport(opcode, params);
    return noteCommand(exchangeGet(count));
}

bool Hid_Thread::inTime(int result, const QElapsedTimer &since)
{
    if (since.elapsed() >= replyBoundMs)
        replyTimedOut = true;
    return result >= 0 && !replyTimedOut;
}

void Hid_Thread::beginAction()
{
    if (actionDepth++ > 0)
        return;
    actionFailed = false;
    mouseSilent = false;
}

Hid_Thread::ActionOutcome Hid_Thread::endAction()
{
    if (actionDepth == 0 || --actionDepth > 0)
        return ActionOutcome::Done;
    const ActionOutcome outcome = mouseSilent    ? ActionOutcome::NoAnswer
                                  : actionFailed ? ActionOutcome::Failed
                                                 : ActionOutcome::Done;
    actionFailed = false;
    mouseSilent = false;
    return outcome;
}

bool Hid_Thread::mayCommand(const char *timeoutText)
{
    if (actionDepth == 0) {
        // A command outside any action stands alone.
        actionFailed = false;
        mouseSilent = false;
    }
    if (!mouseSilent)
        return true;
    hidDebugLine({QString::fromLatin1(timeoutText), QStringLiteral("(the mouse does not answer)")});
    actionFailed = true;
    return false;
}

bool Hid_Thread::noteCommand(bool taken)
{
    if (!taken)
        actionFailed = true;
    if (replyTimedOut)
        mouseSilent = true;
    replyTimedOut = false;
    return taken;
}

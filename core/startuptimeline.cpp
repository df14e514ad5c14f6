#include "core/startuptimeline.h"

#include <QByteArray>
#include <QDebug>
#include <QFile>

#include <ctime>
#include <unistd.h>

namespace kairo::startup {

namespace {

double nowMs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The kernel counts the process's start in clock ticks since boot, on the
// clock CLOCK_BOOTTIME reads; a tick is usually 10 ms, so early steps are
// known to that grain only.
double execOnBootClockMs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return nowMs(CLOCK_BOOTTIME);
    const QByteArray line = stat.readAll();
    // The command name may hold blanks and parentheses: count from the last ')'.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    constexpr int startTimeField = 22 - 3;
    if (fields.size() <= startTimeField)
        return nowMs(CLOCK_BOOTTIME);
    return fields.at(startTimeField).toDouble() * 1e3 / double(sysconf(_SC_CLK_TCK));
}

} // namespace

bool timelineEnabled()
{
    static const bool enabled = qEnvironmentVariableIntValue("KAIRO_STARTUP_TIMELINE") > 0;
    return enabled;
}

void mark(const char *step)
{
    if (!timelineEnabled())
        return;
    static const double execMs = execOnBootClockMs();
    static double previousMs = execMs;
    const double now = nowMs(CLOCK_BOOTTIME);
    qDebug().noquote() << "startup" << step << QString::number(now - execMs, 'f', 1)
                       << QString::number(now - previousMs, 'f', 1);
    previousMs = now;
}

} // namespace kairo::startup

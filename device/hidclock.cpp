#include "device/hidclock.h"

#include <QThread>

HidClock::~HidClock() = default;

void RealHidClock::sleepMs(int ms)
{
    QThread::msleep(ms);
}

#include "device/hidclock.h"

#include <QByteArray>
#include <QThread>

HidClock::~HidClock() = default;

RealHidClock::RealHidClock()
    : factor(pauseFactor(qgetenv("KAIRO_LINK_PAUSE_FACTOR")))
{}

double RealHidClock::pauseFactor(const QByteArray &setting)
{
    bool ok = false;
    const double value = setting.toDouble(&ok);
    return ok && value > 0 && value <= 1 ? value : 1.0;
}

void RealHidClock::sleepMs(int ms)
{
    QThread::msleep(factor == 1.0 ? ms : qMax(1, qRound(ms * factor)));
}

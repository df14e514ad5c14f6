#pragma once

#include "device/hidclock.h"

#include <QCoreApplication>
#include <QThread>

// Sleeps for real like the program's clock and adds up what the user-interface
// thread slept: the fixed pauses the commands on the wire demand, the floor
// an action of the window is measured against.
class PauseCountingClock : public RealHidClock
{
public:
    void sleepMs(int ms) override
    {
        if (QThread::currentThread() == QCoreApplication::instance()->thread())
            sleptMs += ms;
        RealHidClock::sleepMs(ms);
    }
    qint64 sleptMs = 0;
};

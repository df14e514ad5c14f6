#pragma once

#include <QByteArray>

// Every fixed delay of the device link goes through this, so tests can record
// the sleeps instead of waiting for them.
class HidClock
{
public:
    virtual ~HidClock();
    virtual void sleepMs(int ms) = 0;
};

// Sleeps the calling thread for real. Tests that drive the whole program on
// the virtual mouse, which answers at once, may shorten every pause by one
// factor (KAIRO_LINK_PAUSE_FACTOR, above 0 and at most 1): the reports leave
// in the same order, only sooner. A real mouse needs the full pauses, and
// anything else leaves them whole.
class RealHidClock : public HidClock
{
public:
    RealHidClock();
    void sleepMs(int ms) override;

    static double pauseFactor(const QByteArray &setting);

private:
    double factor;
};

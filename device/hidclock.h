#pragma once

// Every fixed delay of the device link goes through this, so tests can record
// the sleeps instead of waiting for them.
class HidClock
{
public:
    virtual ~HidClock();
    virtual void sleepMs(int ms) = 0;
};

// Sleeps the calling thread for real.
class RealHidClock : public HidClock
{
public:
    void sleepMs(int ms) override;
};

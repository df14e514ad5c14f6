#pragma once

#include "device/hidclock.h"

#include <QList>

// Stands in for the link's sleeps: records each requested delay and returns
// at once, so the tests check the pacing without waiting it out.
class RecordingClock : public HidClock
{
public:
    void sleepMs(int ms) override { sleeps.append(ms); }
    QList<int> sleeps;
};

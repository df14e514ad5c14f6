#pragma once

#include "device/family.h"
#include "operations/driver553.h"
#include "operations/driver560.h"

#include <QList>
#include <QString>

class Hid_Thread;
class SettingsStore;

// What became of one action's commands, worst first: an image that could not
// be read (nothing of it sent), a mouse that stopped answering, a command the
// mouse did not take.
enum class ActionOutcome { Done, NotTaken, NoAnswer, NotRead };
// "done", "notTaken", "noAnswer", "notRead": the names the scene knows.
QString outcomeName(ActionOutcome outcome);

// What every device operation shares: the settings it reads and writes, the
// device link it sends through (none until a device is attached: nothing is
// sent then) and the driver of the connected family.
class OperationsContext
{
public:
    explicit OperationsContext(SettingsStore &settings)
        : settings(settings)
    {}

    SettingsStore &settings;
    Hid_Thread *hid = nullptr;

    Family family() const;
    bool isGun() const;
    bool isColorful() const;

    // The connected family's driver; without a link, the one that sends nothing.
    Driver &driver();
    // Device profiles are the second family's, and go with its commands
    // whatever the family.
    Driver560 &profileDriver() { return driver560; }
    DeviceProfileImages &images() { return driver560.images(); }

    // One action of the person's (see Hid_Thread::beginAction).
    void beginAction();
    ActionOutcome endAction();

private:
    NullDriver nullDriver;
    Driver553 driver553{hid, settings};
    Driver560 driver560{hid, settings};
    int actionDepth = 0;
};

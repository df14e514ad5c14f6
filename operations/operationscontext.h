#pragma once

#include "operations/deviceprofileimages.h"
#include "operations/family.h"

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
// sent then), and the device profile images of the second family.
class OperationsContext
{
public:
    explicit OperationsContext(SettingsStore &settings)
        : settings(settings)
    {}

    SettingsStore &settings;
    Hid_Thread *hid = nullptr;
    DeviceProfileImages images;

    Family family() const;
    bool isSecondFamily() const { return family() == Family::Second; }
    bool isGun() const;
    bool isColorful() const;
    bool is55328() const;

    // Sends device profile image `imageNo` as the profile of that number; an
    // image that cannot be read from the mouse is not sent. Whatever changes
    // an image asks haveImages first, since a read would undo the change.
    bool sendImage(int imageNo);
    // The user's profile, and with the gun function the three gun profiles.
    bool sendUserAndGunImages();
    QList<int> userAndGunImages() const;
    // Reads the images the connect could not; false when one still fails.
    bool haveImages(const QList<int> &imageNos);
    bool readImage(int imageNo);

    // One action of the person's (see Hid_Thread::beginAction).
    void beginAction();
    ActionOutcome endAction();

private:
    bool refuseUnread(int imageNo);
    int actionDepth = 0;
    bool imageRefused = false;
};

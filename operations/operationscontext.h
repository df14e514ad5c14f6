#pragma once

#include "operations/deviceprofileimages.h"
#include "operations/family.h"

class Hid_Thread;
class SettingsStore;

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

    // Sends device profile image `imageNo` as the profile of that number.
    void sendImage(int imageNo);
    // The user's profile, and with the gun function the three gun profiles.
    void sendUserAndGunImages();
};

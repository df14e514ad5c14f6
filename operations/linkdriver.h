#pragma once

#include "operations/driver.h"

class Hid_Thread;
class SettingsStore;

// A driver over a device link: the commands every family answers alike, and
// the model flags the families' own answers depend on.
class LinkDriver : public Driver
{
public:
    // link: the context's device link, which it attaches later.
    LinkDriver(Hid_Thread *const &link, SettingsStore &settings)
        : link(link)
        , settings(settings)
    {}

    bool sendAttributes(Lighting::AttributeBlock &block) override;
    void keyboardOption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4) override;
    bool setKeyboardOption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) override;
    bool sendStageColourTable(uchar type, Lighting::StageColours &colours) override;
    bool logoLedWorks() override;
    int currentProfile() override;

protected:
    // The context hands a family's driver out only while there is a link.
    Hid_Thread &hid() const { return *link; }

    Hid_Thread *const &link;
    SettingsStore &settings;
};

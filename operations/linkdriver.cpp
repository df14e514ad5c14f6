#include "operations/linkdriver.h"

#include "device/hid_thread.h"

bool LinkDriver::sendAttributes(Lighting::AttributeBlock &block)
{
    return hid().hid553_16H_SetSlaveAttritube(block.data());
}

void LinkDriver::keyboardOption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    hid().hid553_83H_GetKeyboardoption(byte1, byte2, byte3, byte4);
}

bool LinkDriver::setKeyboardOption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    return hid().hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

bool LinkDriver::sendStageColourTable(uchar type, Lighting::StageColours &colours)
{
    return hid().hid553_10H_SetLED8StageColor(type, colours.data());
}

bool LinkDriver::logoLedWorks()
{
    uchar option1 = 0xFF, option2 = 0, option3 = 0;
    if (!hid().hid_87H_GetLEDInstructFunction(0, option1, option2, option3))
        return false;
    return option1 == 0;
}

int LinkDriver::currentProfile()
{
    uchar profile = 0;
    hid().hid560_82H_GetCurrentProfile(profile);
    return int(profile);
}

#include "operations/deviceprofileimages.h"

#include <algorithm>

void DeviceProfileImages::setRead(int imageNo, const Image &bytes)
{
    images.at(imageNo) = bytes;
    readFromMouse.at(imageNo) = true;
}

void DeviceProfileImages::setGunSwitchMask(uchar mask)
{
    images[0][gunSwitchMask] = mask;
}

void DeviceProfileImages::setDpiStages(const DpiEncoding::StageCodes &stages, uchar enableMask,
                                       bool withHighBits)
{
    for (int imageNo = userImage; imageNo < count; ++imageNo) {
        Image &target = images[imageNo];
        std::copy(stages.codes.begin(), stages.codes.end(), target.begin() + dpiCodes);
        std::copy(stages.codes.begin(), stages.codes.end(), target.begin() + dpiCodesAgain);
        target[dpiEnableMask] = enableMask;
        if (withHighBits) {
            target[dpiHighBits] = stages.highBitMask;
            target[dpiHighBits + 1] = stages.highBitMask;
        }
    }
}

void DeviceProfileImages::setEffect(int imageNo, const Lighting::EffectCommand &effect)
{
    Image &target = images.at(imageNo);
    target[effectCode] = effect.code;
    target[effectCode + 1] = effect.operand1;
    target[effectCode + 2] = effect.operand2;
}

void DeviceProfileImages::setStageColours(bool fullColour, const Lighting::StageColours &colours)
{
    Image &target = fullColour ? images[0] : images[userImage];
    const int offset = fullColour ? fullColourStages : plainStageColours;
    std::copy(colours.begin(), colours.end(), target.begin() + offset);
}

void DeviceProfileImages::setGunData(int imageNo, uchar repeat, uchar horizontal, uchar vertical)
{
    Image &target = images.at(imageNo);
    target[gunMarker] = 0xF0;
    target[gunData] = repeat;
    target[gunData + 1] = horizontal;
    target[gunData + 2] = vertical;
    target[gunFlags] = uchar(target[gunFlags] & ~0x04);
}

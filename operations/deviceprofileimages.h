#pragma once

#include "operations/dpiencoding.h"
#include "operations/lighting.h"

#include <array>

// The five 128-byte device profile images that second-family mice receive
// whole. Image 1 is the user's profile, images 2 to 4 belong to gun 1 to 3.
class DeviceProfileImages
{
public:
    using Image = std::array<uchar, 128>;
    static constexpr int count = 5;
    static constexpr int userImage = 1;
    static constexpr int firstGunImage = 2;

    // Byte offsets the program writes; everything else is the firmware's.
    enum Offset {
        gunSwitchMask = 2,       // image 0
        fullColourStages = 24,   // image 0, 24 bytes
        gunFlags = 65,           // images 2-4, bit 2 cleared with gun data
        effectCode = 71,         // images 1-4, then operand 1 and 2
        gunMarker = 78,          // images 2-4
        gunData = 79,            // images 2-4: repeat, horizontal, vertical
        dpiHighBits = 82,        // images 1-4, twice
        dpiCodes = 84,           // images 1-4, 8 codes
        dpiCodesAgain = 92,      // images 1-4, the same 8 codes
        dpiEnableMask = 100,     // images 1-4
        plainStageColours = 104, // image 1, 24 bytes
    };

    static bool isValid(uint imageNo) { return imageNo < uint(count); }

    Image &image(int imageNo) { return images.at(imageNo); }
    const Image &image(int imageNo) const { return images.at(imageNo); }

    // An image holds the mouse's bytes only once read from it; until then it
    // is zeros, which must never go back over the firmware's own bytes.
    bool isRead(int imageNo) const { return readFromMouse.at(imageNo); }
    void setRead(int imageNo, const Image &bytes);
    // A mouse connected afresh may hold other bytes.
    void forgetAll() { readFromMouse.fill(false); }

    void setGunSwitchMask(uchar mask);
    void setDpiStages(const DpiEncoding::StageCodes &stages, uchar enableMask, bool withHighBits);
    void setEffect(int imageNo, const Lighting::EffectCommand &effect);
    void setStageColours(bool fullColour, const Lighting::StageColours &colours);
    void setGunData(int imageNo, uchar repeat, uchar horizontal, uchar vertical);

private:
    std::array<Image, count> images{};
    std::array<bool, count> readFromMouse{};
};

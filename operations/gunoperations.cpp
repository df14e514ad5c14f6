#include "operations/gunoperations.h"

#include "operations/family.h"
#include "operations/operationscontext.h"

#include "device/hid_thread.h"

bool GunOperations::mouseSendGundata(int index, const QVariantList &data)
{
    if (!ctx.isGun())
        return true;
    // Guns 1 to 3 own device profile images 2 to 4; anything else would
    // write past the images.
    if (index < 1 || index > 3) {
        hidDebugLine({QStringLiteral("mouseSendGundata refused gun"), QString::number(index)});
        return false;
    }
    const uchar repeat = byteAt(data, 0);
    const uchar horizontal = byteAt(data, 1);
    const uchar vertical = byteAt(data, 2);

    if (ctx.isSecondFamily()) {
        const int imageNo = index + 1;
        if (!ctx.haveImages({imageNo}))
            return false;
        ctx.images.setGunData(imageNo, repeat, horizontal, vertical);
        return ctx.sendImage(imageNo);
    }
    if (!ctx.hid)
        return false;
    uchar byte1 = 0, byte2 = 0, byte3 = 0, byte4 = 0;
    ctx.hid->hid553_83H_GetKeyboardoption(byte1, byte2, byte3, byte4);
    // With this option set the sensor's vertical axis runs the other way.
    const uchar y = byte3 != 0 ? uchar(0x100 - vertical) : vertical;
    return ctx.hid->hid553_04H_SetGunData(repeat, horizontal, y, uchar(index - 1));
}

QVariantList GunOperations::GetKeyboardoption()
{
    uchar byte1 = 0, byte2 = 0, byte3 = 0, byte4 = 0;
    if (ctx.hid)
        ctx.hid->hid553_83H_GetKeyboardoption(byte1, byte2, byte3, byte4);
    return {int(byte1), int(byte2), int(byte3), int(byte4)};
}

bool GunOperations::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    return ctx.hid && ctx.hid->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

#include "operations/gunoperations.h"

#include "operations/listbytes.h"
#include "operations/operationscontext.h"

#include "device/debugline.h"

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

    return ctx.driver().sendGunData(index, repeat, horizontal, vertical);
}

QVariantList GunOperations::GetKeyboardoption()
{
    uchar byte1 = 0, byte2 = 0, byte3 = 0, byte4 = 0;
    ctx.driver().keyboardOption(byte1, byte2, byte3, byte4);
    return {int(byte1), int(byte2), int(byte3), int(byte4)};
}

bool GunOperations::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    return ctx.driver().setKeyboardOption(byte1, byte2, byte3, byte4);
}

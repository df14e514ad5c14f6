#include "operations/profileoperations.h"

#include "operations/operationscontext.h"

#include "device/hid_thread.h"

void ProfileOperations::mouseSetProfile(uint profileNo)
{
    if (!DeviceProfileImages::isValid(profileNo)) {
        hidDebugLine(
            {QStringLiteral("mouseSetProfile refused profile"), QString::number(profileNo)});
        return;
    }
    ctx.sendImage(int(profileNo));
}

void ProfileOperations::mouseReadProfile(uint profileNo)
{
    if (!DeviceProfileImages::isValid(profileNo)) {
        hidDebugLine(
            {QStringLiteral("mouseReadProfile refused profile"), QString::number(profileNo)});
        return;
    }
    if (ctx.hid)
        ctx.hid->hid560_8CH_readProfile(ctx.images.image(int(profileNo)).data(), uchar(profileNo));
}

QVariant ProfileOperations::mouseReadCurrentProfile()
{
    uchar profile = 0;
    if (ctx.hid)
        ctx.hid->hid560_82H_GetCurrentProfile(profile);
    return int(profile);
}

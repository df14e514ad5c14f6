#include "operations/profileoperations.h"

#include "operations/operationscontext.h"

#include "device/hid_thread.h"

bool ProfileOperations::mouseSetProfile(uint profileNo)
{
    if (!DeviceProfileImages::isValid(profileNo)) {
        hidDebugLine(
            {QStringLiteral("mouseSetProfile refused profile"), QString::number(profileNo)});
        return false;
    }
    return ctx.haveImages({int(profileNo)}) && ctx.sendImage(int(profileNo));
}

bool ProfileOperations::mouseReadProfile(uint profileNo)
{
    if (!DeviceProfileImages::isValid(profileNo)) {
        hidDebugLine(
            {QStringLiteral("mouseReadProfile refused profile"), QString::number(profileNo)});
        return false;
    }
    return ctx.readImage(int(profileNo));
}

bool ProfileOperations::readDeviceProfiles(int count)
{
    ctx.images.forgetAll();
    bool allRead = true;
    for (int profileNo = 0; profileNo < count; ++profileNo)
        allRead = mouseReadProfile(uint(profileNo)) && allRead;
    return allRead;
}

QVariant ProfileOperations::mouseReadCurrentProfile()
{
    uchar profile = 0;
    if (ctx.hid)
        ctx.hid->hid560_82H_GetCurrentProfile(profile);
    return int(profile);
}

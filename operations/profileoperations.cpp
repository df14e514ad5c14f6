#include "operations/profileoperations.h"

#include "operations/operationscontext.h"

#include "device/debugline.h"

bool ProfileOperations::mouseSetProfile(uint profileNo)
{
    if (!DeviceProfileImages::isValid(profileNo)) {
        hidDebugLine(
            {QStringLiteral("mouseSetProfile refused profile"), QString::number(profileNo)});
        return false;
    }
    Driver560 &profiles = ctx.profileDriver();
    return profiles.haveImages({int(profileNo)}) && profiles.sendImage(int(profileNo));
}

bool ProfileOperations::mouseReadProfile(uint profileNo)
{
    if (!DeviceProfileImages::isValid(profileNo)) {
        hidDebugLine(
            {QStringLiteral("mouseReadProfile refused profile"), QString::number(profileNo)});
        return false;
    }
    return ctx.profileDriver().readImage(int(profileNo));
}

bool ProfileOperations::readDeviceProfiles(int count)
{
    ctx.images().forgetAll();
    bool allRead = true;
    for (int profileNo = 0; profileNo < count; ++profileNo)
        allRead = mouseReadProfile(uint(profileNo)) && allRead;
    return allRead;
}

QVariant ProfileOperations::mouseReadCurrentProfile()
{
    return ctx.driver().currentProfile();
}

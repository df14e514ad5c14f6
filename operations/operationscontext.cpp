#include "operations/operationscontext.h"

#include "device/hid_thread.h"
#include "settings/settingsstore.h"

Family OperationsContext::family() const
{
    return familyOf(settings.icType());
}

bool OperationsContext::isGun() const
{
    return settings.isGun();
}

bool OperationsContext::isColorful() const
{
    return settings.isColorful();
}

bool OperationsContext::is55328() const
{
    return settings.is55328();
}

void OperationsContext::sendImage(int imageNo)
{
    if (hid)
        hid->hid560_0CH_setProfile(images.image(imageNo).data(), uchar(imageNo));
}

void OperationsContext::sendUserAndGunImages()
{
    sendImage(DeviceProfileImages::userImage);
    if (!isGun())
        return;
    for (int imageNo = DeviceProfileImages::firstGunImage; imageNo < DeviceProfileImages::count;
         ++imageNo)
        sendImage(imageNo);
}

#include "operations/operationscontext.h"

#include "device/hid_thread.h"
#include "settings/settingsstore.h"

#include <utility>

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

QString outcomeName(ActionOutcome outcome)
{
    switch (outcome) {
    case ActionOutcome::Done:
        break;
    case ActionOutcome::NotTaken:
        return QStringLiteral("notTaken");
    case ActionOutcome::NoAnswer:
        return QStringLiteral("noAnswer");
    case ActionOutcome::NotRead:
        return QStringLiteral("notRead");
    }
    return QStringLiteral("done");
}

bool OperationsContext::readImage(int imageNo)
{
    if (!hid || !DeviceProfileImages::isValid(uint(imageNo)))
        return false;
    DeviceProfileImages::Image bytes{};
    if (!hid->hid560_8CH_readProfile(bytes.data(), uchar(imageNo)))
        return false;
    images.setRead(imageNo, bytes);
    return true;
}

bool OperationsContext::refuseUnread(int imageNo)
{
    hidDebugLine({QStringLiteral("profile image not read, not sent"), QString::number(imageNo)});
    imageRefused = true;
    return false;
}

bool OperationsContext::haveImages(const QList<int> &imageNos)
{
    for (int imageNo : imageNos) {
        if (!images.isRead(imageNo) && !readImage(imageNo))
            return refuseUnread(imageNo);
    }
    return true;
}

bool OperationsContext::sendImage(int imageNo)
{
    if (!hid)
        return false;
    if (!images.isRead(imageNo))
        return refuseUnread(imageNo);
    return hid->hid560_0CH_setProfile(images.image(imageNo).data(), uchar(imageNo));
}

QList<int> OperationsContext::userAndGunImages() const
{
    QList<int> imageNos{DeviceProfileImages::userImage};
    if (isGun()) {
        for (int imageNo = DeviceProfileImages::firstGunImage; imageNo < DeviceProfileImages::count;
             ++imageNo)
            imageNos << imageNo;
    }
    return imageNos;
}

bool OperationsContext::sendUserAndGunImages()
{
    bool sent = true;
    for (int imageNo : userAndGunImages())
        sent = sendImage(imageNo) && sent;
    return sent;
}

void OperationsContext::beginAction()
{
    if (actionDepth++ == 0)
        imageRefused = false;
    if (hid)
        hid->beginAction();
}

ActionOutcome OperationsContext::endAction()
{
    const Hid_Thread::ActionOutcome link = hid ? hid->endAction() : Hid_Thread::ActionOutcome::Done;
    if (actionDepth == 0 || --actionDepth > 0)
        return ActionOutcome::Done;
    if (std::exchange(imageRefused, false))
        return ActionOutcome::NotRead;
    switch (link) {
    case Hid_Thread::ActionOutcome::NoAnswer:
        return ActionOutcome::NoAnswer;
    case Hid_Thread::ActionOutcome::Failed:
        return ActionOutcome::NotTaken;
    case Hid_Thread::ActionOutcome::Done:
        break;
    }
    return ActionOutcome::Done;
}

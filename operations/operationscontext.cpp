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

Driver &OperationsContext::driver()
{
    if (!hid)
        return nullDriver;
    if (family() == Family::Second)
        return driver560;
    return driver553;
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

void OperationsContext::beginAction()
{
    if (actionDepth++ == 0)
        driver560.takeRefusal();
    if (hid)
        hid->beginAction();
}

ActionOutcome OperationsContext::endAction()
{
    const Hid_Thread::ActionOutcome link = hid ? hid->endAction() : Hid_Thread::ActionOutcome::Done;
    if (actionDepth == 0 || --actionDepth > 0)
        return ActionOutcome::Done;
    if (driver560.takeRefusal())
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

#include "operations/pointeroperations.h"

#include "operations/pointerarguments.h"

#include "device/debugline.h"
#include "operations/platform/pointersettings.h"

void PointerOperations::mouseSetCursorSpeed(uint cursorSpeed)
{
    if (!pointer || !pointer->setCursorSpeed(PointerArguments::cursorSpeed(cursorSpeed)))
        hidDebugLine({QStringLiteral("setCursorSpeed Failed")});
}

void PointerOperations::mouseSetDoubleClickSpeed(uint speed)
{
    if (!pointer || !pointer->setDoubleClickTime(PointerArguments::doubleClickTime(speed)))
        hidDebugLine({QStringLiteral("setDoubleClickSpeed Failed")});
}

void PointerOperations::mouseSetVerticalScrollLines(uint lines)
{
    if (!pointer || !pointer->setWheelScrollLines(int(lines)))
        hidDebugLine({QStringLiteral("setVerticalScrollLines Failed")});
}

namespace {

QString gapName(PointerGap gap)
{
    switch (gap) {
    case PointerGap::NoGap:
        return {};
    case PointerGap::NoSetting:
        break;
    case PointerGap::NoTool:
        return QStringLiteral("noTool");
    case PointerGap::NoDevice:
        return QStringLiteral("noDevice");
    }
    return QStringLiteral("noSetting");
}

void addSetting(QVariantMap &map, const QString &name, PointerGap gap)
{
    map.insert(name, gap == PointerGap::NoGap);
    map.insert(name + QStringLiteral("Gap"), gapName(gap));
}

} // namespace

QVariantMap PointerOperations::pointerSettingsSupport() const
{
    const PointerSupport support = pointer ? pointer->support() : PointerSupport{};
    QVariantMap map{{QStringLiteral("desktop"), support.desktop}};
    addSetting(map, QStringLiteral("cursorSpeed"), support.cursorSpeed);
    addSetting(map, QStringLiteral("doubleClick"), support.doubleClick);
    addSetting(map, QStringLiteral("wheelLines"), support.wheelLines);
    return map;
}

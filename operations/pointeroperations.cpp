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

#include "pointeroperations.h"

#include "pointerarguments.h"

#include "operations/platform/pointersettings.h"

#include <QDebug>

void PointerOperations::mouseSetCursorSpeed(uint cursorSpeed)
{
    if (!pointer || !pointer->setCursorSpeed(PointerArguments::cursorSpeed(cursorSpeed)))
        qDebug() << "setCursorSpeed Failed";
}

void PointerOperations::mouseSetDoubleClickSpeed(uint speed)
{
    if (!pointer || !pointer->setDoubleClickTime(PointerArguments::doubleClickTime(speed)))
        qDebug() << "setDoubleClickSpeed Failed";
}

void PointerOperations::mouseSetVerticalScrollLines(uint lines)
{
    if (!pointer || !pointer->setWheelScrollLines(int(lines)))
        qDebug() << "setVerticalScrollLines Failed";
}

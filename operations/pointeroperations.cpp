#include "pointeroperations.h"

#include "pointerarguments.h"

#ifdef KAIRO_HAVE_POINTER_SETTINGS
#include "operations/platform/pointersettings.h"
#endif

#include <QDebug>

namespace {

enum class PointerValue { Speed, DoubleClick, WheelLines };

bool apply(PointerSettings *pointer, PointerValue what, int value)
{
#ifdef KAIRO_HAVE_POINTER_SETTINGS
    if (!pointer)
        return false;
    switch (what) {
    case PointerValue::Speed: return pointer->setCursorSpeed(value);
    case PointerValue::DoubleClick: return pointer->setDoubleClickTime(value);
    case PointerValue::WheelLines: return pointer->setWheelScrollLines(value);
    }
#else
    Q_UNUSED(pointer) Q_UNUSED(what) Q_UNUSED(value)
#endif
    return false;
}

} // namespace

void PointerOperations::mouseSetCursorSpeed(uint cursorSpeed)
{
    if (!apply(pointer, PointerValue::Speed, PointerArguments::cursorSpeed(cursorSpeed)))
        qDebug() << "setCursorSpeed Failed";
}

void PointerOperations::mouseSetDoubleClickSpeed(uint speed)
{
    if (!apply(pointer, PointerValue::DoubleClick, PointerArguments::doubleClickTime(speed)))
        qDebug() << "setDoubleClickSpeed Failed";
}

void PointerOperations::mouseSetVerticalScrollLines(uint lines)
{
    if (!apply(pointer, PointerValue::WheelLines, int(lines)))
        qDebug() << "setVerticalScrollLines Failed";
}

#pragma once

#include <QVariantMap>
#include <QtGlobal>

class PointerSettings;

// The system's pointer speed, double-click time and wheel lines, set from
// the system settings page's slider positions. The settings layer is not
// owned; without one every call counts as failed.
class PointerOperations
{
public:
    explicit PointerOperations(PointerSettings *settings = nullptr)
        : pointer(settings)
    {}

    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetDoubleClickSpeed(uint speed);
    void mouseSetVerticalScrollLines(uint lines);
    // What the settings page may offer: {cursorSpeed, doubleClick, wheelLines}
    // as booleans, the same names + "Gap" with why one is false ("noSetting",
    // "noTool", "noDevice"), and "desktop". Without a layer nothing applies.
    QVariantMap pointerSettingsSupport() const;

private:
    PointerSettings *pointer;
};

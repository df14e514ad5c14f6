#pragma once

#include <QString>

// The two firmware families of the mouse; the device table's icType "560"
// names the second one, every other icType the first.
enum class Family { First, Second };

inline Family familyOf(const QString &icType)
{
    return icType == QLatin1String("560") ? Family::Second : Family::First;
}

#include "settings/dpiswitchtexts.h"

QStringList &dpiSwitchTexts()
{
    static QStringList texts(8, QStringLiteral("DPI Switch to"));
    return texts;
}

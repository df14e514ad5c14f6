#include "operations/balloontext.h"

#include "settings/dpiswitchtexts.h"

QString dpiSwitchBalloonText(int stage)
{
    const QStringList &texts = dpiSwitchTexts();
    const int index = (stage >= 1 && stage <= 7) ? stage - 1 : 7;
    const QString text = index < texts.size() ? texts.at(index) : QString();
    return text + QLatin1Char(' ');
}

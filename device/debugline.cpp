#include "device/debugline.h"

#include <QDebug>

Q_LOGGING_CATEGORY(kairoTrace, "kairo", QtInfoMsg)

void hidDebugLine(const QStringList &items)
{
    QString line;
    for (const QString &item : items)
        line += item + QLatin1Char(' ');
    // nospace keeps the trailing blank that ends every item
    qCDebug(kairoTrace).nospace().noquote() << line;
}

#include "device/debugline.h"

#include <QDebug>

void hidDebugLine(const QStringList &items)
{
    QString line;
    for (const QString &item : items)
        line += item + QLatin1Char(' ');
    // nospace keeps the trailing blank that ends every item
    qDebug().nospace().noquote() << line;
}

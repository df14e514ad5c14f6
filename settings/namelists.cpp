#include "settings/namelists.h"

#include <QSettings>

namespace kairo::names {

QStringList withPlaceholder(const QStringList &list)
{
    if (list.size() != 1)
        return list;
    return {list.first(), QString::fromLatin1(placeholder)};
}

QStringList withoutPlaceholder(const QStringList &list)
{
    if (!list.isEmpty() && list.last() == QLatin1String(placeholder))
        return list.mid(0, list.size() - 1);
    return list;
}

QStringList readList(QSettings &settings, const QString &key)
{
    return withoutPlaceholder(settings.value(key).toStringList());
}

void writeList(QSettings &settings, const QString &key, const QStringList &list)
{
    if (list.isEmpty())
        settings.remove(key);
    else
        settings.setValue(key, withPlaceholder(list));
}

bool isPathLike(const QString &name)
{
    return name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
           || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
           || name.contains(QChar(0));
}

bool isMalformed(const QString &name)
{
    return !name.isValidUtf16();
}

bool isUnfitName(const QString &name)
{
    return isPathLike(name) || isMalformed(name);
}

} // namespace kairo::names

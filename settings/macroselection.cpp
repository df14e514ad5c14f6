#include "settings/macroselection.h"

void MacroSelection::clearWalk()
{
    for (QStringList &list : walkMacros)
        list.clear();
    for (QStringList &list : walkFolders)
        list.clear();
    skippedLinks.clear();
}

void MacroSelection::clear()
{
    for (QString &name : names)
        name.clear();
    level.clear();
    batchImportSource.clear();
    batchExportTarget.clear();
    clearWalk();
}

QString MacroSelection::joinedNames(int count) const
{
    QString joined;
    for (int i = 0; i < count && i < int(names.size()); ++i)
        joined += names[i];
    return joined;
}

QString MacroSelection::folderPath(const QString &root, int count) const
{
    QString path = root;
    for (int i = 0; i < count && i < int(names.size()); ++i)
        path += QLatin1Char('/') + names[i];
    return path;
}

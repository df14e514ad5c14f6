#include "settings/macroexchange.h"

#include "settings/dialogtexts.h"
#include "settings/disktexts.h"
#include "settings/macrolibrary.h"
#include "settings/macroselection.h"
#include "settings/namelists.h"
#include "settings/profilefile.h"
#include "settings/settingsdialogs.h"
#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <functional>

namespace {

using kairo::disk::Text;
using kairo::names::isPathLike;

constexpr int deepestLevel = 5;

bool sameDirectory(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

bool isLink(const QFileInfo &entry)
{
    return entry.isSymLink() || entry.isJunction();
}

// One walk over a folder tree: macro files (by extension) at depths 1..5,
// folders at depths 1..4, each reported before its contents. Links, to files
// or folders, are never followed: one could pull any folder of the system or
// any file into the library. They go to skippedLinks, relative to the start.
struct TreeWalk {
    QString extension; // "mc" or "bin"
    std::function<void(int depth, const QString &dir, const QString &macro)> onMacro;
    std::function<bool(int depth, const QString &dir, const QString &folder)> onFolder;
    QStringList *skippedLinks = nullptr;

    void start(const QString &dir) const { walk(dir, QString(), 1); }

private:
    void walk(const QString &dir, const QString &relative, int depth) const
    {
        const QDir listing(dir);
        const QFileInfoList files =
            listing.entryInfoList({QStringLiteral("*.") + extension}, QDir::Files);
        for (const QFileInfo &file : files) {
            if (isLink(file))
                skip(relative + file.fileName());
            else
                onMacro(depth, dir, file.fileName());
        }
        if (depth >= deepestLevel)
            return;
        const QFileInfoList folders = listing.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QFileInfo &entry : folders) {
            const QString folder = entry.fileName();
            if (isLink(entry))
                skip(relative + folder);
            else if (onFolder(depth, dir, folder))
                walk(dir + QDir::separator() + folder, relative + folder + QLatin1Char('/'),
                     depth + 1);
        }
    }

    void skip(const QString &relativePath) const
    {
        if (skippedLinks)
            skippedLinks->append(relativePath);
    }
};

// The exchange file of macro `name`, given the file that was picked or found
// for it in dir. The "*.mc" filter ignores case, so that file may be spelled
// "N.MC"; on a file system that tells case apart the copy must take its
// spelling. A file whose name holds more dots still stands for "name.mc".
QString exchangeFile(const QString &dir, const QString &name, const QString &foundFile)
{
    const QString wanted = name + QStringLiteral(".mc");
    const QString file = foundFile.compare(wanted, Qt::CaseInsensitive) == 0 ? foundFile : wanted;
    return dir + QLatin1Char('/') + file;
}

} // namespace

MacroExchange::MacroExchange(SettingsStore &store, MacroSelection &selection)
    : store(store)
    , selection(selection)
{}

QString MacroExchange::loadMacroFile(int macroLevel, int selectType)
{
    SettingsDialogs *dialogs = store.dialogs();
    if (!dialogs)
        return {};
    const QString chosen =
        dialogs->openFileName(kairo::files::caption(store, kairo::files::Caption::OpenFile),
                              kairo::files::caption(store, kairo::files::Caption::MacroFilter));
    if (chosen.isEmpty())
        return {};
    const QFileInfo chosenInfo(chosen);
    const QString name = chosenInfo.baseName();
    if (isPathLike(name)) {
        kairo::disk::warn(store, Text::NotImportedTitle, Text::UnfitName, name);
        return {};
    }

    // Level -1 (or nothing selected) is the root; level k puts the file into
    // the selected folder at depth k, i.e. below s1..s(k+1).
    const int depth = selectType == 0 ? 0 : macroLevel + 1;
    if (depth < 0 || depth > deepestLevel)
        return {};
    MacroLibrary library(store, selection);
    const QString destination = library.macroPath(depth, name);
    if (destination.isEmpty()) {
        kairo::disk::warn(store, Text::NotImportedTitle, Text::UnfitName, name);
        return {};
    }
    const QString source = exchangeFile(chosenInfo.absolutePath(), name, chosenInfo.fileName());
    return imported(source, destination) ? name : QString();
}

// The library keeps an existing macro of that name: the import then only
// lists it.
bool MacroExchange::imported(const QString &source, const QString &destination)
{
    switch (kairo::files::copyIfAbsent(source, destination)) {
    case kairo::files::CopyResult::Copied:
    case kairo::files::CopyResult::Exists:
        return true;
    case kairo::files::CopyResult::NotAFile:
        kairo::disk::warn(store, Text::NotImportedTitle, Text::NotAFile, source);
        return false;
    case kairo::files::CopyResult::Failed:
        break;
    }
    kairo::disk::warn(store, Text::NotImportedTitle, Text::NotImported, source);
    return false;
}

void MacroExchange::exportCopy(const QString &source, const QString &destination)
{
    if (!kairo::files::replaceWithCopy(source, destination))
        store.warnNotSaved(destination);
}

void MacroExchange::saveMacroFile(int macroLevel, const QString &macroName)
{
    SettingsDialogs *dialogs = store.dialogs();
    if (!dialogs)
        return;
    const QString chosen =
        dialogs->saveFileName(kairo::files::caption(store, kairo::files::Caption::SaveFile),
                              kairo::files::caption(store, kairo::files::Caption::MacroFilter));
    if (chosen.isEmpty())
        return;
    const QString source = MacroLibrary(store, selection).macroPath(macroLevel, macroName);
    if (!source.isEmpty())
        exportCopy(source, chosen);
}

void MacroExchange::getbatchPath()
{
    SettingsDialogs *dialogs = store.dialogs();
    const QString chosen = dialogs ? dialogs->existingDirectory(
                               kairo::files::caption(store, kairo::files::Caption::SaveFile))
                                   : QString();
    // A cancelled choice clears the target, so the export steps that follow
    // cannot write into a folder chosen earlier.
    selection.batchExportTarget = chosen;
    if (chosen.isEmpty())
        return;
    const QString target = chosen + QStringLiteral("/Macro");
    QDir().mkdir(target);
    selection.batchExportTarget = target;
}

void MacroExchange::saveMacroFile_batch(int macroLevel, const QVariantList &macroFileName,
                                        const QVariantList &macroFileType)
{
    if (selection.batchExportTarget.isEmpty() || macroLevel < 0 || macroLevel > deepestLevel)
        return;
    for (int i = 0; i < macroLevel; ++i) {
        if (isPathLike(selection.names[i]))
            return;
    }
    const MacroLibrary library(store, selection);
    const QString counterpart = selection.folderPath(selection.batchExportTarget, macroLevel);
    const int count = std::min(macroFileName.size(), macroFileType.size());
    for (int i = 0; i < count; ++i) {
        const QString name = macroFileName[i].toString();
        if (isPathLike(name))
            continue;
        const int type = macroFileType[i].toInt();
        if (type == 0) {
            const QString source = library.macroPath(macroLevel, name);
            exportCopy(source, counterpart + QLatin1Char('/') + name + QStringLiteral(".mc"));
        } else if (type == 1) {
            QDir().mkdir(counterpart + QLatin1Char('/') + name);
        }
    }
}

QString MacroExchange::loadMacroFile_batch()
{
    selection.batchImportSource.clear();
    SettingsDialogs *dialogs = store.dialogs();
    if (!dialogs)
        return {};
    const QString chosen = dialogs->existingDirectory(
        kairo::files::caption(store, kairo::files::Caption::OpenDirectory));
    const QString folder = QFileInfo(chosen).baseName();
    const bool isDesktop =
        folder == QLatin1String("Desktop") || sameDirectory(chosen, dialogs->desktopDirectory());
    if (chosen.isEmpty() || isDesktop || isPathLike(folder))
        return {};
    selection.batchImportSource = chosen;
    QDir().mkdir(store.macroDir() + QLatin1Char('/') + folder);
    return folder;
}

void MacroExchange::loadMacroFile_sub_batch()
{
    const QString source = selection.batchImportSource;
    if (source.isEmpty())
        return;
    selection.clearWalk();
    const QString top = QFileInfo(source).baseName();
    if (isPathLike(top))
        return;

    // Library folder of each source folder met so far.
    QHash<QString, QString> libraryOf;
    libraryOf.insert(source, store.macroDir() + QLatin1Char('/') + top);
    TreeWalk walk;
    walk.extension = QStringLiteral("mc");
    walk.skippedLinks = &selection.skippedLinks;
    walk.onMacro = [&](int depth, const QString &dir, const QString &file) {
        const QString name = QFileInfo(file).baseName();
        if (isPathLike(name))
            return;
        // Only a macro the library now holds is listed.
        if (imported(exchangeFile(dir, name, file),
                     libraryOf.value(dir) + QLatin1Char('/') + name + QStringLiteral(".bin")))
            selection.walkMacros[depth - 1].append(name);
    };
    walk.onFolder = [&](int depth, const QString &dir, const QString &folder) {
        if (isPathLike(folder))
            return false;
        selection.walkFolders[depth - 1].append(folder);
        const QString library = libraryOf.value(dir) + QLatin1Char('/') + folder;
        QDir().mkdir(library);
        libraryOf.insert(dir + QDir::separator() + folder, library);
        return true;
    };
    walk.start(source);
}

QStringList MacroExchange::getMacroFileName_batch(int macroLevel, int macroType)
{
    if (macroLevel < 1 || macroLevel > deepestLevel)
        return {};
    if (macroType == 0)
        return selection.walkMacros[macroLevel - 1];
    if (macroLevel > int(selection.walkFolders.size()))
        return {};
    return selection.walkFolders[macroLevel - 1];
}

QStringList MacroExchange::skippedLinks() const
{
    return selection.skippedLinks;
}

void MacroExchange::searchMacroFile_sub_batch(const QString &currentName, int currentLevel,
                                              int deleteLevel)
{
    if (currentLevel < 0 || currentLevel > 4)
        return;
    MacroLibrary library(store, selection);
    const QString start = library.folderPath(currentLevel, currentName);
    if (start.isEmpty())
        return;
    selection.clearWalk();
    // The start folder's group carries its ancestors' names like any other.
    const QString startGroup = selection.joinedNames(currentLevel) + currentName;

    QStringList doomedGroups;
    if (deleteLevel <= 0)
        doomedGroups.append(startGroup);
    QHash<QString, QString> groupOf;
    groupOf.insert(start, startGroup);
    TreeWalk walk;
    walk.extension = QStringLiteral("bin");
    walk.skippedLinks = &selection.skippedLinks;
    walk.onMacro = [&](int depth, const QString &, const QString &file) {
        selection.walkMacros[depth - 1].append(QFileInfo(file).completeBaseName());
    };
    walk.onFolder = [&](int depth, const QString &dir, const QString &folder) {
        selection.walkFolders[depth - 1].append(folder);
        const QString group = groupOf.value(dir) + folder;
        groupOf.insert(dir + QDir::separator() + folder, group);
        if (depth >= deleteLevel)
            doomedGroups.append(group);
        return true;
    };
    walk.start(start);
    const SettingsStore::Batch batch(store);
    for (const QString &group : doomedGroups)
        library.removeGroup(group);
}

#include "settings/macrolibrary.h"

#include "settings/dialogtexts.h"
#include "settings/disktexts.h"
#include "settings/durableini.h"
#include "settings/macroselection.h"
#include "settings/namelists.h"
#include "settings/settingsdialogs.h"
#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <climits>

namespace {

using kairo::names::isMalformed;
using kairo::names::isUnfitName;

// A name longer than a file name may be (with the ".bin" of a macro file)
// would stay in the lists with no file behind it.
bool fitsFileName(const QString &name)
{
    constexpr qsizetype longestFileName = NAME_MAX;
    return QFile::encodeName(name + QStringLiteral(".bin")).size() <= longestFileName;
}

// The ten lists of one container, in the order the pages pass them.
const QStringList &containerKeys()
{
    static const QStringList keys = {QStringLiteral("macroName"), QStringLiteral("macroType"),
                                     QStringLiteral("showImg"),   QStringLiteral("txtMargin"),
                                     QStringLiteral("level"),     QStringLiteral("no0"),
                                     QStringLiteral("no1"),       QStringLiteral("no2"),
                                     QStringLiteral("no3"),       QStringLiteral("no4")};
    return keys;
}

QString groupKey(const QString &group, const QString &attribute)
{
    return group.isEmpty() ? attribute : group + QLatin1Char('/') + attribute;
}

QString nameListKey(int type)
{
    switch (type) {
    case 0:
        return QStringLiteral("macro/macroName");
    case 1:
        return QStringLiteral("gun/gunName");
    case 2:
        return QStringLiteral("profile/profileName");
    case 3:
        return QStringLiteral("gun/selectGun");
    default:
        return {};
    }
}

// An escape in the file can stand for half a surrogate pair, which has no
// UTF-8 spelling: a save would write it as U+FFFD or drop it. It reads as
// U+FFFD, so the editor shows what a save keeps.
QString wellFormed(QString text)
{
    if (text.isValidUtf16())
        return text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

// A macro line holding a comma that was written without quotes reads back as
// a list; it is still one line.
QString lineText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return wellFormed(value.toStringList().join(QLatin1Char(',')));
    return wellFormed(value.toString());
}

} // namespace

MacroLibrary::MacroLibrary(SettingsStore &store, MacroSelection &selection)
    : store(store)
    , selection(selection)
{}

void MacroLibrary::setMacroSelectName(const QVariant &name1, const QVariant &name2,
                                      const QVariant &name3, const QVariant &name4,
                                      const QVariant &name5)
{
    const QVariant *names[] = {&name1, &name2, &name3, &name4, &name5};
    for (int i = 0; i < 5; ++i)
        selection.names[i] = names[i]->toString();
}

void MacroLibrary::setMacroLevel(const QVariant &level)
{
    selection.level = level.toString();
}

QString MacroLibrary::macroPath(int macroLevel, const QString &name) const
{
    const QString folder = folderPath(macroLevel, name);
    return folder.isEmpty() ? QString() : folder + QStringLiteral(".bin");
}

QString MacroLibrary::folderPath(int macroLevel, const QString &name) const
{
    if (macroLevel < 0 || macroLevel > 5 || isUnfitName(name) || !fitsFileName(name))
        return {};
    for (int i = 0; i < macroLevel; ++i) {
        if (isUnfitName(selection.names[i]))
            return {};
    }
    return selection.folderPath(store.macroDir(), macroLevel) + QLatin1Char('/') + name;
}

QString MacroLibrary::groupAtLevel(int level, const QString &name) const
{
    if (level < 1 || level > 5)
        return {};
    return selection.joinedNames(level - 1) + name;
}

QVariantList MacroLibrary::getNameList(int type)
{
    const QString key = nameListKey(type);
    if (key.isEmpty())
        return {};
    QSettings &names = store.nameList();
    QVariantList result;
    for (const QString &name : names.value(key).toStringList())
        result.append(name);
    return result;
}

QVariant MacroLibrary::updataNameList(int type, const QStringList &nameList)
{
    const QString key = nameListKey(type);
    if (!key.isEmpty()) {
        QSettings &names = store.nameList();
        kairo::names::writeList(names, key, nameList);
        return store.nameListEdited();
    }
    return true;
}

QVariant MacroLibrary::getMacroList_Att(int att)
{
    // Root attributes in the order of att; the names have their own slot.
    static const int rootOrder[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    if (att < 0 || att > 8)
        return QStringList();
    QSettings &names = store.nameList();
    return names.value(groupKey(QStringLiteral("macro"), containerKeys()[rootOrder[att]]))
        .toStringList();
}

QVariant MacroLibrary::getMacroSubList_Att(int att, const QString &name)
{
    // 0..3: type, image, margin, level; 4: names; 5..9: ancestor indices.
    static const int subOrder[] = {1, 2, 3, 4, 0, 5, 6, 7, 8, 9};
    if (att < 0 || att > 9)
        return QStringList();
    const QString group = groupAtLevel(selection.level.toInt(), name);
    QSettings &names = store.nameList();
    return names.value(groupKey(group, containerKeys()[subOrder[att]])).toStringList();
}

void MacroLibrary::removeGroup(const QString &group)
{
    QSettings &names = store.nameList();
    for (const QString &attribute : containerKeys())
        names.remove(groupKey(group, attribute));
    store.nameListEdited();
}

void MacroLibrary::updataMacroList_delOld(const QString &macroLevel)
{
    removeGroup(macroLevel);
}

QVariant MacroLibrary::updataMacroList(int att, int macroLevel, const QString &currentName,
                                       const QStringList &nameList, const QStringList &typeList,
                                       const QStringList &showImg, const QStringList &txtMargin,
                                       const QStringList &level, const QStringList &no0,
                                       const QStringList &no1, const QStringList &no2,
                                       const QStringList &no3, const QStringList &no4)
{
    // The names become group names and list entries, which a malformed name
    // would share with another spelling.
    if (isMalformed(currentName) || std::any_of(nameList.begin(), nameList.end(), isMalformed))
        return false;
    // The stale group goes and the new one comes in one write of name.bin.
    const SettingsStore::Batch batch(store);
    const QStringList *lists[] = {&nameList, &typeList, &showImg, &txtMargin, &level,
                                  &no0,      &no1,      &no2,     &no3,       &no4};
    auto writeContainer = [&](const QString &group) {
        QSettings &names = store.nameList();
        for (int i = 0; i < 10; ++i)
            kairo::names::writeList(names, groupKey(group, containerKeys()[i]), *lists[i]);
        store.nameListEdited();
    };
    auto containerGroup = [&](int level) {
        return level == 0 ? QStringLiteral("macro") : selection.joinedNames(level);
    };

    switch (att) {
    case 0:
        if (macroLevel >= 0 && macroLevel <= 5) {
            const QString stale = groupAtLevel(macroLevel, currentName);
            if (!stale.isEmpty())
                removeGroup(stale);
            writeContainer(containerGroup(macroLevel));
        }
        break;
    case 1:
        if (macroLevel >= 0 && macroLevel <= 5)
            writeContainer(containerGroup(macroLevel));
        break;
    case 2:
        if (macroLevel >= 0 && macroLevel <= 4) {
            removeGroup(selection.joinedNames(macroLevel + 1));
            writeContainer(selection.joinedNames(macroLevel) + currentName);
        }
        break;
    default:
        break;
    }
    return true;
}

bool MacroLibrary::committed(DurableIni &file)
{
    if (file.commit())
        return true;
    store.warnNotSaved(file.path(), file.readHasFailed());
    return false;
}

bool MacroLibrary::refuseName(const QString &name)
{
    kairo::disk::warn(store, kairo::disk::Text::NotSavedTitle, kairo::disk::Text::UnfitName, name);
    return false;
}

QVariant MacroLibrary::createMacroIni(const QString &name, const QVariant &macroIndex,
                                      int macroLevel, int macroType)
{
    if (macroType == 0) {
        const QString path = macroPath(macroLevel, name);
        if (path.isEmpty())
            return refuseName(name);
        DurableIni file(path);
        QSettings &macro = file.settings();
        macro.setValue(QStringLiteral("config/index"), macroIndex.toUInt());
        macro.setValue(QStringLiteral("config/total"), 0);
        macro.setValue(QStringLiteral("config/repeat"), 1);
        macro.setValue(QStringLiteral("config/did"), -1);
        return committed(file);
    }
    const QString path = folderPath(macroLevel, name);
    if (path.isEmpty())
        return refuseName(name);
    if (QFileInfo(path).isDir()) {
        if (store.dialogs())
            store.dialogs()->warning(
                kairo::files::caption(store, kairo::files::Caption::CreateFolder),
                kairo::files::caption(store, kairo::files::Caption::DuplicateName));
        return true;
    }
    if (QDir().mkdir(path))
        return true;
    store.warnNotSaved(path);
    return false;
}

QVariant MacroLibrary::saveMacroIni(int macroLevel, const QString &name, const QStringList &macros,
                                    const QVariant &repeat)
{
    const QString path = macroPath(macroLevel, name);
    if (path.isEmpty())
        return refuseName(name);
    if (macros.size() > maxMacroLines) {
        kairo::disk::warn(store, kairo::disk::Text::NotSavedTitle,
                          kairo::disk::Text::TooManyActions, QString::number(maxMacroLines));
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        store.warnNotSaved(path);
        return false;
    }
    DurableIni file(path);
    QSettings &macro = file.settings();
    macro.remove(QStringLiteral("macro"));
    macro.setValue(QStringLiteral("config/total"), int(macros.size()));
    macro.setValue(QStringLiteral("config/repeat"), repeat);
    for (int i = 0; i < macros.size(); ++i)
        macro.setValue(QStringLiteral("macro/%1").arg(i), macros[i]);
    return committed(file);
}

QStringList MacroLibrary::loadMacroIni(int macroLevel, const QString &name)
{
    const QString path = macroPath(macroLevel, name);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QSettings macro(path, QSettings::IniFormat);
    QStringList lines;
    const int total = qMin(macro.value(QStringLiteral("config/total"), 0).toInt(), maxMacroLines);
    for (int i = 0; i < total; ++i)
        lines.append(lineText(macro.value(QStringLiteral("macro/%1").arg(i), QStringLiteral("0"))));
    lines.append(wellFormed(macro.value(QStringLiteral("config/repeat"), 0).toString()));
    return lines;
}

QVariant MacroLibrary::deleteMacroIni(int macroLevel, int macroType, const QString &name)
{
    if (macroType == 0) {
        const QString path = macroPath(macroLevel, name);
        if (path.isEmpty() || !QFileInfo(path).isFile())
            return false;
        return QFile::remove(path);
    }
    const QString path = folderPath(macroLevel, name);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).isDir())
        QDir(path).removeRecursively(); // symbolic links are removed, never followed
    return true;
}

QVariant MacroLibrary::modifyMacroNameUpdateProfile(int macroLevel, int macroType,
                                                    const QString &oldname, const QString &newname)
{
    const bool isMacro = macroType == 0;
    const QString from = isMacro ? macroPath(macroLevel, oldname) : folderPath(macroLevel, oldname);
    const QString to = isMacro ? macroPath(macroLevel, newname) : folderPath(macroLevel, newname);
    if (from.isEmpty() || to.isEmpty() || QFileInfo::exists(to))
        return false;
    if (isMacro)
        return QFileInfo(from).isFile() && QFile::rename(from, to);
    return QFileInfo(from).isDir() && QDir().rename(from, to);
}

void MacroLibrary::deleteMacroUpdateProfile(const QString &macroName)
{
    for (int p = 0; p < 6; ++p) {
        QSettings &profile = store.profile(p);
        for (int b = 0; b < 16; ++b) {
            const QString key = QStringLiteral("mouseKeyMatrix/%1").arg(b);
            const QStringList entry = profile.value(key).toStringList();
            if (entry.size() < 3 || entry[0].toInt() != 4)
                continue;
            const QString bound =
                profile.value(QStringLiteral("mouseMacroKey/") + entry[2]).toString();
            if (bound != macroName)
                continue;
            const QVariant factory = store.factoryProfile().value(key);
            if (factory.isValid())
                profile.setValue(key, factory);
            else
                profile.remove(key);
        }
    }
    // One replace of each profile that changed.
    store.saveChanges();
}

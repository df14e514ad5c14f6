#pragma once

// The macro library: one INI file per macro in a folder tree below
// <modules>/macro/, and the name list file name.bin that keeps the order and
// display attributes of every tree entry plus the gun and profile names.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class SettingsStore;
struct MacroSelection;
class QSettings;
class DurableIni;

class MacroLibrary
{
public:
    // The mouse plays a macro from a 126-byte block, two bytes or more per
    // action; a file counting more lines than this is damaged, and the lines
    // past the bound are read as its end. A save of more is refused.
    static constexpr int maxMacroLines = 4096;

    MacroLibrary(SettingsStore &store, MacroSelection &selection);

    void setMacroSelectName(const QVariant &name1, const QVariant &name2, const QVariant &name3,
                            const QVariant &name4, const QVariant &name5);
    void setMacroLevel(const QVariant &level);

    QVariantList getNameList(int type);
    QVariant updataNameList(int type, const QStringList &nameList);
    QVariant getMacroList_Att(int att);
    QVariant getMacroSubList_Att(int att, const QString &name);
    QVariant updataMacroList(int att, int macroLevel, const QString &currentName,
                             const QStringList &nameList, const QStringList &typeList,
                             const QStringList &showImg, const QStringList &txtMargin,
                             const QStringList &level, const QStringList &no0,
                             const QStringList &no1, const QStringList &no2, const QStringList &no3,
                             const QStringList &no4);
    void updataMacroList_delOld(const QString &macroLevel);

    QVariant createMacroIni(const QString &name, const QVariant &macroIndex, int macroLevel,
                            int macroType);
    QVariant saveMacroIni(int macroLevel, const QString &name, const QStringList &macros,
                          const QVariant &repeat);
    QStringList loadMacroIni(int macroLevel, const QString &name);
    QVariant deleteMacroIni(int macroLevel, int macroType, const QString &name);
    QVariant modifyMacroNameUpdateProfile(int macroLevel, int macroType, const QString &oldname,
                                          const QString &newname);
    void deleteMacroUpdateProfile(const QString &macroName);

    // Library paths of an entry at a level (0..5); empty for any other level
    // or a path-like name.
    QString macroPath(int macroLevel, const QString &name) const;
    QString folderPath(int macroLevel, const QString &name) const;
    // The group name of folder `name` at level L (1..5): s1..s(L-1) + name.
    QString groupAtLevel(int level, const QString &name) const;
    // Removes the ten lists of group G from name.bin.
    void removeGroup(const QString &group);

private:
    // Commits file, telling the user when it could not be written.
    bool committed(DurableIni &file);
    // Tells the user that name cannot become a file; false.
    bool refuseName(const QString &name);

    SettingsStore &store;
    MacroSelection &selection;
};

#pragma once

// Taking macros out of and into the library as .mc files, one at a time or
// as whole folder trees, and the tree walk that clears stale name groups.

#include <QString>
#include <QStringList>
#include <QVariantList>

class SettingsStore;
class MacroLibrary;
struct MacroSelection;

class MacroExchange
{
public:
    MacroExchange(SettingsStore &store, MacroSelection &selection);

    QString loadMacroFile(int macroLevel, int selectType);
    void saveMacroFile(int macroLevel, const QString &macroName);
    QString loadMacroFile_batch();
    void loadMacroFile_sub_batch();
    QStringList getMacroFileName_batch(int macroLevel, int macroType);
    // Links the last walk left alone (files and folders), named relative to
    // the folder it started from; a walk never follows a link.
    QStringList skippedLinks() const;
    void getbatchPath();
    void saveMacroFile_batch(int macroLevel, const QVariantList &macroFileName,
                             const QVariantList &macroFileType);
    void searchMacroFile_sub_batch(const QString &currentName, int currentLevel, int deleteLevel);

private:
    // Copies an import into the library, telling the user when it failed.
    bool imported(const QString &source, const QString &destination);
    void exportCopy(const QString &source, const QString &destination);

    SettingsStore &store;
    MacroSelection &selection;
};

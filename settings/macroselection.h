#pragma once

#include <QString>
#include <QStringList>
#include <array>

// Where the macro pages currently are in the library tree, and what the last
// tree walk found. The library and the exchange of one window share one.
struct MacroSelection {
    std::array<QString, 5> names;           // selected folder names s1 .. s5
    QString level;                          // current level, as text
    QString batchImportSource;              // directory chosen for a batch import
    QString batchExportTarget;              // directory chosen for a batch export
    std::array<QStringList, 5> walkMacros;  // macro files at depth 1 .. 5
    std::array<QStringList, 4> walkFolders; // folders at depth 1 .. 4
    QStringList skippedLinks;               // links met by the walk, relative to its start

    void clearWalk();
    void clear();
    // s1 + .. + sCount, without separator (the name-list group naming rule).
    QString joinedNames(int count) const;
    // s1/../sCount below root.
    QString folderPath(const QString &root, int count) const;
};

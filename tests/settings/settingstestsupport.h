#pragma once

// Shared by the settings tests: a scratch modules folder and dialogs that
// answer from a script instead of a window.

#include "settings/settingsdialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

class ScriptedDialogs : public SettingsDialogs
{
public:
    QStringList answers;  // taken in order; none left = cancel
    QStringList captions; // every caption asked, in order
    QStringList filters;
    QStringList warnings; // "title|text"
    QString desktop;

    QString openFileName(const QString &caption, const QString &filter) override
    {
        return answer(caption, filter);
    }
    QString saveFileName(const QString &caption, const QString &filter) override
    {
        return answer(caption, filter);
    }
    QString existingDirectory(const QString &caption) override
    {
        return answer(caption, QString());
    }
    void warning(const QString &title, const QString &text) override
    {
        warnings.append(title + QLatin1Char('|') + text);
    }
    QString desktopDirectory() const override { return desktop; }

private:
    QString answer(const QString &caption, const QString &filter)
    {
        captions.append(caption);
        filters.append(filter);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

namespace testing {

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// An empty modules tree: setting/, macro/, gun/ and i18n/ exist, no files.
inline QString makeModules(const QTemporaryDir &dir)
{
    const QString root = dir.path() + QStringLiteral("/modules");
    for (const char *sub : {"setting", "macro", "gun", "i18n"})
        QDir().mkpath(root + QLatin1Char('/') + QLatin1String(sub));
    return root;
}

// Empties the scratch folder left by the previous test function and lays out
// a fresh, empty modules tree in it.
inline QString freshModules(const QTemporaryDir &dir)
{
    QDir(dir.path()).removeRecursively();
    QDir().mkpath(dir.path());
    return makeModules(dir);
}

// Copies a folder tree (files and folders only).
inline bool copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QFileInfo &entry :
         source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            if (!copyTree(entry.filePath(), target))
                return false;
        } else if (!QFile::copy(entry.filePath(), target)) {
            return false;
        }
    }
    return true;
}

} // namespace testing

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// HID keyboard usage codes and the names the user interface shows for them.
// The codes are fixed; the names can be replaced as a whole by a language's
// "keyCode" list. Mouse buttons share the table as codes 0xF0 to 0xF4.
class KeyNameTable
{
public:
    static constexpr int size = 133;

    static const QList<int> &keyCode();
    static const QStringList &defaultKeyCodeStr();

    // The table the program uses; its names start as the defaults.
    static KeyNameTable &instance();

    KeyNameTable();

    const QStringList &keyCodeStr() const { return names; }
    void setKeyCodeStr(const QStringList &replacement) { names = replacement; }
    void restoreDefaultNames() { names = defaultKeyCodeStr(); }

    // The first entry with that name gives the code; no match gives 0.
    int codeOfName(const QString &name) const;
    // The first entry with that code gives the name; no match gives "".
    QString nameOfCode(int code) const;

private:
    QStringList names;
};

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// HID keyboard usage codes and the names the user interface shows for them.
// The codes are fixed; the names can be replaced as a whole by a language's
// "keyCode" list, one name per code in the codes' order. Mouse buttons share
// the table as codes 0xF0 to 0xF4.
namespace KeyNameTable {

constexpr int size = 133;

const QList<int> &keyCode();
const QStringList &defaultKeyCodeStr();

// In a list of names: the first entry with that name gives the code, no
// match gives 0. A list shorter than the table names only the codes it reaches.
int codeOfName(const QStringList &names, const QString &name);
// The first entry with that code gives the name; no match gives "".
QString nameOfCode(const QStringList &names, int code);

} // namespace KeyNameTable

#include "operations/keynametable.h"

namespace {

void appendRange(QList<int> &codes, int first, int last)
{
    for (int code = first; code <= last; ++code)
        codes.append(code);
}

QList<int> buildCodes()
{
    QList<int> codes;
    appendRange(codes, 0x04, 0x73);
    codes.append(0x85);
    appendRange(codes, 0x87, 0x8B);
    appendRange(codes, 0x90, 0x91);
    appendRange(codes, 0xE0, 0xE7);
    appendRange(codes, 0xF0, 0xF4);
    return codes;
}

QStringList buildNames()
{
    QStringList names;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        names << QString(QChar(letter));
    for (int digit = 1; digit <= 9; ++digit)
        names << QString::number(digit);
    names << "0";
    names << "Enter"
          << "Esc"
          << "Back"
          << "Tab"
          << "Space";
    // Both the US and the non-US backslash key show a single backslash, so
    // the name maps back to the first of them.
    names << "-"
          << "="
          << "["
          << "]"
          << "\\"
          << "\\"
          << ";"
          << "'"
          << "`"
          << ","
          << "."
          << "/";
    names << "Caps";
    for (int f = 1; f <= 12; ++f)
        names << QString("F%1").arg(f);
    names << "Prt"
          << "Scr"
          << "Pau"
          << "Ins"
          << "Hom"
          << "Pgu"
          << "Del"
          << "End"
          << "PgD";
    // Right, left, down and up arrow.
    names << QString(QChar(0x25BA)) << QString(QChar(0x25C4)) << QString(QChar(0x25BC))
          << QString(QChar(0x25B2));
    names << "Num";
    names << "KP/"
          << "KP*"
          << "KP-"
          << "KP+"
          << "KPEnter";
    for (int digit = 1; digit <= 9; ++digit)
        names << QString("KP%1").arg(digit);
    names << "KP0"
          << "KP.";
    names << "Eur2"
          << "App"
          << "Power"
          << "KP=";
    for (int f = 13; f <= 24; ++f)
        names << QString("F%1").arg(f);
    names << "Keypad";
    for (int intl = 1; intl <= 5; ++intl)
        names << QString("Intl%1").arg(intl);
    names << "Lang1"
          << "Lang2";
    names << "LCtrl"
          << "LShift"
          << "LAlt"
          << "LWin"
          << "RCtrl"
          << "RShift"
          << "RAlt"
          << "RWin";
    names << "MS-L"
          << "MS-R"
          << "MS-M"
          << "MS-B4"
          << "MS-B5";
    return names;
}

} // namespace

const QList<int> &KeyNameTable::keyCode()
{
    static const QList<int> codes = buildCodes();
    return codes;
}

const QStringList &KeyNameTable::defaultKeyCodeStr()
{
    static const QStringList names = buildNames();
    return names;
}

int KeyNameTable::codeOfName(const QStringList &names, const QString &name)
{
    const QList<int> &codes = keyCode();
    // A replacement list may be shorter than the table; entries without a
    // name simply never match.
    const qsizetype count = qMin(codes.size(), names.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (names.at(i) == name)
            return codes.at(i);
    }
    return 0;
}

QString KeyNameTable::nameOfCode(const QStringList &names, int code)
{
    const qsizetype index = keyCode().indexOf(code);
    if (index < 0 || index >= names.size())
        return QString();
    return names.at(index);
}

#include "modules/qml/logic/macrologic.h"

#include "operations/buttonfunctions.h"
#include "operations/keynametable.h"
#include "operations/keyrecords.h"
#include "operations/macroencoding.h"

#include <algorithm>
#include <array>

namespace {

using ButtonFunctions::Code;

// The scene's own names: a language may rename the keys here without
// touching the table the device operations use.
QStringList &names()
{
    static QStringList list = KeyNameTable::defaultKeyCodeStr();
    return list;
}

QVariantList toList(const Code &code)
{
    return {code[0], code[1], code[2], code[3]};
}

// Numbers that do not convert, or are missing, count as 0 so that a short or
// damaged code from a profile still compares and displays.
Code toCode(const QVariantList &list)
{
    Code code{0, 0, 0, 0};
    for (int i = 0; i < 4 && i < list.size(); ++i)
        code[i] = list.at(i).toInt();
    return code;
}

} // namespace

void MacroLogic::setKeyNames(const QStringList &replacement)
{
    if (replacement.size() == KeyNameTable::size)
        names() = replacement;
}

QString MacroLogic::keyName(int usage)
{
    return KeyNameTable::nameOfCode(names(), usage);
}

int MacroLogic::keyCode(const QString &name)
{
    return KeyNameTable::codeOfName(names(), name);
}

bool MacroLogic::isModifier(int usage)
{
    return usage >= 0xE0 && usage <= 0xE7;
}

QString MacroLogic::delayLine(int milliseconds)
{
    return MacroEncoding::delayLine(milliseconds);
}

QString MacroLogic::pressLine(int usage, bool isDown)
{
    return MacroEncoding::pressLine(usage, isDown, keyName(usage));
}

int MacroLogic::lineType(const QString &line)
{
    return MacroEncoding::lineType(line);
}

QString MacroLogic::lineInfo(const QString &line)
{
    return MacroEncoding::lineInfo(line);
}

QString MacroLogic::lineText(const QString &line)
{
    const int type = lineType(line);
    const QString info = lineInfo(line);
    if (type == 0)
        return info + QStringLiteral(" ms");
    if (type == 1 || type == 3)
        return QStringLiteral("↓ ") + info;
    if (type == 2 || type == 4)
        return QStringLiteral("↑ ") + info;
    return {};
}

QVariantList MacroLogic::encodeMacro(const QStringList &lines, int repeat)
{
    return MacroEncoding::encode(lines, repeat, &MacroLogic::keyCode);
}

int MacroLogic::encodedLength(const QStringList &lines)
{
    return MacroEncoding::encodedLength(lines);
}

bool MacroLogic::canAddAction(const QStringList &lines)
{
    return MacroEncoding::canAddAction(lines);
}

QString MacroLogic::codeToHex(const QVariantList &code)
{
    const Code c = toCode(code);
    QString hex;
    for (int value : c)
        hex += QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0'));
    return hex;
}

QVariantList MacroLogic::hexToCode(const QString &hex)
{
    // Strict: eight hex digits and nothing else, so that a stray sign, space
    // or "0x" never passes for a code.
    if (hex.size() != 8 || !std::all_of(hex.begin(), hex.end(), [](QChar ch) {
            return (ch >= u'0' && ch <= u'9') || (ch.toLower() >= u'a' && ch.toLower() <= u'f');
        }))
        return {};
    QVariantList code;
    for (int i = 0; i < 4; ++i)
        code << hex.mid(2 * i, 2).toInt(nullptr, 16);
    return code;
}

bool MacroLogic::sameCode(const QVariantList &a, const QVariantList &b)
{
    return toCode(a) == toCode(b);
}

QVariantList MacroLogic::groupCode(const QVariantList &usages)
{
    int bits = 0;
    QList<int> keys;
    for (const QVariant &entry : usages) {
        const int usage = entry.toInt();
        if (usage <= 0)
            continue;
        if (isModifier(usage))
            bits |= 1 << (usage - 0xE0);
        else if (keys.size() < 2 && !keys.contains(usage))
            keys << usage;
    }
    return {2, bits, keys.value(0, 0), keys.value(1, 0)};
}

namespace {

QStringList groupNames(const Code &code)
{
    QStringList parts;
    for (int bit = 0; bit < 8; ++bit) {
        if (code[1] & (1 << bit))
            parts << MacroLogic::keyName(0xE0 + bit);
    }
    for (int i = 2; i < 4; ++i) {
        if (code[i] != 0)
            parts << MacroLogic::keyName(code[i]);
    }
    return parts;
}

} // namespace

QString MacroLogic::groupText(const QVariantList &code)
{
    return groupNames(toCode(code)).join(QStringLiteral(" + "));
}

QVariantList MacroLogic::fireCode(int usage, int rate, int times)
{
    return {1, usage, rate, times};
}

QVariantList MacroLogic::macroCode(int runMode, int button)
{
    return {4, runMode, button, 0};
}

QVariantList MacroLogic::fixedFunctions()
{
    QVariantList list;
    for (const ButtonFunctions::Fixed &f : ButtonFunctions::fixedTable()) {
        list << QVariantMap{{QStringLiteral("type"), f.code[0]},
                            {QStringLiteral("menu"), f.menu},
                            {QStringLiteral("label"), QString::fromUtf8(f.label)},
                            {QStringLiteral("textIndex"), f.textIndex},
                            {QStringLiteral("hex"), codeToHex(toList(f.code))}};
    }
    return list;
}

QString MacroLogic::codeText(const QVariantList &code, const QStringList &labels,
                             const QString &macroName)
{
    const Code c = toCode(code);
    switch (c[0]) {
    case 1:
        return keyName(c[1]);
    case 2:
        return groupNames(c).join(u'+');
    case 4:
        return macroName;
    case 0:
        if (c == ButtonFunctions::none)
            return labels.value(ButtonFunctions::disabledTextIndex, QStringLiteral("Disabled"));
        [[fallthrough]];
    case 3:
    case 5:
    case 6:
    case 7:
    case 8:
        if (const ButtonFunctions::Fixed *f = ButtonFunctions::fixedOf(c)) {
            const QString label = labels.value(f->textIndex);
            return label.isEmpty() ? QString::fromUtf8(f->label) : label;
        }
        return {};
    default:
        return {};
    }
}

QVariantList MacroLogic::builtInCode(int mode, int button)
{
    return toList(ButtonFunctions::builtIn(mode, button));
}

bool MacroLogic::isFixedButton(int button)
{
    return KeyRecords::isFixedByMouse(button);
}

QString MacroLogic::chooseOutcome(int button, const QVariantList &current,
                                  const QVariantList &chosen)
{
    const Code c = toCode(chosen);
    if (button == 0) {
        const bool otherButton = c[0] == 0 && c[2] >= 0xF1 && c[2] <= 0xF4;
        if (otherButton || (c[0] >= 3 && c[0] <= 8))
            return QStringLiteral("warn");
    }
    if (c[0] != 4 && c == toCode(current))
        return QStringLiteral("same");
    return QStringLiteral("apply");
}

#include "core/macrologic.h"

#include "operations/keymatrix.h"
#include "operations/keynametable.h"

#include <algorithm>
#include <array>

namespace {

using Code = std::array<int, 4>;

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

struct Fixed {
    Code code;
    const char *label;
    int textIndex;
    int menu;
};

// Menu order; textIndex is the label's position in the keyAssigment strings,
// menu the category whose sub-menu offers the entry.
const std::array<Fixed, 38> &fixedTable()
{
    static const std::array<Fixed, 38> table{{
        {{0x00, 0x00, 0xF0, 0x00}, "Left Key", 12, 0},
        {{0x00, 0x00, 0xF1, 0x00}, "Right Key", 13, 0},
        {{0x00, 0x00, 0xF2, 0x00}, "Middle Key", 14, 0},
        {{0x00, 0x00, 0xF4, 0x00}, "Forward Key", 15, 0},
        {{0x00, 0x00, 0xF3, 0x00}, "Back Key", 16, 0},
        {{0x00, 0xF0, 0x1E, 0x02}, "Double Fire", 17, 1},
        {{0x05, 0x00, 0x01, 0x00}, "DPI+", 18, 5},
        {{0x05, 0x00, 0x02, 0x00}, "DPI-", 19, 5},
        {{0x05, 0x00, 0x03, 0x00}, "DPI LOOP", 20, 5},
        {{0x05, 0x00, 0x04, 0x00}, "Sniper Key", 21, 5},
        {{0x03, 0x00, 0x83, 0x01}, "Player", 22, 3},
        {{0x03, 0x00, 0xB5, 0x00}, "Next", 23, 3},
        {{0x03, 0x00, 0xB6, 0x00}, "Privous", 24, 3},
        {{0x03, 0x00, 0xB7, 0x00}, "Stop", 25, 3},
        {{0x03, 0x00, 0xE2, 0x00}, "Mute", 26, 3},
        {{0x03, 0x00, 0xCD, 0x00}, "Play/Pause", 27, 3},
        {{0x03, 0x00, 0xE9, 0x00}, "Volumn+", 28, 3},
        {{0x03, 0x00, 0xEA, 0x00}, "Volumn-", 29, 3},
        {{0x06, 0x00, 0x94, 0x01}, "My PC", 30, 6},
        {{0x06, 0x00, 0x23, 0x02}, "Index", 31, 6},
        {{0x06, 0x00, 0x21, 0x02}, "Search", 32, 6},
        {{0x06, 0x04, 0x2C, 0x1B}, "Max", 33, 6},
        {{0x06, 0x04, 0x2C, 0x11}, "Min", 34, 6},
        {{0x06, 0x00, 0xE3, 0x07}, "Desktop", 35, 6},
        {{0x06, 0x00, 0xE3, 0x15}, "Run", 36, 6},
        {{0x07, 0x00, 0xE0, 0x11}, "New", 37, 7},
        {{0x07, 0x00, 0xE0, 0x1B}, "Cut", 38, 7},
        {{0x07, 0x00, 0xE0, 0x06}, "Copy", 39, 7},
        {{0x07, 0x00, 0xE0, 0x19}, "Paste", 40, 7},
        {{0x07, 0x00, 0xE0, 0x16}, "Save", 41, 7},
        {{0x07, 0x00, 0xE0, 0x13}, "Print", 42, 7},
        {{0x07, 0x00, 0xE0, 0x09}, "Find", 43, 7},
        {{0x07, 0x00, 0xE0, 0x1C}, "Redo", 44, 7},
        {{0x07, 0x00, 0xE0, 0x1D}, "Undo", 45, 7},
        {{0x07, 0x00, 0xE0, 0x04}, "Select All", 46, 7},
        {{0x08, 0x00, 0x01, 0x00}, "One Gun", 47, 8},
        {{0x08, 0x00, 0x02, 0x00}, "Two Gun", 48, 8},
        {{0x08, 0x00, 0x03, 0x00}, "Three Gun", 49, 8},
    }};
    return table;
}

constexpr Code leftKey{0x00, 0x00, 0xF0, 0x00};
constexpr Code rightKey{0x00, 0x00, 0xF1, 0x00};
constexpr Code middleKey{0x00, 0x00, 0xF2, 0x00};
constexpr Code forwardKey{0x00, 0x00, 0xF4, 0x00};
constexpr Code backKey{0x00, 0x00, 0xF3, 0x00};
constexpr Code dpiUp{0x05, 0x00, 0x01, 0x00};
constexpr Code dpiDown{0x05, 0x00, 0x02, 0x00};
constexpr Code oneGun{0x08, 0x00, 0x01, 0x00};
constexpr Code twoGun{0x08, 0x00, 0x02, 0x00};
constexpr Code doubleFire{0x00, 0xF0, 0x1E, 0x02};
constexpr Code none{0, 0, 0, 0};
constexpr Code fixed14{0xFF, 0x00, 0x01, 0x00};
constexpr Code fixed15{0xFF, 0x00, 0x02, 0x00};
// Position of "Disabled" in the keyAssigment strings: the text of an empty record.
constexpr int disabledTextIndex = 63;

bool isRelease(int type)
{
    return type == 2 || type == 4;
}

bool isPressOrRelease(int type)
{
    return type >= 1 && type <= 4;
}

// Delay units at or above this need the scaled form: the timing byte only has
// seven bits.
constexpr qint64 plainUnitLimit = 127;

// The 100 ms form's 16-bit value is the longest wait the mouse can play.
constexpr qint64 largestScaledValue = 0xFFFF;

} // namespace

void MacroLogic::setKeyNames(const QStringList &replacement)
{
    if (replacement.size() == KeyNameTable::size)
        names() = replacement;
}

QString MacroLogic::keyName(int usage)
{
    const qsizetype index = KeyNameTable::keyCode().indexOf(usage);
    return index < 0 || index >= names().size() ? QString() : names().at(index);
}

int MacroLogic::keyCode(const QString &name)
{
    const qsizetype index = names().indexOf(name);
    return index < 0 ? 0 : KeyNameTable::keyCode().at(index);
}

bool MacroLogic::isModifier(int usage)
{
    return usage >= 0xE0 && usage <= 0xE7;
}

QString MacroLogic::delayLine(int milliseconds)
{
    return QStringLiteral("0,%1").arg(milliseconds);
}

QString MacroLogic::pressLine(int usage, bool isDown)
{
    const int type = usage >= 0xF0 ? (isDown ? 3 : 4) : (isDown ? 1 : 2);
    return QStringLiteral("%1,%2").arg(type).arg(keyName(usage));
}

int MacroLogic::lineType(const QString &line)
{
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0)
        return -1;
    bool ok = false;
    const int type = line.left(comma).trimmed().toInt(&ok);
    return ok ? type : -1;
}

QString MacroLogic::lineInfo(const QString &line)
{
    const qsizetype comma = line.indexOf(u',');
    // The key name may itself be a comma, so only the first one separates.
    return comma < 0 ? QString() : line.mid(comma + 1);
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

namespace {

// One key or button action with the delay, in 10 ms units, that follows it
// up to the next action (none after the last: nothing waits for it).
struct Step {
    int type = 0;
    int key = 0;
    qint64 unitsAfter = 0;
};

// The actions after the leading delays, each with the delays summed behind it.
QList<Step> actionSteps(const QStringList &lines)
{
    QList<Step> steps;
    for (const QString &line : lines) {
        const int type = MacroLogic::lineType(line);
        if (type == 0) {
            if (!steps.isEmpty())
                steps.last().unitsAfter += qMax(0, MacroLogic::lineInfo(line).toInt()) / 10;
        } else if (isPressOrRelease(type)) {
            steps << Step{type, MacroLogic::keyCode(MacroLogic::lineInfo(line)), 0};
        }
    }
    return steps;
}

void appendTimedPair(QVariantList &bytes, const Step &step)
{
    const int release = isRelease(step.type) ? 0x80 : 0;
    const qint64 units = step.unitsAfter;
    if (units < plainUnitLimit) {
        bytes << ((units == 0 ? 1 : int(units)) | release) << step.key;
        return;
    }
    int scale = 3;
    qint64 value = units / 10;
    if (units < 100000) {
        scale = 1;
        value = units / 2;
    } else if (units < 300000) {
        scale = 2;
        value = units / 5;
    }
    // Past 600000 units even the 100 ms form no longer fits sixteen bits;
    // wrapping would turn a long pause into a short one, so the pause is
    // played as long as the mouse can.
    value = std::min(value, largestScaledValue);
    bytes << release << step.key << 0 << scale << int(value >> 8) << int(value & 0xFF);
}

} // namespace

QVariantList MacroLogic::encodeMacro(const QStringList &lines, int repeat)
{
    QVariantList bytes{(repeat >> 8) & 0xFF, repeat & 0xFF};
    QList<Step> steps = actionSteps(lines);
    if (steps.isEmpty())
        return bytes;
    steps.last().unitsAfter = 0;
    for (const Step &step : steps)
        appendTimedPair(bytes, step);
    bytes << 0 << 0;
    return bytes;
}

int MacroLogic::encodedLength(const QStringList &lines)
{
    // Two bytes more than the block holds once an action exists (the two
    // closing bytes are counted besides the last action's own pair): a list
    // that passes the guard can still take one action with a scaled delay,
    // six bytes, and keep its terminator inside the 128-byte block.
    int length = 2 + 2 + 2;
    const QList<Step> steps = actionSteps(lines);
    for (qsizetype i = 0; i < steps.size(); ++i) {
        length += 2;
        if (i > 0 && steps.at(i - 1).unitsAfter >= plainUnitLimit)
            length += 4;
    }
    return length;
}

bool MacroLogic::canAddAction(const QStringList &lines)
{
    return encodedLength(lines) < encodedLimit;
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
    for (const Fixed &f : fixedTable()) {
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
        if (c == none)
            return labels.value(disabledTextIndex, QStringLiteral("Disabled"));
        [[fallthrough]];
    case 3:
    case 5:
    case 6:
    case 7:
    case 8:
        for (const Fixed &f : fixedTable()) {
            if (f.code != c)
                continue;
            const QString label = labels.value(f.textIndex);
            return label.isEmpty() ? QString::fromUtf8(f.label) : label;
        }
        return {};
    default:
        return {};
    }
}

namespace {

Code builtIn(int mode, int button)
{
    static const std::array<Code, 16> office{
        leftKey, rightKey, middleKey, forwardKey, backKey, dpiUp, dpiDown, doubleFire,
        none,    none,     none,      none,       none,    none,  fixed14, fixed15};
    if (mode != 0 && button == 5)
        return oneGun;
    if (mode != 0 && button == 6)
        return twoGun;
    return office[button];
}

} // namespace

QVariantList MacroLogic::builtInCode(int mode, int button)
{
    if (button < 0 || button > 15)
        return toList(none);
    return toList(builtIn(mode, button));
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

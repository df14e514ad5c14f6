#include "operations/macroencoding.h"

#include <QList>

#include <algorithm>

namespace MacroEncoding {

namespace {

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

// One key or button action with the delay, in 10 ms units, that follows it
// up to the next action (none after the last: nothing waits for it).
struct Step {
    int type = 0;
    int key = 0;
    qint64 unitsAfter = 0;
};

// The actions after the leading delays, each with the delays summed behind it.
QList<Step> actionSteps(const QStringList &lines,
                        const std::function<int(const QString &)> &codeOfName)
{
    QList<Step> steps;
    for (const QString &line : lines) {
        const int type = lineType(line);
        if (type == 0) {
            if (!steps.isEmpty())
                steps.last().unitsAfter += qMax(0, lineInfo(line).toInt()) / 10;
        } else if (isPressOrRelease(type)) {
            steps << Step{type, codeOfName ? codeOfName(lineInfo(line)) : 0, 0};
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

QString delayLine(int milliseconds)
{
    return QStringLiteral("0,%1").arg(milliseconds);
}

QString pressLine(int usage, bool isDown, const QString &name)
{
    const int type = usage >= 0xF0 ? (isDown ? 3 : 4) : (isDown ? 1 : 2);
    return QStringLiteral("%1,%2").arg(type).arg(name);
}

int lineType(const QString &line)
{
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0)
        return -1;
    bool ok = false;
    const int type = line.left(comma).trimmed().toInt(&ok);
    return ok ? type : -1;
}

QString lineInfo(const QString &line)
{
    const qsizetype comma = line.indexOf(u',');
    // The key name may itself be a comma, so only the first one separates.
    return comma < 0 ? QString() : line.mid(comma + 1);
}

QVariantList encode(const QStringList &lines, int repeat,
                    const std::function<int(const QString &)> &codeOfName)
{
    QVariantList bytes{(repeat >> 8) & 0xFF, repeat & 0xFF};
    QList<Step> steps = actionSteps(lines, codeOfName);
    if (steps.isEmpty())
        return bytes;
    steps.last().unitsAfter = 0;
    for (const Step &step : steps)
        appendTimedPair(bytes, step);
    bytes << 0 << 0;
    return bytes;
}

int encodedLength(const QStringList &lines)
{
    // Two bytes more than the block holds once an action exists (the two
    // closing bytes are counted besides the last action's own pair): a list
    // that passes the guard can still take one action with a scaled delay,
    // six bytes, and keep its terminator inside the 128-byte block.
    int length = 2 + 2 + 2;
    const QList<Step> steps = actionSteps(lines, {});
    for (qsizetype i = 0; i < steps.size(); ++i) {
        length += 2;
        if (i > 0 && steps.at(i - 1).unitsAfter >= plainUnitLimit)
            length += 4;
    }
    return length;
}

bool canAddAction(const QStringList &lines)
{
    return encodedLength(lines) < encodedLimit;
}

} // namespace MacroEncoding

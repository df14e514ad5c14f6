#pragma once

// Macro actions as the library stores them, one "type,info" line each, and
// their encoding into the block the mouse plays (sent by MacroTransfer,
// macrotransfer.h). Types: 0 delay (ms), 1 key press, 2 key release, 3 button
// press, 4 button release.

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

namespace MacroEncoding {

// The encoded length at which a macro takes no further action.
constexpr int encodedLimit = 126;

QString delayLine(int milliseconds);
// A press or release of a usage under its shown name: types 3/4 from 0xF0
// on, else 1/2.
QString pressLine(int usage, bool isDown, const QString &name);
// -1 for a line without a number before its comma.
int lineType(const QString &line);
QString lineInfo(const QString &line);

// The block: repeat count, then timing/key pairs; codeOfName turns a line's
// key name into its usage.
QVariantList encode(const QStringList &lines, int repeat,
                    const std::function<int(const QString &)> &codeOfName);
// The guard's measure: the block's size plus two spare bytes once there is
// an action (6 for a list without actions), so that the one action a
// passing list may still take fits with its terminator.
int encodedLength(const QStringList &lines);
// False once the encoded length has reached the limit the block allows.
bool canAddAction(const QStringList &lines);

} // namespace MacroEncoding

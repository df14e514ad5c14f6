#pragma once

#include <QLoggingCategory>
#include <QStringList>

// Off unless asked for: QT_LOGGING_RULES="kairo*.debug=true" or --verbose.
Q_DECLARE_LOGGING_CATEGORY(kairoTrace)

// One debug line: every item followed by one blank. The whole program writes
// its lines this way, so the output reads alike whichever part wrote it.
void hidDebugLine(const QStringList &items);

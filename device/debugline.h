#pragma once

#include <QStringList>

// One debug line: every item followed by one blank. The whole program writes
// its lines this way, so the output reads alike whichever part wrote it.
void hidDebugLine(const QStringList &items);

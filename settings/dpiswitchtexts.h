#pragma once

#include <QStringList>

// The eight texts (one per DPI stage) of the DPI-switch tray balloon, shared
// by the whole process. Each starts as "DPI Switch to"; reading the language
// group "other" replaces them.
QStringList &dpiSwitchTexts();

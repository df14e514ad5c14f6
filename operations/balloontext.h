#pragma once

#include <QString>

// The tray message shown when the mouse reports DPI stage `stage` (1-based):
// that stage's DPI-switch text and a blank; stages outside 1 to 7 use the
// eighth text.
QString dpiSwitchBalloonText(int stage);

#pragma once

// What the desktop implementations share, and how the chooser makes them.
#include "operations/platform/pointersettings.h"

#include <QStringList>

std::unique_ptr<PointerSettings> createGnomePointerSettings();
std::unique_ptr<PointerSettings> createKdePointerSettings();
std::unique_ptr<PointerSettings> createX11PointerSettings();
// A desktop none of the others knows: nothing reaches it.
std::unique_ptr<PointerSettings> createUnsupportedPointerSettings(const QString &desktop);

namespace PointerShared {

// The session runs on a Wayland compositor (Xwayland's DISPLAY aside).
bool waylandSession();

bool hasTool(const QString &tool);
// Runs an installed tool to its end; true when it exits 0. The first line
// of its output goes to firstLine when asked for.
bool runTool(const QString &tool, const QStringList &arguments, QString *firstLine = nullptr);

// Speed 1..20 as the -1..1 scale of libinput, GNOME and KWin: 1 is -1,
// 10 (1:1) is 0 and 20 is 1, in equal steps on either side of 10.
double unitSpeed(int speed);
// The form the desktop tools and config files take: "-0.8889".
QString unitSpeedText(int speed);

// Kairo's own windows follow at once, whatever the desktop does.
void applyDoubleClickToKairo(int milliseconds);
void applyWheelLinesToKairo(int lines);

// The X server behind DISPLAY answers.
bool x11DisplayAvailable();
// The speed on the X server: the "libinput Accel Speed" of every device that
// has one, else the core pointer acceleration. False without an X server.
bool applyX11PointerSpeed(int speed);

} // namespace PointerShared

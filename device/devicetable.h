#pragma once

#include "device/deviceentry.h"

#include <QList>

class QSettings;

// One host serves a handful of mice; a larger "common/deviceCount" is a
// damaged file, and the rows past the bound are read as its end.
constexpr int kMaxDeviceRows = 64;

// Reads entries 0 .. "common/deviceCount" - 1 (keys "<n>/vid" and so on), at
// most kMaxDeviceRows; missing keys take their defaults, text that is not
// hexadecimal reads as 0. A row whose reportLength is not a number in
// 1 .. kMaxReportLength is left out. The paths are left empty.
QList<DeviceEntry> readDeviceTable(QSettings &config);

// Enumerates the HID interfaces with the entry's vid and pid and sets path and
// path2 to the interfaces whose usage page and usage match the first and the
// second pair (a later match overwrites an earlier one; "" when none matches).
void findDevicePaths(DeviceEntry &entry);
void findDevicePaths(QList<DeviceEntry> &table);

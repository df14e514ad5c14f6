#pragma once

#include "deviceentry.h"

#include <QList>

class QSettings;

// Reads entries 0 .. "common/deviceCount" - 1 (keys "<n>/vid" and so on);
// missing keys take their defaults, text that is not hexadecimal reads as 0.
// The paths are left empty.
QList<DeviceEntry> readDeviceTable(QSettings &config);

// Enumerates the HID interfaces with the entry's vid and pid and sets path and
// path2 to the interfaces whose usage page and usage match the first and the
// second pair (a later match overwrites an earlier one; "" when none matches).
void findDevicePaths(DeviceEntry &entry);
void findDevicePaths(QList<DeviceEntry> &table);

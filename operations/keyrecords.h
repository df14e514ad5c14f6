#pragma once

#include "device/family.h"
#include "operations/listbytes.h"

#include <array>
#include <optional>

// A key matrix: 16 button records of 4 bytes, button i at bytes 4i to 4i+3.
using KeyMatrix = std::array<uchar, 64>;

namespace KeyRecords {

constexpr int buttonCount = 16;
constexpr uchar gunSwitchType = 0x08;

// Bytes of a flat list of 64 values, each cut to 8 bits; missing values are 0.
KeyMatrix matrixFromValues(const QVariantList &values);
// Bytes of the 16 stored four-value records (record j = list j).
KeyMatrix matrixFromRecords(const QList<QVariantList> &records);

// Turns the user interface's assignment records into firmware records.
void convertToFirmware(KeyMatrix &matrix, Family family);
void swapRecords3And4(KeyMatrix &matrix);
void fixRecords6And7(KeyMatrix &matrix);
// True for the buttons whose records the mouse fixes itself: whatever the
// user chooses for them, the matrix carries the fixed records.
bool isFixedByMouse(int button);
// All three steps in order: what matrix 1 holds before the gun matrices.
KeyMatrix firmwareMatrix(const QVariantList &values, Family family);

bool hasGunSwitch(const KeyMatrix &matrix);

struct GunMatrices {
    KeyMatrix m1, m2, m3, m4;
    // Second family: the gun-switch mask for byte 2 of device profile image 0.
    std::optional<uchar> switchMask;
};

// Matrices 2 to 4 start from the firmware default matrix; every gun-switch
// key of m1 is wired so the key steps through n + 1 matrices, and button 0
// of matrices 2 to 4 fires with the gun periods.
GunMatrices buildGunMatrices(const KeyMatrix &m1, const KeyMatrix &firmwareDefault,
                             const QVariantList &gunPeriods, Family family);

} // namespace KeyRecords

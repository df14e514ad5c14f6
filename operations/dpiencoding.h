#pragma once

#include "operations/listbytes.h"

#include <array>

namespace DpiEncoding {

constexpr int stageCount = 8;
constexpr uchar disabledStage = 0x80;

struct StageCodes {
    std::array<uchar, stageCount> codes{};
    // Bit i set when stage i needs a ninth code bit (sensor "3389" only).
    uchar highBitMask = 0;
};

// The one-byte code of one DPI value for the named sensor; `needsHighBit`
// is set when the value does not fit the code alone.
uchar encode(const QString &sensorType, int dpi, bool *needsHighBit = nullptr);

// Codes of the first eight values (missing ones stay 0) and their high-bit mask.
StageCodes encodeStages(const QString &sensorType, const QVariantList &dpiValues);

// Second family: the low `dpiCount` bits, one per stage in use.
uchar stageEnableMask(int dpiCount);

// First family: every stage with a value whose enable flag is 0 (or missing)
// is switched off.
void applyStageEnables(StageCodes &stages, int valueCount, const QVariantList &enables);

} // namespace DpiEncoding

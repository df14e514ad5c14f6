#pragma once

#include "operations/family.h"

#include <array>
#include <optional>

namespace MacroTransfer {

using MacroBlock = std::array<uchar, 128>;
constexpr int slotCount = 12;

// The 1-based macro id of a 0-based slot, or nothing for a slot the device
// does not have.
std::optional<uchar> macroIdForIndex(const QVariant &macroIndex);

// The encoded macro bytes in a zeroed block; bytes past the block are dropped.
MacroBlock macroBlock(const QVariantList &macroData);

} // namespace MacroTransfer

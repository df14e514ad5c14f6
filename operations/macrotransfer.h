#pragma once

#include "operations/listbytes.h"

#include <array>
#include <optional>

namespace MacroTransfer {

using MacroBlock = std::array<uchar, 128>;
constexpr int slotCount = 12;

// The 1-based macro id of a 0-based slot, or nothing for a slot the device
// does not have (anything but a whole number from 0 to 11).
std::optional<uchar> macroIdForIndex(const QVariant &macroIndex);

// The one length rule of every macro sent: the encoded macro, its closing
// 0,0 pair included, fits in the block. A longer one would reach the mouse
// cut off, without the pair that ends it.
bool fitsBlock(const QVariantList &macroData);

// The encoded macro bytes in a zeroed block; bytes past the block are dropped.
MacroBlock macroBlock(const QVariantList &macroData);

} // namespace MacroTransfer

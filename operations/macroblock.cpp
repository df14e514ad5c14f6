#include "operations/macroblock.h"

namespace MacroTransfer {

std::optional<uchar> macroIdForIndex(const QVariant &macroIndex)
{
    const uchar slot = uchar(macroIndex.toUInt() & 0xFF);
    if (slot >= slotCount)
        return std::nullopt;
    return uchar(slot + 1);
}

MacroBlock macroBlock(const QVariantList &macroData)
{
    MacroBlock block{};
    for (int i = 0; i < int(block.size()); ++i)
        block[i] = byteAt(macroData, i);
    return block;
}

} // namespace MacroTransfer

#include "operations/macrotransfer.h"

namespace MacroTransfer {

std::optional<uchar> macroIdForIndex(const QVariant &macroIndex)
{
    bool isNumber = false;
    const double slot = macroIndex.toDouble(&isNumber);
    if (!isNumber || slot < 0 || slot >= slotCount || slot != int(slot))
        return std::nullopt;
    return uchar(int(slot) + 1);
}

bool fitsBlock(const QVariantList &macroData)
{
    return macroData.size() <= qsizetype(MacroBlock().size());
}

MacroBlock macroBlock(const QVariantList &macroData)
{
    MacroBlock block{};
    for (int i = 0; i < int(block.size()); ++i)
        block[i] = byteAt(macroData, i);
    return block;
}

} // namespace MacroTransfer

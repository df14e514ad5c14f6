#include "operations/lighting.h"

namespace Lighting {

namespace {

uchar fromTable(const std::array<uchar, 5> &table, uchar index)
{
    return index < table.size() ? table[index] : uchar(0);
}

uchar brightnessCode(uchar index)
{
    switch (index) {
    case 1:
        return 0x40;
    case 2:
        return 0x80;
    case 3:
        return 0xC0;
    case 4:
        return 0xFF;
    default:
        return 0;
    }
}

constexpr std::array<uchar, 5> flowSpeeds = {10, 7, 5, 3, 1};

} // namespace

AttributeBlock attributeBlock(uchar effect, uchar brightness, uchar speed, uchar direction,
                              const QVariantList &rgbArray)
{
    AttributeBlock block{};
    const bool off = effect == effectOff;
    block[0] = 0x32;
    block[1] = off ? 0 : effect;
    block[2] = brightness;
    block[3] = speed;
    block[4] = direction;
    if (!off) {
        for (int i = 0; i < colourBytes; ++i)
            block[5 + i] = unsignedByteAt(rgbArray, i);
    }
    return block;
}

EffectCommand colourfulEffect(uchar effect, uchar speedIndex, uchar brightnessIndex)
{
    const uchar b = brightnessCode(brightnessIndex);
    switch (effect) {
    case 0:
        return {1, b, 0};
    case 1:
        return {3, 0, fromTable(flowSpeeds, speedIndex)};
    case 2:
        return {4, 0, fromTable(flowSpeeds, speedIndex)};
    case 3:
        return {0, 0, 0};
    case 4:
        return {2, b, 0};
    case 5:
        return {5, b, fromTable(flowSpeeds, speedIndex)};
    case 6:
        return {6, 0, 0};
    case 7:
        return {7, b, 0};
    case 8:
        return {8, b, fromTable({20, 17, 15, 13, 11}, speedIndex)};
    case 9:
        return {9, b, fromTable({15, 13, 10, 7, 5}, speedIndex)};
    case 10:
        return {10, b, fromTable({30, 27, 24, 22, 20}, speedIndex)};
    default:
        return {};
    }
}

EffectCommand plainEffect(uchar effect, uchar speedIndex, uchar brightnessIndex)
{
    switch (effect) {
    case 0:
        return {1, fromTable({1, 3, 5, 7, 10}, brightnessIndex), 1};
    case 1:
        return {2, uchar(speedIndex + 1), 1};
    case 2:
        return {3, fromTable({30, 24, 18, 12, 6}, speedIndex), 1};
    case 4:
        return {2, uchar(speedIndex + 1), 3};
    default:
        return {};
    }
}

StageColours stageColours(const QVariantList &src24)
{
    StageColours colours{};
    for (int i = 0; i < int(colours.size()); ++i)
        colours[i] = byteAt(src24, i);
    return colours;
}

void packNibbles(StageColours &colours)
{
    for (int i = 0; i < 4; ++i)
        colours[i] = uchar((colours[2 * i] & 0x0F) | (colours[2 * i + 1] << 4));
}

bool hasLastStageColour(const StageColours &colours)
{
    return colours[21] != 0 || colours[22] != 0 || colours[23] != 0;
}

} // namespace Lighting

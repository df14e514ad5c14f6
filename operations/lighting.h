#pragma once

#include "operations/listbytes.h"

#include <array>

namespace Lighting {

using AttributeBlock = std::array<uchar, 64>;
using StageColours = std::array<uchar, 24>;

constexpr uchar effectOff = 6;
constexpr int colourBytes = 45;

// The 64-byte lighting attribute block; effect "off" clears the effect and
// every colour.
AttributeBlock attributeBlock(uchar effect, uchar brightness, uchar speed, uchar direction,
                              const QVariantList &rgbArray);

struct EffectCommand {
    uchar code = 0;
    uchar operand1 = 0;
    uchar operand2 = 0;
};

// Full-colour mice: operand 1 brightness-coded, operand 2 a speed.
EffectCommand colourfulEffect(uchar effect, uchar speedIndex, uchar brightnessIndex);
// Other mice: operand 2 is the third table value (the 55328 variant sends it).
EffectCommand plainEffect(uchar effect, uchar speedIndex, uchar brightnessIndex);

// 24 bytes R, G, B for stages 1 to 8; missing entries 0, extra ones ignored.
StageColours stageColours(const QVariantList &src24);

// Colour type 2 carries four bytes, two 4-bit values in each.
void packNibbles(StageColours &colours);

// Whether the stage-8 colour is anything but black.
bool hasLastStageColour(const StageColours &colours);

} // namespace Lighting

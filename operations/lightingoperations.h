#pragma once

#include "operations/lighting.h"

class OperationsContext;

// The lighting attribute block, effects, DPI indicator colours and the logo
// light query.
class LightingOperations
{
public:
    explicit LightingOperations(OperationsContext &context)
        : ctx(context)
    {}

    // The sending operations say whether the mouse took everything.
    bool mouseSetLedType(uchar effect, uchar brightness, uchar speed, uchar direction,
                         const QVariantList &rgbArray);
    bool mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    bool mouseSetRGBColor(uchar type, const QVariantList &src24);
    bool ui_10H_SetLED8StageColor(uchar type, const QVariantList &src24);
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    bool chkIsLogoLedWork();

private:
    bool setColourfulEffect(uchar effect, uchar option1, uchar option2);
    bool setPlainEffect(uchar effect, uchar option1, uchar option2);

    OperationsContext &ctx;
};

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

    void mouseSetLedType(uchar effect, uchar brightness, uchar speed, uchar direction,
                         const QVariantList &rgbArray);
    void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    void mouseSetRGBColor(uchar type, const QVariantList &src24);
    void ui_10H_SetLED8StageColor(uchar type, const QVariantList &src24);
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    bool chkIsLogoLedWork();

private:
    void setColourfulEffect(uchar effect, uchar option1, uchar option2);
    void setPlainEffect(uchar effect, uchar option1, uchar option2);

    OperationsContext &ctx;
};

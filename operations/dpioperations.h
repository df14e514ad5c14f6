#pragma once

#include "operations/dpiencoding.h"

class OperationsContext;

// DPI stages, the active stage, report rate and lift-off distance.
class DpiOperations
{
public:
    explicit DpiOperations(OperationsContext &context)
        : ctx(context)
    {}

    // The sending operations say whether the mouse took everything.
    bool mouseSetDpi(int dpiCount, const QString &sensorType, const QVariantList &dpiValueArray,
                     const QVariantList &dpiEnableArray);
    bool mouseSetCurrentDPI(uchar currentDPI);
    // The mouse's stage, or 0 (no stage) when it names none of the stages.
    QVariant mouseGetCurrentDPI();
    bool mouseSetReportRate(uchar rate);
    bool mouseSetLodValue(uchar rate, uchar en);

    // Whether a stage the mouse reports is one of the profile's stages.
    bool isKnownStage(int stage) const;

private:
    OperationsContext &ctx;
};

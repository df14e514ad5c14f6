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

    void mouseSetDpi(int dpiCount, const QString &sensorType, const QVariantList &dpiValueArray,
                     const QVariantList &dpiEnableArray);
    void mouseSetCurrentDPI(uchar currentDPI);
    QVariant mouseGetCurrentDPI();
    void mouseSetReportRate(uchar rate);
    void mouseSetLodValue(uchar rate, uchar en);

private:
    OperationsContext &ctx;
};

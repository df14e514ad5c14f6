#include "operations/dpioperations.h"

#include "operations/operationscontext.h"

#include "device/debugline.h"
#include "settings/settingsstore.h"

bool DpiOperations::mouseSetDpi(int dpiCount, const QString &sensorType,
                                const QVariantList &dpiValueArray,
                                const QVariantList &dpiEnableArray)
{
    const DpiEncoding::StageCodes stages = DpiEncoding::encodeStages(sensorType, dpiValueArray);
    return ctx.driver().sendDpiStages(stages, dpiCount, sensorType, int(dpiValueArray.size()),
                                      dpiEnableArray);
}

bool DpiOperations::mouseSetCurrentDPI(uchar currentDPI)
{
    return ctx.driver().setCurrentDpi(currentDPI);
}

bool DpiOperations::isKnownStage(int stage) const
{
    const QVariant stored = ctx.settings.getData(QStringLiteral("mouse/dpiCount"), false);
    bool isNumber = false;
    const int configured = stored.toInt(&isNumber);
    const int stages = isNumber && configured >= 1 && configured <= DpiEncoding::stageCount
                           ? configured
                           : DpiEncoding::stageCount;
    return stage >= 1 && stage <= stages;
}

QVariant DpiOperations::mouseGetCurrentDPI()
{
    // A failed read gives 0, which the scene shows as no stage.
    const int stage = ctx.driver().currentDpiStage();
    return isKnownStage(stage) ? stage : 0;
}

bool DpiOperations::mouseSetReportRate(uchar rate)
{
    return ctx.driver().setReportRate(rate);
}

bool DpiOperations::mouseSetLodValue(uchar rate, uchar en)
{
    hidDebugLine({QStringLiteral("test"), QString::number(rate), QString::number(en)});
    return ctx.driver().setLod(rate, en);
}

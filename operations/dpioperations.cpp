#include "operations/dpioperations.h"

#include "operations/operationscontext.h"

#include "device/hid_thread.h"

void DpiOperations::mouseSetDpi(int dpiCount, const QString &sensorType,
                                const QVariantList &dpiValueArray,
                                const QVariantList &dpiEnableArray)
{
    DpiEncoding::StageCodes stages = DpiEncoding::encodeStages(sensorType, dpiValueArray);
    if (ctx.isSecondFamily()) {
        ctx.images.setDpiStages(stages, DpiEncoding::stageEnableMask(dpiCount),
                                sensorType == QLatin1String("3389"));
        ctx.sendUserAndGunImages();
        return;
    }
    DpiEncoding::applyStageEnables(stages, int(dpiValueArray.size()), dpiEnableArray);
    if (ctx.hid)
        ctx.hid->hid553_11H_SetDPISet(DpiEncoding::stageCount, stages.codes.data());
}

void DpiOperations::mouseSetCurrentDPI(uchar currentDPI)
{
    if (!ctx.hid)
        return;
    if (ctx.isSecondFamily())
        ctx.hid->hid560_04H_SetCurrentDPI(currentDPI);
    else
        ctx.hid->hid553_0BH_SetCurrentDPI(currentDPI);
}

QVariant DpiOperations::mouseGetCurrentDPI()
{
    // A failed read leaves the preset 0, which the scene shows as no stage.
    if (ctx.isSecondFamily()) {
        uchar byte1 = 1;
        uchar byte2 = 0;
        if (ctx.hid)
            ctx.hid->hid560_84H_GetCurrentDPI(byte1, byte2);
        return int(byte2);
    }
    uchar byte1 = 0;
    if (ctx.hid)
        ctx.hid->hid553_8BH_GetCurrentDPI(byte1);
    return int(byte1);
}

void DpiOperations::mouseSetReportRate(uchar rate)
{
    if (!ctx.hid)
        return;
    if (ctx.isSecondFamily())
        ctx.hid->hid560_03H_SetReportRate(rate);
    else
        ctx.hid->hid553_01H_SetReportRate(rate);
}

void DpiOperations::mouseSetLodValue(uchar rate, uchar en)
{
    hidDebugLine({QStringLiteral("test"), QString::number(rate), QString::number(en)});
    if (!ctx.hid)
        return;
    if (ctx.isSecondFamily())
        ctx.hid->hid560_09H_Lod(rate, en);
    else
        ctx.hid->hid553_07H_Lod(rate, en);
}

#include "operations/dpioperations.h"

#include "operations/operationscontext.h"

#include "device/hid_thread.h"
#include "settings/settingsstore.h"

bool DpiOperations::mouseSetDpi(int dpiCount, const QString &sensorType,
                                const QVariantList &dpiValueArray,
                                const QVariantList &dpiEnableArray)
{
    DpiEncoding::StageCodes stages = DpiEncoding::encodeStages(sensorType, dpiValueArray);
    if (ctx.isSecondFamily()) {
        if (!ctx.haveImages(ctx.userAndGunImages()))
            return false;
        ctx.images.setDpiStages(stages, DpiEncoding::stageEnableMask(dpiCount),
                                sensorType == QLatin1String("3389"));
        return ctx.sendUserAndGunImages();
    }
    DpiEncoding::applyStageEnables(stages, int(dpiValueArray.size()), dpiEnableArray);
    return ctx.hid && ctx.hid->hid553_11H_SetDPISet(DpiEncoding::stageCount, stages.codes.data());
}

bool DpiOperations::mouseSetCurrentDPI(uchar currentDPI)
{
    if (!ctx.hid)
        return false;
    if (ctx.isSecondFamily())
        return ctx.hid->hid560_04H_SetCurrentDPI(currentDPI);
    return ctx.hid->hid553_0BH_SetCurrentDPI(currentDPI);
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
    // A failed read leaves the preset 0, which the scene shows as no stage.
    if (ctx.isSecondFamily()) {
        uchar byte1 = 1;
        uchar byte2 = 0;
        if (ctx.hid)
            ctx.hid->hid560_84H_GetCurrentDPI(byte1, byte2);
        return isKnownStage(byte2) ? int(byte2) : 0;
    }
    uchar byte1 = 0;
    if (ctx.hid)
        ctx.hid->hid553_8BH_GetCurrentDPI(byte1);
    return isKnownStage(byte1) ? int(byte1) : 0;
}

bool DpiOperations::mouseSetReportRate(uchar rate)
{
    if (!ctx.hid)
        return false;
    if (ctx.isSecondFamily())
        return ctx.hid->hid560_03H_SetReportRate(rate);
    return ctx.hid->hid553_01H_SetReportRate(rate);
}

bool DpiOperations::mouseSetLodValue(uchar rate, uchar en)
{
    hidDebugLine({QStringLiteral("test"), QString::number(rate), QString::number(en)});
    if (!ctx.hid)
        return false;
    if (ctx.isSecondFamily())
        return ctx.hid->hid560_09H_Lod(rate, en);
    return ctx.hid->hid553_07H_Lod(rate, en);
}

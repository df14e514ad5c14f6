#include "operations/lightingoperations.h"

#include "operations/operationscontext.h"

#include "device/hid_thread.h"
#include "settings/settingsstore.h"

#include <QDebug>

namespace {

QString colourKey(uchar type)
{
    return QStringLiteral("mouse/dpiColorType") + QString::number(type);
}

} // namespace

bool LightingOperations::mouseSetLedType(uchar effect, uchar brightness, uchar speed,
                                         uchar direction, const QVariantList &rgbArray)
{
    hidDebugLine({QStringLiteral("effect = "), QString::number(effect)});
    hidDebugLine({QStringLiteral("brightness = "), QString::number(brightness)});
    hidDebugLine({QStringLiteral("speed = "), QString::number(speed)});
    hidDebugLine({QStringLiteral("direction = "), QString::number(direction)});
    // Without nospace the list would end in a blank of its own.
    QString listText;
    QDebug(&listText).nospace() << rgbArray;
    hidDebugLine({QStringLiteral("rgbArray = "), listText});
    Lighting::AttributeBlock block =
        Lighting::attributeBlock(effect, brightness, speed, direction, rgbArray);
    return ctx.hid && ctx.hid->hid553_16H_SetSlaveAttritube(block.data());
}

bool LightingOperations::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    if (ctx.isColorful())
        return setColourfulEffect(effect, option1, option2);
    return setPlainEffect(effect, option1, option2);
}

bool LightingOperations::setColourfulEffect(uchar effect, uchar option1, uchar option2)
{
    const Lighting::EffectCommand command = Lighting::colourfulEffect(effect, option1, option2);
    if (!ctx.isSecondFamily())
        return ctx.hid
               && ctx.hid->hid553_0DH_SetRGBLedEffect(command.code, command.operand1,
                                                      command.operand2);
    if (!ctx.haveImages(ctx.userAndGunImages()))
        return false;
    for (int imageNo = DeviceProfileImages::userImage; imageNo < DeviceProfileImages::count;
         ++imageNo)
        ctx.images.setEffect(imageNo, command);
    return ctx.sendUserAndGunImages();
}

bool LightingOperations::setPlainEffect(uchar effect, uchar option1, uchar option2)
{
    const Lighting::EffectCommand command = Lighting::plainEffect(effect, option1, option2);
    if (!ctx.isSecondFamily()) {
        // Only the 55328 variant takes the table's third value.
        const uchar third = ctx.is55328() ? command.operand2 : uchar(2);
        return ctx.hid
               && ctx.hid->hid553_0DH_SetRGBLedEffect(command.code, command.operand1, third);
    }
    if (!ctx.haveImages(ctx.userAndGunImages()))
        return false;
    for (int imageNo = DeviceProfileImages::userImage; imageNo < DeviceProfileImages::count;
         ++imageNo)
        ctx.images.setEffect(imageNo, {command.code, command.operand1, 2});
    if (ctx.isGun())
        return ctx.sendUserAndGunImages();
    ctx.images.image(DeviceProfileImages::userImage)[DeviceProfileImages::effectCode + 2] = 3;
    return ctx.sendImage(DeviceProfileImages::userImage);
}

bool LightingOperations::mouseSetRGBColor(uchar type, const QVariantList &src24)
{
    Lighting::StageColours colours = Lighting::stageColours(src24);
    if (ctx.isSecondFamily()) {
        const int imageNo = ctx.isColorful() ? 0 : DeviceProfileImages::userImage;
        if (!ctx.haveImages({imageNo}))
            return false;
        ctx.images.setStageColours(ctx.isColorful(), colours);
        return ctx.sendImage(imageNo);
    }
    if (!ctx.hid)
        return false;
    if (ctx.is55328()) {
        // This variant lights one fixed colour unless all eight stages are set.
        if (Lighting::hasLastStageColour(colours))
            return ctx.hid->hid553_10H_SetLED8StageColor(0, colours.data());
        return ctx.hid->hid553_0CH_SetFixLEDColor(colours.data());
    }
    const bool first = ctx.hid->hid553_10H_SetLED8StageColor(type, colours.data());
    return ctx.hid->hid553_10H_SetLED8StageColor(type, colours.data()) && first;
}

bool LightingOperations::ui_10H_SetLED8StageColor(uchar type, const QVariantList &src24)
{
    ctx.settings.setDataList(colourKey(type), src24);
    Lighting::StageColours colours = Lighting::stageColours(src24);
    if (type == 2)
        Lighting::packNibbles(colours);
    return ctx.hid && ctx.hid->hid553_10H_SetLED8StageColor(type, colours.data());
}

QVariantList LightingOperations::ui_90H_GetLED8StageColor(uchar type)
{
    QVariantList colours;
    const QVariantList stored = ctx.settings.getDataList(colourKey(type), false);
    for (const QVariant &value : stored)
        colours << value.toUInt();
    return colours;
}

bool LightingOperations::chkIsLogoLedWork()
{
    if (!ctx.hid)
        return false;
    uchar option1 = 0xFF, option2 = 0, option3 = 0;
    if (!ctx.hid->hid_87H_GetLEDInstructFunction(0, option1, option2, option3))
        return false;
    return option1 == 0;
}

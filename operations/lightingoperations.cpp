#include "operations/lightingoperations.h"

#include "operations/operationscontext.h"

#include "device/debugline.h"
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
    return ctx.driver().sendAttributes(block);
}

bool LightingOperations::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    if (ctx.isColorful())
        return setColourfulEffect(effect, option1, option2);
    return setPlainEffect(effect, option1, option2);
}

bool LightingOperations::setColourfulEffect(uchar effect, uchar option1, uchar option2)
{
    return ctx.driver().setColourfulEffect(Lighting::colourfulEffect(effect, option1, option2));
}

bool LightingOperations::setPlainEffect(uchar effect, uchar option1, uchar option2)
{
    return ctx.driver().setPlainEffect(Lighting::plainEffect(effect, option1, option2));
}

bool LightingOperations::mouseSetRGBColor(uchar type, const QVariantList &src24)
{
    Lighting::StageColours colours = Lighting::stageColours(src24);
    return ctx.driver().setStageColours(colours, type);
}

bool LightingOperations::ui_10H_SetLED8StageColor(uchar type, const QVariantList &src24)
{
    ctx.settings.setDataList(colourKey(type), src24);
    Lighting::StageColours colours = Lighting::stageColours(src24);
    if (type == 2)
        Lighting::packNibbles(colours);
    return ctx.driver().sendStageColourTable(type, colours);
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
    return ctx.driver().logoLedWorks();
}

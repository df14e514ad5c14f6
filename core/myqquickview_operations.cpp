// The view's device operation slots: each forwards to the plain operation
// classes, which hold the logic and are tested without a window.

#include "core/myqquickview.h"

#include "device/debugline.h"
#include "operations/deviceoperations.h"
#include "operations/macrotransfer.h"
#include "settings/settingsstore.h"

#include <QMetaObject>
#include <QQuickItem>

void myQQuickView::initOperations()
{
    operations.reset(new DeviceOperations(*settings));
}

void myQQuickView::attachOperationsToHid()
{
    operations->attachHid(hid);
}

void myQQuickView::mouseSetKeyMatrix(const QVariant &mouseMode, const QVariantList &src64,
                                     const QVariantList &src64_2, bool isSendData,
                                     const QVariantList &otherParam)
{
    // The mode and both matrices (33 keys) reach the profile in one write.
    const SettingsStore::Batch batch(*settings);
    operations->buttons.mouseSetKeyMatrix(mouseMode, src64, src64_2, isSendData, otherParam);
}

QVariantList myQQuickView::mouseGetKeydefine(const QVariant &mouseMode, const QVariant &index,
                                             bool isRecovery)
{
    return operations->buttons.mouseGetKeydefine(mouseMode, index, isRecovery);
}

void myQQuickView::mouseResetKeyMatrix()
{
    operations->buttons.mouseResetKeyMatrix();
}

void myQQuickView::mouseSwitchKeyMatrix(int indexNo)
{
    operations->buttons.mouseSwitchKeyMatrix(indexNo);
}

void myQQuickView::mouseSetDpi(int dpiCount, const QString &sensorType,
                               const QVariantList &dpiValueArray,
                               const QVariantList &dpiEnableArray)
{
    operations->dpi.mouseSetDpi(dpiCount, sensorType, dpiValueArray, dpiEnableArray);
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI)
{
    operations->dpi.mouseSetCurrentDPI(currentDPI);
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    return operations->dpi.mouseGetCurrentDPI();
}

void myQQuickView::setCurrentDPI(int dpiValue)
{
    // The DPI page moves its highlight to the stage; a stage it does not
    // have would leave it on none that exists.
    if (!isKnownStage(dpiValue)) {
        hidDebugLine({QStringLiteral("stage report refused"), QString::number(dpiValue)});
        return;
    }
    invokeScene("setCurrentDPI", Qt::DirectConnection, {dpiValue});
}

bool myQQuickView::isKnownStage(int stage)
{
    return operations->dpi.isKnownStage(stage);
}

void myQQuickView::mouseSetReportRate(uchar rate)
{
    operations->dpi.mouseSetReportRate(rate);
}

void myQQuickView::mouseSetLodValue(uchar rate, uchar en)
{
    operations->dpi.mouseSetLodValue(rate, en);
}

void myQQuickView::mouseSetLedType(uchar effect, uchar brightness, uchar speed, uchar direction,
                                   const QVariantList &rgbArray)
{
    operations->lighting.mouseSetLedType(effect, brightness, speed, direction, rgbArray);
}

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    operations->lighting.mouseSetRGBEffect(effect, option1, option2);
}

void myQQuickView::mouseSetRGBColor(uchar type, const QVariantList &src24)
{
    operations->lighting.mouseSetRGBColor(type, src24);
}

void myQQuickView::ui_10H_SetLED8StageColor(uchar type, const QVariantList &src24)
{
    operations->lighting.ui_10H_SetLED8StageColor(type, src24);
}

QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar type)
{
    return operations->lighting.ui_90H_GetLED8StageColor(type);
}

bool myQQuickView::chkIsLogoLedWork()
{
    return operations->lighting.chkIsLogoLedWork();
}

QVariant myQQuickView::mouseSendMacroData(const QVariantList &macroData, const QVariant &macroIndex)
{
    return operations->macros.mouseSendMacroData(macroData, macroIndex);
}

void myQQuickView::mouseSendGundata(int index, const QVariantList &data)
{
    operations->guns.mouseSendGundata(index, data);
}

QVariantList myQQuickView::GetKeyboardoption()
{
    return operations->guns.GetKeyboardoption();
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    operations->guns.mouseSetKeyboardoption(byte1, byte2, byte3, byte4);
}

void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed)
{
    operations->pointer.mouseSetCursorSpeed(cursorSpeed);
}

void myQQuickView::mouseSetDoubleClickSpeed(uint speed)
{
    operations->pointer.mouseSetDoubleClickSpeed(speed);
}

void myQQuickView::mouseSetVerticalScrollLines(uint lines)
{
    operations->pointer.mouseSetVerticalScrollLines(lines);
}

QVariantMap myQQuickView::pointerSettingsSupport()
{
    return operations->pointer.pointerSettingsSupport();
}

void myQQuickView::mouseSetProfile(uint profileNo)
{
    operations->profiles.mouseSetProfile(profileNo);
}

void myQQuickView::mouseReadProfile(uint profileNo)
{
    operations->profiles.mouseReadProfile(profileNo);
}

bool myQQuickView::mouseReadDeviceProfiles(int count)
{
    return operations->profiles.readDeviceProfiles(count);
}

void myQQuickView::beginMouseAction()
{
    operations->beginAction();
}

QString myQQuickView::endMouseAction()
{
    const QString outcome = outcomeName(operations->endAction());
    hidDebugLine({QStringLiteral("mouse action"), outcome});
    return outcome;
}

bool myQQuickView::macroFits(const QVariantList &macroData)
{
    return MacroTransfer::fitsBlock(macroData);
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    return operations->profiles.mouseReadCurrentProfile();
}

void myQQuickView::openUpdateExe()
{
    // There is no updater to start.
}

#include "operations/driver560.h"

#include "device/hid_thread.h"
#include "settings/settingsstore.h"

#include <utility>

bool Driver560::sendKeyMatrix(KeyMatrix &matrix, uchar matrixNo)
{
    return hid().hid560_0DH_SetKeyMatrix(matrix.data(), matrixNo);
}

bool Driver560::selectKeyMatrix(int matrixNo)
{
    return hid().hid560_02H_SetCurrentProfile(uchar(matrixNo));
}

std::optional<bool> Driver560::prepareGunMatrices(std::optional<uchar> switchMask)
{
    if (!haveImages({0}))
        return {};
    if (switchMask)
        profileImages.setGunSwitchMask(*switchMask);
    return sendImage(0);
}

bool Driver560::selectFirstGunMatrix()
{
    return hid().hid560_02H_SetCurrentProfile(1);
}

bool Driver560::sendDpiStages(DpiEncoding::StageCodes stages, int dpiCount,
                              const QString &sensorType, int, const QVariantList &)
{
    if (!haveImages(userAndGunImages()))
        return false;
    profileImages.setDpiStages(stages, DpiEncoding::stageEnableMask(dpiCount),
                               sensorType == QLatin1String("3389"));
    return sendUserAndGunImages();
}

bool Driver560::setCurrentDpi(uchar stage)
{
    return hid().hid560_04H_SetCurrentDPI(stage);
}

// The mouse answers for the profile named in byte 1, with the stage in byte 2.
int Driver560::currentDpiStage()
{
    uchar profile = 1;
    uchar stage = 0;
    hid().hid560_84H_GetCurrentDPI(profile, stage);
    return stage;
}

bool Driver560::setReportRate(uchar rate)
{
    return hid().hid560_03H_SetReportRate(rate);
}

bool Driver560::setLod(uchar rate, uchar enable)
{
    return hid().hid560_09H_Lod(rate, enable);
}

// Guns 1 to 3 own images 2 to 4.
bool Driver560::sendGunData(int gun, uchar repeat, uchar horizontal, uchar vertical)
{
    const int imageNo = gun + 1;
    if (!haveImages({imageNo}))
        return false;
    profileImages.setGunData(imageNo, repeat, horizontal, vertical);
    return sendImage(imageNo);
}

void Driver560::setEffectOnUserAndGunImages(const Lighting::EffectCommand &command)
{
    for (int imageNo = DeviceProfileImages::userImage; imageNo < DeviceProfileImages::count;
         ++imageNo)
        profileImages.setEffect(imageNo, command);
}

bool Driver560::setColourfulEffect(const Lighting::EffectCommand &command)
{
    if (!haveImages(userAndGunImages()))
        return false;
    setEffectOnUserAndGunImages(command);
    return sendUserAndGunImages();
}

bool Driver560::setPlainEffect(const Lighting::EffectCommand &command)
{
    if (!haveImages(userAndGunImages()))
        return false;
    setEffectOnUserAndGunImages({command.code, command.operand1, 2});
    if (settings.isGun())
        return sendUserAndGunImages();
    profileImages.image(DeviceProfileImages::userImage)[DeviceProfileImages::effectCode + 2] = 3;
    return sendImage(DeviceProfileImages::userImage);
}

bool Driver560::setStageColours(Lighting::StageColours &colours, uchar)
{
    const bool colourful = settings.isColorful();
    const int imageNo = colourful ? 0 : DeviceProfileImages::userImage;
    if (!haveImages({imageNo}))
        return false;
    profileImages.setStageColours(colourful, colours);
    return sendImage(imageNo);
}

bool Driver560::sendMacro(uchar macroId, MacroTransfer::MacroBlock &block)
{
    return hid().hid560_0FH_SetMacroKey(macroId, block.data());
}

bool Driver560::readImage(int imageNo)
{
    if (!link || !DeviceProfileImages::isValid(uint(imageNo)))
        return false;
    DeviceProfileImages::Image bytes{};
    if (!hid().hid560_8CH_readProfile(bytes.data(), uchar(imageNo)))
        return false;
    profileImages.setRead(imageNo, bytes);
    return true;
}

bool Driver560::refuseUnread(int imageNo)
{
    hidDebugLine({QStringLiteral("profile image not read, not sent"), QString::number(imageNo)});
    imageRefused = true;
    return false;
}

bool Driver560::haveImages(const QList<int> &imageNos)
{
    for (int imageNo : imageNos) {
        if (!profileImages.isRead(imageNo) && !readImage(imageNo))
            return refuseUnread(imageNo);
    }
    return true;
}

bool Driver560::sendImage(int imageNo)
{
    if (!link)
        return false;
    if (!profileImages.isRead(imageNo))
        return refuseUnread(imageNo);
    return hid().hid560_0CH_setProfile(profileImages.image(imageNo).data(), uchar(imageNo));
}

bool Driver560::takeRefusal()
{
    return std::exchange(imageRefused, false);
}

QList<int> Driver560::userAndGunImages() const
{
    QList<int> imageNos{DeviceProfileImages::userImage};
    if (settings.isGun()) {
        for (int imageNo = DeviceProfileImages::firstGunImage; imageNo < DeviceProfileImages::count;
             ++imageNo)
            imageNos << imageNo;
    }
    return imageNos;
}

bool Driver560::sendUserAndGunImages()
{
    bool sent = true;
    for (int imageNo : userAndGunImages())
        sent = sendImage(imageNo) && sent;
    return sent;
}

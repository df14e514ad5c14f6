#pragma once

#include "operations/deviceprofileimages.h"
#include "operations/linkdriver.h"

#include <QList>

// The second firmware family: DPI, lighting and gun settings live in five
// device profile images that go to the mouse whole, so the driver keeps the
// mouse's bytes and changes only what the program owns.
class Driver560 final : public LinkDriver
{
public:
    using LinkDriver::LinkDriver;

    bool sendKeyMatrix(KeyMatrix &matrix, uchar matrixNo) override;
    bool selectKeyMatrix(int matrixNo) override;
    std::optional<bool> prepareGunMatrices(std::optional<uchar> switchMask) override;
    bool selectFirstGunMatrix() override;
    bool sendDpiStages(DpiEncoding::StageCodes stages, int dpiCount, const QString &sensorType,
                       int valueCount, const QVariantList &dpiEnableArray) override;
    bool setCurrentDpi(uchar stage) override;
    int currentDpiStage() override;
    bool setReportRate(uchar rate) override;
    bool setLod(uchar rate, uchar enable) override;
    bool sendGunData(int gun, uchar repeat, uchar horizontal, uchar vertical) override;
    bool setColourfulEffect(const Lighting::EffectCommand &command) override;
    bool setPlainEffect(const Lighting::EffectCommand &command) override;
    bool setStageColours(Lighting::StageColours &colours, uchar type) override;
    bool sendMacro(uchar macroId, MacroTransfer::MacroBlock &block) override;

    // ---- the device profile images ----
    DeviceProfileImages &images() { return profileImages; }
    // Sends image `imageNo` as the profile of that number; an image that
    // could not be read from the mouse is not sent. Whatever changes an
    // image asks haveImages first, since a read would undo the change.
    bool sendImage(int imageNo);
    // Reads the images the connect could not; false when one still fails.
    bool haveImages(const QList<int> &imageNos);
    bool readImage(int imageNo);
    // Whether an image was held back as unread since the last call.
    bool takeRefusal();

private:
    bool refuseUnread(int imageNo);
    // The user's profile, and with the gun function the three gun profiles.
    QList<int> userAndGunImages() const;
    bool sendUserAndGunImages();
    void setEffectOnUserAndGunImages(const Lighting::EffectCommand &command);

    DeviceProfileImages profileImages;
    bool imageRefused = false;
};

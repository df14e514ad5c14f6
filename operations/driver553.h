#pragma once

#include "operations/linkdriver.h"

// The first firmware family: every setting has a command of its own.
class Driver553 final : public LinkDriver
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
};

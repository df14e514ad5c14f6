#pragma once

#include "operations/dpiencoding.h"
#include "operations/keyrecords.h"
#include "operations/lighting.h"
#include "operations/macrotransfer.h"

#include <QString>
#include <QVariantList>

#include <optional>

// What the operations ask of the mouse, in the operations' own words. Each
// firmware family answers with its command set (Driver553, Driver560), and
// without a device link nothing is sent (NullDriver). The sending calls say
// whether the mouse took everything.
class Driver
{
public:
    virtual ~Driver() = default;

    // ---- buttons: matrices 1 to 4 ----
    virtual bool sendKeyMatrix(KeyMatrix &matrix, uchar matrixNo) = 0;
    virtual bool selectKeyMatrix(int matrixNo) = 0;
    // Before the four matrices of a gun assignment: nothing when they must
    // not go out, else whether what went ahead was taken.
    virtual std::optional<bool> prepareGunMatrices(std::optional<uchar> switchMask) = 0;
    // After them the mouse follows matrix 1, named by its number on both
    // families (unlike selectKeyMatrix on the first).
    virtual bool selectFirstGunMatrix() = 0;

    // ---- DPI, report rate, lift-off ----
    virtual bool sendDpiStages(DpiEncoding::StageCodes stages, int dpiCount,
                               const QString &sensorType, int valueCount,
                               const QVariantList &dpiEnableArray) = 0;
    virtual bool setCurrentDpi(uchar stage) = 0;
    // The stage the mouse names; 0 when it gives none.
    virtual int currentDpiStage() = 0;
    virtual bool setReportRate(uchar rate) = 0;
    virtual bool setLod(uchar rate, uchar enable) = 0;

    // ---- guns 1 to 3 ----
    virtual bool sendGunData(int gun, uchar repeat, uchar horizontal, uchar vertical) = 0;

    // ---- lighting ----
    virtual bool setColourfulEffect(const Lighting::EffectCommand &command) = 0;
    virtual bool setPlainEffect(const Lighting::EffectCommand &command) = 0;
    virtual bool setStageColours(Lighting::StageColours &colours, uchar type) = 0;

    // ---- macros ----
    virtual bool sendMacro(uchar macroId, MacroTransfer::MacroBlock &block) = 0;

    // ---- the commands every family answers the same way ----
    virtual bool sendAttributes(Lighting::AttributeBlock &block) = 0;
    // Out-parameters stay as given when the mouse does not answer.
    virtual void keyboardOption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4) = 0;
    virtual bool setKeyboardOption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) = 0;
    virtual bool sendStageColourTable(uchar type, Lighting::StageColours &colours) = 0;
    virtual bool logoLedWorks() = 0;
    // The device profile the mouse plays; 0 when it gives none.
    virtual int currentProfile() = 0;
};

// No device link: nothing is sent, and nothing is taken.
class NullDriver final : public Driver
{
public:
    bool sendKeyMatrix(KeyMatrix &, uchar) override { return false; }
    bool selectKeyMatrix(int) override { return false; }
    std::optional<bool> prepareGunMatrices(std::optional<uchar>) override { return {}; }
    bool selectFirstGunMatrix() override { return false; }
    bool sendDpiStages(DpiEncoding::StageCodes, int, const QString &, int,
                       const QVariantList &) override
    {
        return false;
    }
    bool setCurrentDpi(uchar) override { return false; }
    int currentDpiStage() override { return 0; }
    bool setReportRate(uchar) override { return false; }
    bool setLod(uchar, uchar) override { return false; }
    bool sendGunData(int, uchar, uchar, uchar) override { return false; }
    bool setColourfulEffect(const Lighting::EffectCommand &) override { return false; }
    bool setPlainEffect(const Lighting::EffectCommand &) override { return false; }
    bool setStageColours(Lighting::StageColours &, uchar) override { return false; }
    bool sendMacro(uchar, MacroTransfer::MacroBlock &) override { return false; }
    bool sendAttributes(Lighting::AttributeBlock &) override { return false; }
    void keyboardOption(uchar &, uchar &, uchar &, uchar &) override {}
    bool setKeyboardOption(uchar, uchar, uchar, uchar) override { return false; }
    bool sendStageColourTable(uchar, Lighting::StageColours &) override { return false; }
    bool logoLedWorks() override { return false; }
    int currentProfile() override { return 0; }
};

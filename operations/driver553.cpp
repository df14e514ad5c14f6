#include "operations/driver553.h"

#include "device/hid_thread.h"
#include "settings/settingsstore.h"

bool Driver553::sendKeyMatrix(KeyMatrix &matrix, uchar matrixNo)
{
    return hid().hid553_12H_SetKeyMatrix(matrix.data(), matrixNo);
}

// The first family counts its matrices from 0.
bool Driver553::selectKeyMatrix(int matrixNo)
{
    return hid().hid553_02H_SetCurrentKeyMatrix(uchar(matrixNo - 1));
}

std::optional<bool> Driver553::prepareGunMatrices(std::optional<uchar>)
{
    return true;
}

bool Driver553::selectFirstGunMatrix()
{
    return hid().hid553_02H_SetCurrentKeyMatrix(1);
}

bool Driver553::sendDpiStages(DpiEncoding::StageCodes stages, int, const QString &, int valueCount,
                              const QVariantList &dpiEnableArray)
{
    DpiEncoding::applyStageEnables(stages, valueCount, dpiEnableArray);
    return hid().hid553_11H_SetDPISet(DpiEncoding::stageCount, stages.codes.data());
}

bool Driver553::setCurrentDpi(uchar stage)
{
    return hid().hid553_0BH_SetCurrentDPI(stage);
}

int Driver553::currentDpiStage()
{
    uchar stage = 0;
    hid().hid553_8BH_GetCurrentDPI(stage);
    return stage;
}

bool Driver553::setReportRate(uchar rate)
{
    return hid().hid553_01H_SetReportRate(rate);
}

bool Driver553::setLod(uchar rate, uchar enable)
{
    return hid().hid553_07H_Lod(rate, enable);
}

bool Driver553::sendGunData(int gun, uchar repeat, uchar horizontal, uchar vertical)
{
    uchar byte1 = 0, byte2 = 0, byte3 = 0, byte4 = 0;
    hid().hid553_83H_GetKeyboardoption(byte1, byte2, byte3, byte4);
    // With this option set the sensor's vertical axis runs the other way.
    const uchar y = byte3 != 0 ? uchar(0x100 - vertical) : vertical;
    return hid().hid553_04H_SetGunData(repeat, horizontal, y, uchar(gun - 1));
}

bool Driver553::setColourfulEffect(const Lighting::EffectCommand &command)
{
    return hid().hid553_0DH_SetRGBLedEffect(command.code, command.operand1, command.operand2);
}

bool Driver553::setPlainEffect(const Lighting::EffectCommand &command)
{
    // Only the 55328 variant takes the table's third value.
    const uchar third = settings.is55328() ? command.operand2 : uchar(2);
    return hid().hid553_0DH_SetRGBLedEffect(command.code, command.operand1, third);
}

bool Driver553::setStageColours(Lighting::StageColours &colours, uchar type)
{
    if (settings.is55328()) {
        // This variant lights one fixed colour unless all eight stages are set.
        if (Lighting::hasLastStageColour(colours))
            return hid().hid553_10H_SetLED8StageColor(0, colours.data());
        return hid().hid553_0CH_SetFixLEDColor(colours.data());
    }
    const bool first = hid().hid553_10H_SetLED8StageColor(type, colours.data());
    return hid().hid553_10H_SetLED8StageColor(type, colours.data()) && first;
}

bool Driver553::sendMacro(uchar macroId, MacroTransfer::MacroBlock &block)
{
    return hid().hid553_13H_SetMacroKey(macroId, block.data());
}

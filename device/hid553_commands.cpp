// Commands of the first firmware family (every icType other than "560").
#include "device/hid_thread.h"

#include <QString>

namespace {

QString num(int value)
{
    return QString::number(value);
}

QString address(const void *pointer)
{
    return QStringLiteral("0x") + QString::number(quintptr(pointer), 16);
}

} // namespace

bool Hid_Thread::hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3,
                                              uchar &byte4)
{
    if (!requestReply("cmd Failed 83", 0x83, {}))
        return false;
    byte1 = inReport[2];
    byte2 = inReport[3];
    byte3 = inReport[4];
    byte4 = inReport[5];
    return true;
}

bool Hid_Thread::hid553_8BH_GetCurrentDPI(uchar &byte1)
{
    if (!requestReply("cmd Failed 8BH", 0x8B, {}))
        return false;
    byte1 = inReport[2];
    return true;
}

bool Hid_Thread::hid553_01H_SetReportRate(uchar rate)
{
    hidDebugLine({QStringLiteral("hid553_01H_SetReportRate = "), num(rate)});
    return sendCommand("cmd Failed 01", 0x01, {rate});
}

bool Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix)
{
    hidDebugLine({QStringLiteral("hid553_02H_SetCurrentKeyMatrix = "), num(currentKeyMatrix)});
    return sendCommand("cmd Failed 02", 0x02, {currentKeyMatrix});
}

bool Hid_Thread::hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    hidDebugLine({QStringLiteral("hid553_03H_SetKeyboardoption , byte1-4 ="), num(byte1),
                  num(byte2), num(byte3), num(byte4)});
    return sendCommand("cmd Failed 03", 0x03, {byte1, byte2, byte3, byte4}, Pace::Brief);
}

bool Hid_Thread::hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    return sendCommand("cmd Failed 04", 0x04, {0, byte1, byte2, byte3, byte4}, Pace::Brief);
}

bool Hid_Thread::hid553_07H_Lod(uchar stage, uchar en)
{
    return sendCommand("hid553_07H_Lod", 0x07, {0, stage, 0x7D, en});
}

bool Hid_Thread::hid553_0BH_SetCurrentDPI(uchar stage)
{
    hidDebugLine({QStringLiteral("hid553_0BH_SetCurrentDPI = "), num(stage)});
    return sendCommand("cmd Failed 0B", 0x0B, {stage});
}

bool Hid_Thread::hid553_0CH_SetFixLEDColor(uchar *src3)
{
    return sendCommand("cmd Failed 0C", 0x0C, {src3[0], src3[1], src3[2]});
}

bool Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    hidDebugLine({QStringLiteral("hid553_0DH_SetRGBLedEffect , effect = "), num(effect),
                  num(option1), num(option2)});
    return sendCommand("cmd Failed 0D", 0x0D, {effect, option1, option2});
}

bool Hid_Thread::hid553_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    hidDebugLine({QStringLiteral("hid553_10H_SetLED8StageColor , type = "), num(type),
                  QStringLiteral(",src24 = "), address(src24)});
    const uchar length = type == 2 ? 4 : 24;
    return sendCommand("cmd Failed 10", 0x10, {type, length}, Pace::Settle, {src24, length});
}

bool Hid_Thread::hid553_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    hidDebugLine({QStringLiteral("hid553_11H_SetDPISet ,dpiStage = "), num(dpiStage)});
    QStringList codes{QStringLiteral("DPI - src8 = ")};
    for (int i = 0; i < 8; ++i)
        codes << num(src8[i]);
    hidDebugLine(codes);
    return sendCommand("cmd Failed 11", 0x11, {dpiStage, 0x08}, Pace::Settle, {src8, 8});
}

bool Hid_Thread::hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    hidDebugLine({QStringLiteral("hid553_12H_SetKeyMatrix , indexAddOne = "), num(indexAddOne)});
    return sendCommand("cmd Failed 12", 0x12, {indexAddOne, 0x40, 0x08}, Pace::Settle, {src64, 64});
}

bool Hid_Thread::hid553_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    hidDebugLine({QStringLiteral("hid553_13H_SetMacroKey , macroId = "), num(macroId),
                  QStringLiteral(",src128 = "), address(src128)});
    return sendCommand("cmd Failed 13", 0x13, {macroId, 0x80}, Pace::Settle, {src128, 128});
}

bool Hid_Thread::hid553_16H_SetSlaveAttritube(uchar *src64)
{
    hidDebugLine({QStringLiteral("hid553_16H_SetSlaveAttritube = ")});
    return sendCommand("cmd Failed 16", 0x16, {0, 0x40}, Pace::Settle, {src64, 64});
}

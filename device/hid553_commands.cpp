// Commands of the first firmware family (every icType other than "560").
#include "hid_thread.h"

#include <QString>

#include <cstring>

namespace {

constexpr int kAfterCommandMs = 8;

QString num(int value)
{
    return QString::number(value);
}

QString address(const void *pointer)
{
    return QStringLiteral("0x") + QString::number(quintptr(pointer), 16);
}

void timeoutLine(const char *text)
{
    hidDebugLine({QString::fromLatin1(text)});
}

} // namespace

bool Hid_Thread::tryGetKeyboardOption553(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 83");
        return false;
    }
    beginReport(0x83, {});
    if (!exchangeGet(0))
        return false;
    byte1 = inReport[2];
    byte2 = inReport[3];
    byte3 = inReport[4];
    byte4 = inReport[5];
    return true;
}

bool Hid_Thread::tryGetCurrentDpi553(uchar &byte1)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 8BH");
        return false;
    }
    beginReport(0x8B, {});
    if (!exchangeGet(0))
        return false;
    byte1 = inReport[2];
    return true;
}

bool Hid_Thread::hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    return tryGetKeyboardOption553(byte1, byte2, byte3, byte4);
}

bool Hid_Thread::hid553_8BH_GetCurrentDPI(uchar &byte1)
{
    return tryGetCurrentDpi553(byte1);
}

void Hid_Thread::hid553_01H_SetReportRate(uchar rate)
{
    hidDebugLine({QStringLiteral("hid553_01H_SetReportRate = "), num(rate)});
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 01");
        return;
    }
    beginReport(0x01, {rate});
    exchangeSet(0, true);
}

void Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix)
{
    hidDebugLine({QStringLiteral("hid553_02H_SetCurrentKeyMatrix = "), num(currentKeyMatrix)});
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 02");
        return;
    }
    beginReport(0x02, {currentKeyMatrix});
    exchangeSet(0, true);
}

void Hid_Thread::hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    hidDebugLine({QStringLiteral("hid553_03H_SetKeyboardoption , byte1-4 ="),
                  num(byte1), num(byte2), num(byte3), num(byte4)});
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 03");
        return;
    }
    beginReport(0x03, {byte1, byte2, byte3, byte4});
    exchangeSet(0, false);
    sleepMs(kAfterCommandMs);
}

void Hid_Thread::hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 04");
        return;
    }
    beginReport(0x04, {0, byte1, byte2, byte3, byte4});
    exchangeSet(0, false);
    sleepMs(kAfterCommandMs);
}

void Hid_Thread::hid553_07H_Lod(uchar stage, uchar en)
{
    if (!waitHidIdle()) {
        timeoutLine("hid553_07H_Lod");
        return;
    }
    beginReport(0x07, {0, stage, 0x7D, en});
    exchangeSet(0, true);
}

void Hid_Thread::hid553_0BH_SetCurrentDPI(uchar stage)
{
    hidDebugLine({QStringLiteral("hid553_0BH_SetCurrentDPI = "), num(stage)});
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 0B");
        return;
    }
    beginReport(0x0B, {stage});
    exchangeSet(0, true);
}

void Hid_Thread::hid553_0CH_SetFixLEDColor(uchar *src3)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 0C");
        return;
    }
    beginReport(0x0C, {src3[0], src3[1], src3[2]});
    exchangeSet(0, true);
}

void Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    hidDebugLine({QStringLiteral("hid553_0DH_SetRGBLedEffect , effect = "),
                  num(effect), num(option1), num(option2)});
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 0D");
        return;
    }
    beginReport(0x0D, {effect, option1, option2});
    exchangeSet(0, true);
}

void Hid_Thread::hid553_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    hidDebugLine({QStringLiteral("hid553_10H_SetLED8StageColor , type = "), num(type),
                  QStringLiteral(",src24 = "), address(src24)});
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 10");
        return;
    }
    const uchar length = type == 2 ? 4 : 24;
    beginReport(0x10, {type, length});
    std::memcpy(bulkBuf, src24, length);
    exchangeSet(length, true);
}

void Hid_Thread::hid553_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    hidDebugLine({QStringLiteral("hid553_11H_SetDPISet ,dpiStage = "), num(dpiStage)});
    QStringList codes{QStringLiteral("DPI - src8 = ")};
    for (int i = 0; i < 8; ++i)
        codes << num(src8[i]);
    hidDebugLine(codes);
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 11");
        return;
    }
    beginReport(0x11, {dpiStage, 0x08});
    std::memcpy(bulkBuf, src8, 8);
    exchangeSet(8, true);
}

void Hid_Thread::hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    hidDebugLine({QStringLiteral("hid553_12H_SetKeyMatrix , indexAddOne = "), num(indexAddOne)});
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 12");
        return;
    }
    beginReport(0x12, {indexAddOne, 0x40, 0x08});
    std::memcpy(bulkBuf, src64, 64);
    exchangeSet(64, true);
}

void Hid_Thread::hid553_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    hidDebugLine({QStringLiteral("hid553_13H_SetMacroKey , macroId = "), num(macroId),
                  QStringLiteral(",src128 = "), address(src128)});
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 13");
        return;
    }
    beginReport(0x13, {macroId, 0x80});
    std::memcpy(bulkBuf, src128, 128);
    exchangeSet(128, true);
}

void Hid_Thread::hid553_16H_SetSlaveAttritube(uchar *src64)
{
    hidDebugLine({QStringLiteral("hid553_16H_SetSlaveAttritube = ")});
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 16");
        return;
    }
    beginReport(0x16, {0, 0x40});
    std::memcpy(bulkBuf, src64, 64);
    exchangeSet(64, true);
}

// Commands of the second firmware family (icType "560"), plus the lighting
// instruction query that both families answer.
#include "hid_thread.h"

#include <QString>

#include <cstring>

namespace {

constexpr int kAfterCommandMs = 8;
constexpr int kProfileCount = 4;

void timeoutLine(const char *text)
{
    hidDebugLine({QString::fromLatin1(text)});
}

} // namespace

bool Hid_Thread::tryGetKeyboardOption560(uchar &byte1, uchar &byte2)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 81");
        return false;
    }
    beginReport(0x81, {});
    if (!exchangeGet(0))
        return false;
    byte1 = inReport[2];
    byte2 = inReport[3];
    return true;
}

bool Hid_Thread::tryGetCurrentDpi560(uchar &byte1, uchar &byte2)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 84");
        return false;
    }
    beginReport(0x84, {byte1});
    if (!exchangeGet(0))
        return false;
    byte1 = inReport[2];
    byte2 = inReport[3];
    return true;
}

bool Hid_Thread::hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2)
{
    return tryGetKeyboardOption560(byte1, byte2);
}

bool Hid_Thread::hid560_82H_GetCurrentProfile(uchar &byte1)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 82");
        return false;
    }
    beginReport(0x82, {});
    if (!exchangeGet(0))
        return false;
    byte1 = inReport[2];
    return true;
}

bool Hid_Thread::hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2)
{
    return tryGetCurrentDpi560(byte1, byte2);
}

bool Hid_Thread::hid560_8CH_readProfile(uchar *src128, uchar profileNo)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 8c");
        return false;
    }
    beginReport(0x8C, {profileNo});
    if (!exchangeGet(128))
        return false;
    std::memcpy(src128, bulkBuf, 128);
    return true;
}

bool Hid_Thread::hid_87H_GetLEDInstructFunction(uchar type, uchar &option1, uchar &option2, uchar &option3)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed");
        return false;
    }
    beginReport(0x87, {type});
    inReport[0] = 0;
    const bool replied = exchangeGet(0);
    if (replied) {
        option1 = inReport[3];
        option2 = inReport[4];
        option3 = inReport[5];
    }
    return replied;
}

void Hid_Thread::hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 01");
        return;
    }
    beginReport(0x01, {byte1, byte2});
    exchangeSet(0, false);
    sleepMs(kAfterCommandMs);
}

void Hid_Thread::hid560_02H_SetCurrentProfile(uchar profile)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 02");
        return;
    }
    beginReport(0x02, {profile});
    exchangeSet(0, false);
    sleepMs(kAfterCommandMs);
}

void Hid_Thread::perProfileLoop(uchar opcode, uchar value, const char *timeoutText)
{
    if (!waitHidIdle()) {
        timeoutLine(timeoutText);
        return;
    }
    for (uchar profile = 1; profile <= kProfileCount; ++profile) {
        beginReport(opcode, {profile, value});
        exchangeSet(0, true);
        if (gunModel || profile == kProfileCount)
            break;
        // Every exchange hands the flag back, but the loop is one command:
        // keep holding it so a handler run by the next exchange's event
        // processing cannot slip its own report into outReport.
        idle = false;
    }
}

void Hid_Thread::hid560_03H_SetReportRate(uchar rate)
{
    perProfileLoop(0x03, rate, "cmd Failed 03");
}

void Hid_Thread::hid560_04H_SetCurrentDPI(uchar stage)
{
    perProfileLoop(0x04, stage, "cmd Failed 04");
}

void Hid_Thread::hid560_09H_Lod(uchar stage, uchar en)
{
    if (!waitHidIdle()) {
        timeoutLine("hid560_09H_Lod");
        return;
    }
    beginReport(0x09, {uchar(en ? stage : 0), 0x7D});
    exchangeSet(0, true);
}

void Hid_Thread::hid560_0CH_setProfile(uchar *src128, uchar profileData)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 0C");
        return;
    }
    beginReport(0x0C, {profileData, 0x80});
    std::memcpy(bulkBuf, src128, 128);
    exchangeSet(128, true);
}

void Hid_Thread::hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 0D");
        return;
    }
    beginReport(0x0D, {indexAddOne, 0x80});
    uchar block[128] = {};
    std::memcpy(block, src64, 64);
    std::memcpy(bulkBuf, block, sizeof(block));
    exchangeSet(128, true);
}

void Hid_Thread::hid560_0FH_SetMacroKey(uchar macroId, uchar *src128)
{
    if (!waitHidIdle()) {
        timeoutLine("cmd Failed 0F");
        return;
    }
    beginReport(0x0F, {macroId, 0x80});
    std::memcpy(bulkBuf, src128, 128);
    exchangeSet(128, true);
}

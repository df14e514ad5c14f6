// Commands of the second firmware family (icType "560"), plus the lighting
// instruction query that both families answer.
#include "device/hid_thread.h"

#include <QString>

#include <cstring>

namespace {

constexpr int kProfileCount = 4;

} // namespace

bool Hid_Thread::tryGetKeyboardOption560(uchar &byte1, uchar &byte2)
{
    if (!requestReply("cmd Failed 81", 0x81, {}))
        return false;
    byte1 = inReport[2];
    byte2 = inReport[3];
    return true;
}

bool Hid_Thread::tryGetCurrentDpi560(uchar &byte1, uchar &byte2)
{
    if (!requestReply("cmd Failed 84", 0x84, {byte1}))
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
    if (!requestReply("cmd Failed 82", 0x82, {}))
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
    if (!requestReply("cmd Failed 8c", 0x8C, {profileNo}, 128))
        return false;
    std::memcpy(src128, bulkBuf, 128);
    return true;
}

bool Hid_Thread::hid_87H_GetLEDInstructFunction(uchar type, uchar &option1, uchar &option2,
                                                uchar &option3)
{
    if (!requestReply("cmd Failed", 0x87, {type}))
        return false;
    option1 = inReport[3];
    option2 = inReport[4];
    option3 = inReport[5];
    return true;
}

void Hid_Thread::hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2)
{
    sendCommand("cmd Failed 01", 0x01, {byte1, byte2}, Pace::Brief);
}

void Hid_Thread::hid560_02H_SetCurrentProfile(uchar profile)
{
    sendCommand("cmd Failed 02", 0x02, {profile}, Pace::Brief);
}

void Hid_Thread::perProfileLoop(uchar opcode, uchar value, const char *timeoutText)
{
    if (!waitHidIdle()) {
        hidDebugLine({QString::fromLatin1(timeoutText)});
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
    sendCommand("hid560_09H_Lod", 0x09, {uchar(en ? stage : 0), 0x7D});
}

void Hid_Thread::hid560_0CH_setProfile(uchar *src128, uchar profileData)
{
    sendCommand("cmd Failed 0C", 0x0C, {profileData, 0x80}, Pace::Settle, {src128, 128});
}

void Hid_Thread::hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    // The mouse takes a 128-byte block; the matrix fills its first half.
    uchar block[128] = {};
    std::memcpy(block, src64, 64);
    sendCommand("cmd Failed 0D", 0x0D, {indexAddOne, 0x80}, Pace::Settle, block);
}

void Hid_Thread::hid560_0FH_SetMacroKey(uchar macroId, uchar *src128)
{
    sendCommand("cmd Failed 0F", 0x0F, {macroId, 0x80}, Pace::Settle, {src128, 128});
}

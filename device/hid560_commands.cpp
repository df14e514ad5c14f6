// Commands of the second firmware family (icType "560"), plus the lighting
// instruction query that both families answer.
#include "device/hid_thread.h"

#include <QString>

#include <cstring>

namespace {

constexpr int kProfileCount = 4;

} // namespace

bool Hid_Thread::hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2)
{
    if (!requestReply("cmd Failed 81", 0x81, {}))
        return false;
    byte1 = inReport[2];
    byte2 = inReport[3];
    return true;
}

bool Hid_Thread::hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2)
{
    if (!requestReply("cmd Failed 84", 0x84, {byte1}))
        return false;
    byte1 = inReport[2];
    byte2 = inReport[3];
    return true;
}

bool Hid_Thread::hid560_82H_GetCurrentProfile(uchar &byte1)
{
    if (!requestReply("cmd Failed 82", 0x82, {}))
        return false;
    byte1 = inReport[2];
    return true;
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

bool Hid_Thread::hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2)
{
    return sendCommand("cmd Failed 01", 0x01, {byte1, byte2}, Pace::Brief);
}

bool Hid_Thread::hid560_02H_SetCurrentProfile(uchar profile)
{
    return sendCommand("cmd Failed 02", 0x02, {profile}, Pace::Brief);
}

bool Hid_Thread::perProfileLoop(uchar opcode, uchar value, const char *timeoutText)
{
    if (!mayCommand(timeoutText))
        return false;
    if (!waitHidIdle()) {
        hidDebugLine({QString::fromLatin1(timeoutText)});
        return noteCommand(false);
    }
    bool taken = true;
    for (uchar profile = 1; profile <= kProfileCount; ++profile) {
        beginReport(opcode, {profile, value});
        taken = exchangeSet(0, true) && taken;
        // A mouse that stopped answering would cost a time-out per profile.
        if (gunModel || profile == kProfileCount || replyTimedOut)
            break;
        // Every exchange hands the flag back, but the loop is one command:
        // keep holding it so a handler run by the next exchange's event
        // processing cannot slip its own report into outReport.
        idle = false;
    }
    return noteCommand(taken);
}

bool Hid_Thread::hid560_03H_SetReportRate(uchar rate)
{
    return perProfileLoop(0x03, rate, "cmd Failed 03");
}

bool Hid_Thread::hid560_04H_SetCurrentDPI(uchar stage)
{
    return perProfileLoop(0x04, stage, "cmd Failed 04");
}

bool Hid_Thread::hid560_09H_Lod(uchar stage, uchar en)
{
    return sendCommand("hid560_09H_Lod", 0x09, {uchar(en ? stage : 0), 0x7D});
}

bool Hid_Thread::hid560_0CH_setProfile(uchar *src128, uchar profileData)
{
    return sendCommand("cmd Failed 0C", 0x0C, {profileData, 0x80}, Pace::Settle, {src128, 128});
}

bool Hid_Thread::hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    // The mouse takes a 128-byte block; the matrix fills its first half.
    uchar block[128] = {};
    std::memcpy(block, src64, 64);
    return sendCommand("cmd Failed 0D", 0x0D, {indexAddOne, 0x80}, Pace::Settle, block);
}

bool Hid_Thread::hid560_0FH_SetMacroKey(uchar macroId, uchar *src128)
{
    return sendCommand("cmd Failed 0F", 0x0F, {macroId, 0x80}, Pace::Settle, {src128, 128});
}

#pragma once

#include <QtGlobal>

// Command report: 9 bytes, report id 0, opcode in byte 1, P1..P6 in bytes 2..7,
// checksum in byte 8. Bytes 1..8 form the command block that may be scrambled.
constexpr int kReportSize = 9;

// Process-wide key block for the scrambling; all zero until a device entry
// with a six-character sCode is made current.
extern uchar SecrecyCode[8];

// The character codes of "KaVrpUdi".
extern const uchar scrambleTable[8];

// Complement of the byte sum of the 7 bytes at cmd (opcode and P1..P6).
uchar hidCS(uchar *cmd);

// Scramble / unscramble the 8 bytes at FIFOBuf in place; each is the exact
// inverse of the other for the same key block.
void USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[]);
void USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[]);

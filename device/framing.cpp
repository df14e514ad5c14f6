#include "device/framing.h"

#include <utility>

uchar SecrecyCode[8] = {0, 0, 0, 0, 0, 0, 0, 0};

const uchar scrambleTable[8] = {'K', 'a', 'V', 'r', 'p', 'U', 'd', 'i'};

namespace {

uchar swapNibbles(uchar x)
{
    return uchar((x << 4) | (x >> 4));
}

void swapPairs(uchar *b)
{
    std::swap(b[0], b[5]);
    std::swap(b[1], b[4]);
    std::swap(b[2], b[7]);
    std::swap(b[3], b[6]);
}

void xorKey(uchar *b, const uchar *key)
{
    for (int i = 1; i <= 6; ++i)
        b[i] ^= key[i];
}

void rotateLeft3(uchar *b)
{
    const uchar top = b[0];
    for (int i = 0; i < 7; ++i)
        b[i] = uchar((b[i] << 3) | (b[i + 1] >> 5));
    b[7] = uchar((b[7] << 3) | (top >> 5));
}

void rotateRight3(uchar *b)
{
    const uchar bottom = b[7];
    for (int i = 7; i > 0; --i)
        b[i] = uchar((b[i] >> 3) | (b[i - 1] << 5));
    b[0] = uchar((b[0] >> 3) | (bottom << 5));
}

} // namespace

uchar hidCS(uchar *cmd)
{
    uchar sum = 0;
    for (int i = 0; i < 7; ++i)
        sum = uchar(sum + cmd[i]);
    return uchar(0xFF - sum);
}

void USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[])
{
    swapPairs(FIFOBuf);
    xorKey(FIFOBuf, SecrecyCode);
    rotateLeft3(FIFOBuf);
    for (int i = 0; i < 8; ++i)
        FIFOBuf[i] = uchar(FIFOBuf[i] + swapNibbles(scrambleTable[i]));
}

void USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[])
{
    for (int i = 0; i < 8; ++i)
        FIFOBuf[i] = uchar(FIFOBuf[i] - swapNibbles(scrambleTable[i]));
    rotateRight3(FIFOBuf);
    xorKey(FIFOBuf, SecrecyCode);
    swapPairs(FIFOBuf);
}

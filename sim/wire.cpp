// Firmware-side checksum and scrambling of the 8-byte command block. Kept
// separate from the program's own framing code on purpose: if the two ever
// disagree, the virtual mouse sees bad checksums and counts protocol errors.
#include "sim/virtualmouse.h"

namespace kairo::sim::wire {
namespace {

constexpr quint8 scrambleKey[8] = {'K', 'a', 'V', 'r', 'p', 'U', 'd', 'i'};

quint8 nibbleSwap(quint8 x)
{
    return quint8((x << 4) | (x >> 4));
}

void swapPairs(quint8 b[8])
{
    std::swap(b[0], b[5]);
    std::swap(b[1], b[4]);
    std::swap(b[2], b[7]);
    std::swap(b[3], b[6]);
}

void xorWithCode(quint8 b[8], const quint8 code[8])
{
    for (int i = 1; i <= 6; ++i)
        b[i] ^= code[i];
}

quint64 toWord(const quint8 b[8])
{
    quint64 word = 0;
    for (int i = 0; i < 8; ++i)
        word = (word << 8) | b[i];
    return word;
}

void fromWord(quint64 word, quint8 b[8])
{
    for (int i = 7; i >= 0; --i) {
        b[i] = quint8(word & 0xff);
        word >>= 8;
    }
}

} // namespace

quint8 checksum(const quint8 *block7)
{
    quint8 sum = 0;
    for (int i = 0; i < 7; ++i)
        sum = quint8(sum + block7[i]);
    return quint8(0xff - sum);
}

void scramble(quint8 block[8], const quint8 code[8])
{
    swapPairs(block);
    xorWithCode(block, code);
    const quint64 word = toWord(block);
    fromWord((word << 3) | (word >> 61), block);
    for (int i = 0; i < 8; ++i)
        block[i] = quint8(block[i] + nibbleSwap(scrambleKey[i]));
}

void descramble(quint8 block[8], const quint8 code[8])
{
    for (int i = 0; i < 8; ++i)
        block[i] = quint8(block[i] - nibbleSwap(scrambleKey[i]));
    const quint64 word = toWord(block);
    fromWord((word >> 3) | (word << 61), block);
    xorWithCode(block, code);
    swapPairs(block);
}

std::array<quint8, 8> secrecyCode(const QString &sCode)
{
    std::array<quint8, 8> code{};
    if (sCode.size() != 6)
        return code;
    for (int i = 0; i < 6; ++i) {
        const char16_t c = sCode.at(i).unicode();
        code[i] = c > 0xff ? 0 : quint8(c);
    }
    return code;
}

} // namespace kairo::sim::wire

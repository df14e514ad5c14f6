// Cost of framing one command block: the checksum, and the scrambling that
// encoded mice need on every command report and every reply.
#include "device/framing.h"

#include "sim/virtualmouse.h"

#include <QByteArray>
#include <QTest>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

using Block = std::array<uchar, 8>;

// Report bytes 1..8 of a get-current-stage command: opcode, six zero
// parameters, checksum.
constexpr Block stageQuery = {0x8B, 0, 0, 0, 0, 0, 0, 0x74};

QByteArray bytesOf(const Block &block)
{
    return QByteArray(reinterpret_cast<const char *>(block.data()), int(block.size()));
}

void loadCode(const char *sCode)
{
    std::fill(std::begin(SecrecyCode), std::end(SecrecyCode), uchar(0));
    for (int i = 0; i < 6 && sCode[i]; ++i)
        SecrecyCode[i] = uchar(sCode[i]);
}

} // namespace

class BenchFraming : public QObject
{
    Q_OBJECT

private slots:
    void init() { loadCode("424242"); }
    void cleanupTestCase() { loadCode(""); }

    void checksum()
    {
        // Key-matrix write header: 12 01 40 08, rest zero.
        Block block = {0x12, 0x01, 0x40, 0x08, 0, 0, 0, 0};
        QCOMPARE(int(hidCS(block.data())), 0xA4);
        Block sumsToFF = {0xF0, 0x0F, 0, 0, 0, 0, 0, 0};
        QCOMPARE(int(hidCS(sumsToFF.data())), 0x00);

        QBENCHMARK
        {
            block[7] = hidCS(block.data());
        }
        QCOMPARE(int(block[7]), 0xA4);
    }

    void scramble()
    {
        Block block = stageQuery;
        USBDataEncryption(block.data(), SecrecyCode);
        QCOMPARE(bytesOf(block), QByteArray::fromHex("b5a866b8ac1d4696"));
        // The firmware side of the virtual mouse must read it back.
        const auto code = kairo::sim::wire::secrecyCode(QStringLiteral("424242"));
        kairo::sim::wire::descramble(block.data(), code.data());
        QCOMPARE(bytesOf(block), bytesOf(stageQuery));

        long long rounds = 0;
        QBENCHMARK
        {
            USBDataEncryption(block.data(), SecrecyCode);
            ++rounds;
        }
        // Undoing every round must give the command back.
        QVERIFY(rounds > 0);
        for (long long i = 0; i < rounds; ++i)
            USBDataDecipher(block.data(), SecrecyCode);
        QCOMPARE(bytesOf(block), bytesOf(stageQuery));
    }

    void unscramble()
    {
        Block block = {0xB5, 0xA8, 0x66, 0xB8, 0xAC, 0x1D, 0x46, 0x96};
        USBDataDecipher(block.data(), SecrecyCode);
        QCOMPARE(bytesOf(block), bytesOf(stageQuery));

        long long rounds = 0;
        QBENCHMARK
        {
            USBDataDecipher(block.data(), SecrecyCode);
            ++rounds;
        }
        QVERIFY(rounds > 0);
        for (long long i = 0; i < rounds; ++i)
            USBDataEncryption(block.data(), SecrecyCode);
        QCOMPARE(bytesOf(block), bytesOf(stageQuery));
    }

    // What an encoded exchange does to one block: checksum over the plain
    // bytes, scramble, and on the way back unscramble.
    void roundTrip()
    {
        const Block header = {0x12, 0x01, 0x40, 0x08, 0, 0, 0, 0};
        Block expected = header;
        expected[7] = 0xA4;
        Block block{};
        Block scrambled{};

        QBENCHMARK
        {
            std::memcpy(block.data(), header.data(), block.size());
            block[7] = hidCS(block.data());
            USBDataEncryption(block.data(), SecrecyCode);
            scrambled = block;
            USBDataDecipher(block.data(), SecrecyCode);
        }
        QCOMPARE(bytesOf(block), bytesOf(expected));
        QVERIFY(bytesOf(scrambled) != bytesOf(expected));
        // The peer's firmware model agrees on the scrambled form.
        const auto code = kairo::sim::wire::secrecyCode(QStringLiteral("424242"));
        kairo::sim::wire::descramble(scrambled.data(), code.data());
        QCOMPARE(bytesOf(scrambled), bytesOf(expected));
    }
};

QTEST_GUILESS_MAIN(BenchFraming)
#include "bench_framing.moc"

#include "device/framing.h"
#include "device/hid_thread.h"
#include "sim/virtualmouse.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>

namespace {

void loadCode(const QString &sCode)
{
    Hid_Thread hid;
    DeviceEntry entry;
    entry.sCode = sCode;
    hid.deviceTable = {entry};
    hid.setCurrentDevice(0);
}

QByteArray codeBytes()
{
    return QByteArray(reinterpret_cast<const char *>(SecrecyCode), 8);
}

QByteArray encrypted(QByteArray block)
{
    USBDataEncryption(reinterpret_cast<uchar *>(block.data()), SecrecyCode);
    return block;
}

} // namespace

class FramingTest : public QObject
{
    Q_OBJECT

private slots:
    // Must run before any six-character code is loaded in this process.
    void codesOfOtherLengthsLeaveTheInitialZeroCode()
    {
        loadCode(QStringLiteral("12345"));
        QCOMPARE(codeBytes(), QByteArray(8, '\0'));
        loadCode(QStringLiteral("1234567"));
        QCOMPARE(codeBytes(), QByteArray(8, '\0'));
    }

    void sixCharacterCodeLoadsItsCharacters()
    {
        loadCode(QStringLiteral("424242"));
        QCOMPARE(codeBytes(), QByteArray("424242\0\0", 8));
        loadCode(QStringLiteral("12345"));
        QCOMPARE(codeBytes(), QByteArray("424242\0\0", 8));
        loadCode(QStringLiteral("1234567"));
        QCOMPARE(codeBytes(), QByteArray("424242\0\0", 8));
        loadCode(QString());
        QCOMPARE(codeBytes(), QByteArray("424242\0\0", 8));
        // A character beyond 8 bits contributes 0.
        loadCode(QStringLiteral("a\u0416bcde"));
        QCOMPARE(codeBytes(), QByteArray("a\0bcde\0\0", 8));
    }

    void checksumExamples()
    {
        uchar dpiQuery[7] = {0x8B, 0, 0, 0, 0, 0, 0};
        QCOMPARE(hidCS(dpiQuery), uchar(0x74));
        uchar reportRate[7] = {0x01, 3, 0, 0, 0, 0, 0};
        QCOMPARE(hidCS(reportRate), uchar(0xFB));
        uchar keyMatrix[7] = {0x12, 1, 0x40, 0x08, 0, 0, 0};
        QCOMPARE(hidCS(keyMatrix), uchar(0xA4));
        uchar sumsToFF[7] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x03};
        QCOMPARE(hidCS(sumsToFF), uchar(0x00));
        uchar wraps[7] = {0xFF, 0xFF, 0x02, 0, 0, 0, 0}; // sum 0x200 mod 256 = 0
        QCOMPARE(hidCS(wraps), uchar(0xFF));
    }

    void scrambleTableIsTheFixedText()
    {
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(scrambleTable), 8),
                 QByteArray("KaVrpUdi"));
    }

    void zeroCodeStillPermutesRotatesAndAdds()
    {
        uchar zero[8] = {};
        uchar block[8] = {};
        USBDataEncryption(block, zero);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(block), 8),
                 QByteArray::fromHex("b416652707554696"));
        uchar single[8] = {0x01, 0, 0, 0, 0, 0, 0, 0};
        USBDataEncryption(single, zero);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(single), 8),
                 QByteArray::fromHex("b4166527075d4696"));
        uchar top[8] = {0xE0, 0, 0, 0, 0, 0, 0, 0x80}; // B2 <- 0x80, B5 <- 0xE0
        USBDataEncryption(top, zero);
        // after swap: 00 00 80 00 00 e0 00 00; << 3: 00 04 00 00 07 00 00 00
        QCOMPARE(QByteArray(reinterpret_cast<char *>(top), 8),
                 QByteArray::fromHex("b41a65270e554696"));
    }

    void encryptionMatchesTheFirmwareAndDecipherInvertsIt()
    {
        QRandomGenerator random(20261208);
        for (int round = 0; round < 5000; ++round) {
            uchar key[8];
            uchar block[8];
            for (int i = 0; i < 8; ++i) {
                key[i] = uchar(random.bounded(256));
                block[i] = uchar(random.bounded(256));
            }
            uchar expected[8];
            std::memcpy(expected, block, 8);
            // The virtual mouse scrambles as the firmware does, on a 64-bit
            // word rather than byte by byte.
            kairo::sim::wire::scramble(expected, key);
            uchar work[8];
            std::memcpy(work, block, 8);
            USBDataEncryption(work, key);
            QVERIFY2(std::memcmp(work, expected, 8) == 0,
                     qPrintable(QStringLiteral("round %1").arg(round)));
            USBDataDecipher(work, key);
            QVERIFY2(std::memcmp(work, block, 8) == 0,
                     qPrintable(QStringLiteral("round %1").arg(round)));
        }
    }

    void keyBytesZeroAndSevenDoNotMatter()
    {
        uchar key[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        uchar otherEnds[8] = {0xAA, 2, 3, 4, 5, 6, 7, 0x55};
        uchar a[8] = {9, 8, 7, 6, 5, 4, 3, 2};
        uchar b[8] = {9, 8, 7, 6, 5, 4, 3, 2};
        USBDataEncryption(a, key);
        USBDataEncryption(b, otherEnds);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(a), 8),
                 QByteArray(reinterpret_cast<char *>(b), 8));
    }

    void codesDifferingInTheFirstCharacterScrambleAlike()
    {
        const QByteArray block = QByteArray::fromHex("0011080800000000");
        loadCode(QStringLiteral("A42424"));
        const QByteArray first = encrypted(block);
        const char firstChar = codeBytes().at(0);
        loadCode(QStringLiteral("Z42424"));
        QVERIFY(codeBytes().at(0) != firstChar);
        QCOMPARE(encrypted(block), first);
        loadCode(QStringLiteral("A42425"));
        QVERIFY(encrypted(block) != first);
    }
};

QTEST_APPLESS_MAIN(FramingTest)
#include "test_device_framing.moc"

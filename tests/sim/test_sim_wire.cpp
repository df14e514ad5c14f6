#include "sim/virtualmouse.h"

#include <QRandomGenerator>
#include <QTest>

using namespace kairo::sim;

namespace {
QByteArray scrambled(QByteArray block, const std::array<quint8, 8> &code)
{
    wire::scramble(reinterpret_cast<quint8 *>(block.data()), code.data());
    return block;
}
} // namespace

class TestSimWire : public QObject
{
    Q_OBJECT
private slots:
    void checksumExamples()
    {
        const quint8 getStage[7] = {0x8b, 0, 0, 0, 0, 0, 0};
        const quint8 reportRate[7] = {0x01, 0x03, 0, 0, 0, 0, 0};
        const quint8 keyMatrix[7] = {0x12, 0x01, 0x40, 0x08, 0, 0, 0};
        const quint8 sumsToFF[7] = {0xf0, 0x0f, 0, 0, 0, 0, 0};
        const quint8 wraps[7] = {0xff, 0xff, 0x02, 0, 0, 0, 0}; // sum 0x200 -> 0x00
        QCOMPARE(wire::checksum(getStage), quint8(0x74));
        QCOMPARE(wire::checksum(reportRate), quint8(0xfb));
        QCOMPARE(wire::checksum(keyMatrix), quint8(0xa4));
        QCOMPARE(wire::checksum(sumsToFF), quint8(0x00));
        QCOMPARE(wire::checksum(wraps), quint8(0xff));
    }

    // Worked by hand from the four steps (swap, key XOR, rotate left 3, add the
    // nibble-swapped table b4 16 65 27 07 55 46 96).
    void scrambleKnownBlocks_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QString>("sCode");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("zero block, zero code")
            << QByteArray(8, 0) << QString() << QByteArray::fromHex("b416652707554696");
        QTest::newRow("8B, zero code") << QByteArray::fromHex("8b00000000000074") << QString()
                                       << QByteArray::fromHex("b41905270bad4696");
        QTest::newRow("8B, 424242") << QByteArray::fromHex("8b00000000000074") << QString("424242")
                                    << QByteArray::fromHex("b5a866b8ac1d4696");
        QTest::newRow("12H, 424242") << QByteArray::fromHex("12014008000000a4") << QString("424242")
                                     << QByteArray::fromHex("b5aae6b8b0558896");
    }
    void scrambleKnownBlocks()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QString, sCode);
        QFETCH(QByteArray, expected);
        const auto code = wire::secrecyCode(sCode);
        const QByteArray out = scrambled(plain, code);
        QCOMPARE(out.toHex(' '), expected.toHex(' '));
        QByteArray back = out;
        wire::descramble(reinterpret_cast<quint8 *>(back.data()), code.data());
        QCOMPARE(back.toHex(' '), plain.toHex(' '));
    }

    void roundTripOverRandomBlocksAndCodes()
    {
        QRandomGenerator rng(2026);
        for (int round = 0; round < 2000; ++round) {
            std::array<quint8, 8> code{};
            for (int i = 0; i < 6; ++i)
                code[size_t(i)] = quint8(rng.bounded(256));
            QByteArray block(8, 0);
            for (int i = 0; i < 8; ++i)
                block[i] = char(rng.bounded(256));
            QByteArray work = scrambled(block, code);
            wire::descramble(reinterpret_cast<quint8 *>(work.data()), code.data());
            QCOMPARE(work, block);
        }
    }

    void secrecyCodeRules()
    {
        const auto code = wire::secrecyCode("424242");
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(code.data()), 8),
                 QByteArray("424242\0\0", 8));
        for (const QString &other : {QString("42424"), QString("4242424"), QString()}) {
            const auto c = wire::secrecyCode(other);
            QVERIFY2(std::all_of(c.begin(), c.end(), [](quint8 b) { return b == 0; }),
                     qPrintable(other));
        }
        QCOMPARE(wire::secrecyCode(QString::fromUtf16(u"\u20ac12345"))[0], quint8(0));
    }

    void firstCharacterOfCodeHasNoEffect()
    {
        const QByteArray block = QByteArray::fromHex("0d0102030000ffee");
        QCOMPARE(scrambled(block, wire::secrecyCode("424242")),
                 scrambled(block, wire::secrecyCode("Z24242")));
        QVERIFY(scrambled(block, wire::secrecyCode("424242"))
                != scrambled(block, wire::secrecyCode("4Z4242")));
    }
};

QTEST_GUILESS_MAIN(TestSimWire)
#include "test_sim_wire.moc"

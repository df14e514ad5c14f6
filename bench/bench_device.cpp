// Cost of one device command through the whole link: report building,
// scrambling, the hidapi calls and the virtual mouse's firmware model.
//
// The real program sleeps fixed delays around each exchange (a key-matrix
// write waits 496 ms in settle pauses and bulk gaps); those say nothing about
// our code, so the link runs here with a clock that only adds the requested
// delays up. What is measured is our code plus the in-process virtual mouse.
#include "tests/support/linkfixture.h"

#include <QTest>

#include <memory>

namespace {

class TallyClock : public HidClock
{
public:
    void sleepMs(int ms) override { totalMs += ms; }
    long long totalMs = 0;
};

// The link writes one debug line per set command; printing them would
// measure the terminal. Everything else still reaches the test log.
QtMessageHandler forwardTo = nullptr;

void dropDebug(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg && forwardTo)
        forwardTo(type, context, message);
}

} // namespace

class BenchDevice : public QObject
{
    Q_OBJECT

    std::unique_ptr<LinkFixture> link;
    TallyClock clock;
    void attach(bool encoded)
    {
        kairo::sim::DeviceConfig mouse; // first family
        mouse.isEncode = encoded;
        link = std::make_unique<LinkFixture>(QList<kairo::sim::DeviceConfig>{mouse});
        clock.totalMs = 0;
        link->hid.setClock(&clock);
    }

    static void addRows()
    {
        QTest::addColumn<bool>("encoded");
        QTest::newRow("plain") << false;
        QTest::newRow("scrambled") << true;
    }

private slots:
    void initTestCase() { forwardTo = qInstallMessageHandler(dropDebug); }

    void cleanupTestCase() { qInstallMessageHandler(forwardTo); }

    void cleanup() { link.reset(); }

    void keyMatrixWrite_data() { addRows(); }
    void keyMatrixWrite()
    {
        QFETCH(bool, encoded);
        attach(encoded);
        QByteArray matrix = pattern(64, 0x21);

        link->hid.hid553_12H_SetKeyMatrix(raw(matrix), 2);
        QCOMPARE(kairo::sim::state(0).keyMatrices[1], matrix);
        QCOMPARE(records(kairo::sim::Direction::Out).size(), 2); // two 32-byte bulk reports
        QCOMPARE(clock.totalMs, 496LL);
        QVERIFY(link->hid.idle);

        // A different matrix each round, so a write that stops reaching the
        // mouse shows in the check below.
        QBENCHMARK
        {
            matrix[0] = char(matrix[0] + 1);
            link->hid.hid553_12H_SetKeyMatrix(raw(matrix), 2);
        }
        const kairo::sim::FirmwareState state = kairo::sim::state(0);
        QCOMPARE(state.keyMatrices[1], matrix);
        QCOMPARE(state.protocolErrors, 0);
        QVERIFY(link->hid.idle);
    }

    void currentStageRead_data() { addRows(); }
    void currentStageRead()
    {
        QFETCH(bool, encoded);
        attach(encoded);
        kairo::sim::pressDpi(0, 6);

        uchar stage = 0;
        link->hid.hid553_8BH_GetCurrentDPI(stage);
        QCOMPARE(int(stage), 6);
        QCOMPARE(records(kairo::sim::Direction::FeatureIn).size(), 1);
        QVERIFY(link->hid.idle);

        int commandsBefore = kairo::sim::state(0).commandCount;
        int rounds = 0;
        QBENCHMARK
        {
            stage = 0; // the preset: a read that gets no reply leaves 0 behind
            link->hid.hid553_8BH_GetCurrentDPI(stage);
            ++rounds;
        }
        QCOMPARE(int(stage), 6);
        const kairo::sim::FirmwareState state = kairo::sim::state(0);
        QCOMPARE(state.commandCount - commandsBefore, rounds);
        QCOMPARE(state.protocolErrors, 0);
        QCOMPARE(clock.totalMs, 0LL); // a get exchange has no fixed delays
    }
};

QTEST_GUILESS_MAIN(BenchDevice)
#include "bench_device.moc"

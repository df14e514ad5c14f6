#include "tests/support/linkfixture.h"

#include <QElapsedTimer>
#include <QTest>

class RealTimeTest : public QObject
{
    Q_OBJECT

private slots:
    void bulkWriteWithSettleTakesItsPauses()
    {
        LinkFixture link;
        link.hid.setClock(nullptr); // real sleeps
        QByteArray macro(128, '\x09');
        QElapsedTimer timer;
        timer.start();
        link.hid.hid553_13H_SetMacroKey(1, reinterpret_cast<uchar *>(macro.data()));
        const qint64 elapsed = timer.elapsed();
        const int expected = 4 * 120 + 2 * 128;
        QVERIFY2(elapsed >= expected - 20 && elapsed < expected + 600,
                 qPrintable(QString::number(elapsed)));
        QCOMPARE(kairo::sim::state(0).macros[0], macro);
    }
};

QTEST_GUILESS_MAIN(RealTimeTest)
#include "test_device_realtime.moc"

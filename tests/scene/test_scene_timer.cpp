// The scene's lock timer: it must end the lock on its deadline, even when the
// thread was busy between start() and the next turn of the event loop (the
// scene starts the lock and then builds its pages).
#include "modules/qml/logic/precisetimer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

class TestSceneTimer : public QObject
{
    Q_OBJECT
private slots:
    void countsFromStartThroughABusyStep()
    {
        PreciseTimer timer;
        QSignalSpy triggered(&timer, &PreciseTimer::triggered);
        timer.setInterval(150);
        QElapsedTimer clock;
        clock.start();
        timer.start();
        QVERIFY(timer.isRunning());
        QThread::msleep(250); // the step that outlasts the interval
        QVERIFY(triggered.wait(1000));
        // Due at once: it must not count its 150 ms again from here.
        QCOMPARE_LT(clock.elapsed(), 250 + 100);
        QCOMPARE(triggered.count(), 1);
        QVERIFY(!timer.isRunning());
    }

    void stoppedAndRestarted()
    {
        PreciseTimer timer;
        QSignalSpy triggered(&timer, &PreciseTimer::triggered);
        QSignalSpy running(&timer, &PreciseTimer::runningChanged);
        timer.setInterval(40);
        timer.start();
        timer.stop();
        QVERIFY(!triggered.wait(150));
        QCOMPARE(running.count(), 2);

        QElapsedTimer clock;
        clock.start();
        timer.start();
        QThread::msleep(20);
        timer.start(); // a new lock replaces the old one's deadline
        QVERIFY(triggered.wait(1000));
        QCOMPARE_GE(clock.elapsed(), 60);
        QCOMPARE(triggered.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSceneTimer)
#include "test_scene_timer.moc"

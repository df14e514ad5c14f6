// Two actions of the window against their floors: a profile switch and a
// Save of the key matrix, on each family. The floor is the sum of the fixed
// pauses the commands on the wire demand, which the link sleeps on the
// user-interface thread; everything above it is our own code: settings
// reads, the pages taking the new values, the frame drawn after.
#include "bench/pausecountingclock.h"
#include "core/myqquickview.h"
#include "core/scenerenderer.h"
#include "core/widget.h"

#include "sim/virtualmouse.h"
#include "tests/support/builtmodules.h"

#include <QElapsedTimer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

class BenchActions : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> workDir;
    std::unique_ptr<Widget> widget;
    PauseCountingClock clock;
    QQuickItem *root = nullptr;

    // A fresh copy of the modules with the family's configuration, and the
    // window connected to a virtual mouse of that family.
    void startOn(const QString &family)
    {
        widget.reset();
        workDir = std::make_unique<QTemporaryDir>();
        QVERIFY(workDir->isValid());
        QVERIFY(copyBuiltModules(workDir->path()));
        QSettings(workDir->filePath("modules/setting/apConfig.bin"), QSettings::IniFormat)
            .setValue("mouse/icType", family);
        QVERIFY(QDir::setCurrent(workDir->path()));
        kairo::sim::DeviceConfig mouse;
        mouse.family = family;
        kairo::sim::reset({mouse});
        widget = std::make_unique<Widget>();
        widget->hidThread().setClock(&clock);
        widget->show();
        widget->checkDevice();
        QTRY_VERIFY_WITH_TIMEOUT(
            (root = widget->view()->rootObject()) && root->property("isPownOn").toBool(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!root->property("busy").toBool(), 10000);
    }

    struct Timing {
        double wallMs;
        double floorMs;
    };

    // The action and the first frame after it, timed, with the pauses it
    // slept. An action that changes nothing on the screen ends when it
    // returns. (A grab of the frame would add its own read-back.)
    template<typename Action>
    Timing timed(Action action)
    {
        const qint64 slept = clock.sleptMs;
        QElapsedTimer timer;
        bool returned = false;
        double frameMs = -1;
        const QMetaObject::Connection frames = connect(
            widget->view()->quickWindow(), &QQuickWindow::afterRendering, this,
            [&] {
                if (returned && frameMs < 0)
                    frameMs = timer.nsecsElapsed() / 1e6;
            },
            Qt::DirectConnection);
        timer.start();
        action();
        const double returnedMs = timer.nsecsElapsed() / 1e6;
        returned = true;
        const bool drawn = QTest::qWaitFor([&] { return frameMs >= 0; }, 300);
        disconnect(frames);
        return {drawn ? frameMs : returnedMs, double(clock.sleptMs - slept)};
    }

    // Median over three runs (KAIRO_BENCH_ACTION_RUNS), after one untimed, of
    // the time above the floor.
    template<typename Action>
    void report(const char *what, Action action)
    {
        action();
        const int count = qEnvironmentVariableIsSet("KAIRO_BENCH_ACTION_RUNS")
                              ? qMax(1, qEnvironmentVariableIntValue("KAIRO_BENCH_ACTION_RUNS"))
                              : 3;
        QList<Timing> runs;
        for (int i = 0; i < count; ++i)
            runs << timed(action);
        std::sort(runs.begin(), runs.end(), [](const Timing &a, const Timing &b) {
            return a.wallMs - a.floorMs < b.wallMs - b.floorMs;
        });
        const Timing middle = runs[runs.size() / 2];
        QVERIFY2(middle.floorMs > 0, "the action slept no pause: nothing reached the wire");
        const bool software = QQuickWindow::sceneGraphBackend() == QLatin1String("software");
        qInfo("%s %s (%s): %.0f ms against a floor of %.0f ms (%+.1f %%, target within %s)",
              QTest::currentDataTag(), what, software ? "software" : "gl", middle.wallMs,
              middle.floorMs, 100.0 * (middle.wallMs - middle.floorMs) / middle.floorMs,
              qstrcmp(what, "profile switch") == 0 ? "5 %" : "3 %");
    }

private slots:
    // As the program does: the renderer it picks here, unless the
    // environment names one (QSG_RHI_BACKEND=opengl, QT_QUICK_BACKEND=software).
    void initTestCase() { kairo::scenerenderer::choose(); }

    void cleanupTestCase()
    {
        widget.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    void actions_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("553") << "553";
        QTest::newRow("560") << "560";
    }
    void actions()
    {
        QFETCH(QString, family);
        startOn(family);
        if (QTest::currentTestFailed())
            return;
        int next = 1;
        report("profile switch", [&] {
            QVERIFY(QMetaObject::invokeMethod(root, "changeProfile", Q_ARG(int, next)));
            QCOMPARE(root->property("profileNo").toInt(), next);
            next = 1 - next;
        });
        QQuickItem *keys = root->findChild<QQuickItem *>("keyMatrixMain");
        QVERIFY(keys);
        report("key-matrix save", [&] {
            keys->setProperty("isSave", true);
            QVERIFY(QMetaObject::invokeMethod(root, "saveAllData"));
            QVERIFY(!keys->property("isSave").toBool());
        });
    }
};

QTEST_MAIN(BenchActions)
#include "bench_actions.moc"

// Start-up time, from exec to the first frame on the screen: the program's
// window with the whole scene against a bare QQuickWidget holding one
// Rectangle and one Text. Each start is a child process of this executable,
// the two kinds taking turns, so both see the same machine load and caches.
//
//   bench_startup --child full WORKDIR   the program's start-up (single
//       instance, main widget, input hooks, device check) on the in-process
//       virtual mouse, in WORKDIR, which holds a copy of modules/
//   bench_startup --child bare QMLFILE   the bare window
//
// A child prints steps with the monotonic clock in ns: "main", "application"
// (constructed), "scene" (loaded, the window about to be shown) and "frame"
// (the window first on the screen with the scene rendered); "full" also
// prints "logo-gone" for the first such frame after the start-up logo has
// left, which includes the scene's one-second lock after the mouse connects.
#include "bench/pausecountingclock.h"
#include "core/inputforwarding.h"
#include "core/myqquickview.h"
#include "core/qtsinglecoreapplication.h"
#include "core/scenerenderer.h"
#include "core/widget.h"

#include "device/hid_thread.h"
#include "device/hidclock.h"

#include "input/inputhooks.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

qint64 monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void report(const char *what)
{
    std::printf("%s %lld\n", what, static_cast<long long>(monotonicNs()));
    std::fflush(stdout);
}

// Resident and private memory ("rss-kib", "uss-kib") as the kernel counts
// them for this process.
void reportMemory()
{
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (!rollup.open(QIODevice::ReadOnly))
        return;
    qint64 rss = 0, uss = 0;
    for (const QByteArray &line : rollup.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() < 2)
            continue;
        if (f[0] == "Rss:")
            rss = f[1].toLongLong();
        else if (f[0] == "Private_Clean:" || f[0] == "Private_Dirty:")
            uss += f[1].toLongLong();
    }
    std::printf("rss-kib %lld\nuss-kib %lld\n", static_cast<long long>(rss),
                static_cast<long long>(uss));
}

// The child ends at its last frame, or with KAIRO_BENCH_MEMORY_AFTER_MS that
// long after it, once it has told its memory.
void finish()
{
    const int after = qEnvironmentVariableIntValue("KAIRO_BENCH_MEMORY_AFTER_MS");
    if (after <= 0) {
        QCoreApplication::exit(0);
        return;
    }
    QTimer::singleShot(after, [] {
        reportMemory();
        QCoreApplication::exit(0);
    });
}

// A Qt Quick widget renders its scene into a texture; the frame reaches the
// screen when the window it lives in next paints and flushes. So: the first
// window update after a scene frame rendered while `ready` held, stamped once
// that update has been handled.
class FrameProbe : public QObject
{
public:
    FrameProbe(QQuickWidget *view, std::function<bool()> ready, std::function<void()> shown)
        : ready(std::move(ready))
        , shown(std::move(shown))
    {
        QWidget *top = view->window();
        top->installEventFilter(this);
        top->winId();
        top->windowHandle()->installEventFilter(this);
        connect(
            view->quickWindow(), &QQuickWindow::afterRendering, this,
            [this] {
                if (this->ready())
                    rendered = true;
            },
            Qt::DirectConnection);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (rendered && !done
            && (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Expose)) {
            done = true;
            QTimer::singleShot(0, this, [this] { shown(); });
        }
        return false;
    }

private:
    std::function<bool()> ready;
    std::function<void()> shown;
    bool rendered = false;
    bool done = false;
};

// The scene keeps itself locked (the logo shown) this long after the mouse connects.
constexpr qint64 sceneLockMs = 1000;

int childFull(int argc, char **argv, const QString &workDir)
{
    report("main");
    QtSingleCoreApplication app(argc, argv);
    if (app.isRunning())
        return 3;
    QDir::setCurrent(workDir);
    report("application");

    kairo::scenerenderer::choose();
    Widget window;
    PauseCountingClock clock;
    window.hidThread().setClock(&clock);
    InputHooks hooks;
    hooks.installInputHooks();
    hooks.setKeyboardCallback(forwardKeyboardToView, &window);
    hooks.setMouseCallback(forwardMouseToView, &window);

    myQQuickView *view = window.view();
    QQuickItem *logo =
        view->rootObject()
            ? view->rootObject()->findChild<QQuickItem *>(QStringLiteral("powerOnLogo"))
            : nullptr;
    if (!logo)
        return 4;
    FrameProbe first(
        view, [] { return true; }, [] { report("frame"); });
    FrameProbe full(
        view, [logo] { return !logo->isVisible(); },
        [&clock] {
            std::printf("pauses-ms %lld\n", static_cast<long long>(clock.sleptMs + sceneLockMs));
            report("logo-gone");
            finish();
        });

    report("scene");
    window.showNormal();
    window.checkDevice();
    const int code = app.exec();
    hooks.removeInputHooks();
    return code;
}

int childBare(int argc, char **argv, const QString &qmlFile)
{
    report("main");
    QApplication app(argc, argv);
    report("application");
    QQuickWidget view;
    view.setResizeMode(QQuickWidget::SizeRootObjectToView);
    view.resize(1280, 720);
    view.setSource(QUrl::fromLocalFile(qmlFile));
    if (view.status() != QQuickWidget::Ready)
        return 4;
    FrameProbe first(
        &view, [] { return true; },
        [] {
            report("frame");
            finish();
        });
    report("scene");
    view.show();
    return app.exec();
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return qQNaN();
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

class BenchStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    // Milliseconds from just before the start to each line the child printed.
    QHash<QString, double> start(const QStringList &args, const QString &backend = {},
                                 int memoryAfterMs = 0)
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KAIRO_BENCH_MEMORY_AFTER_MS"), QString::number(memoryAfterMs));
        env.remove(QStringLiteral("QT_QUICK_BACKEND"));
        env.remove(QStringLiteral("QSG_RHI_BACKEND"));
        if (backend == QLatin1String("opengl"))
            env.insert(QStringLiteral("QSG_RHI_BACKEND"), backend);
        else if (!backend.isEmpty())
            env.insert(QStringLiteral("QT_QUICK_BACKEND"), backend);
        child.setProcessEnvironment(env);
        const qint64 started = monotonicNs();
        child.start(QCoreApplication::applicationFilePath(), args);
        QHash<QString, double> at;
        if (!child.waitForFinished(30000)) {
            child.kill();
            child.waitForFinished();
            return at;
        }
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        for (const QByteArray &line : lines) {
            const QList<QByteArray> f = line.trimmed().split(' ');
            if (f.size() == 2 && (f[0].endsWith("-ms") || f[0].endsWith("-kib")))
                at.insert(QString::fromLatin1(f[0]), f[1].toDouble());
            else if (f.size() == 2)
                at.insert(QString::fromLatin1(f[0]), (f[1].toLongLong() - started) / 1e6);
        }
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
            at.clear();
        return at;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QProcess cp;
        cp.start(QStringLiteral("cp"),
                 {QStringLiteral("-r"), QStringLiteral(KAIRO_BIN_DIR "/modules"), dir.path()});
        QVERIFY(cp.waitForFinished(20000));
        QCOMPARE(cp.exitCode(), 0);
        QFile bare(dir.filePath(QStringLiteral("bare.qml")));
        QVERIFY(bare.open(QIODevice::WriteOnly));
        bare.write("import QtQuick\n"
                   "Rectangle {\n"
                   "    width: 1280\n"
                   "    height: 720\n"
                   "    color: \"#1a1a1a\"\n"
                   "    Text {\n"
                   "        anchors.centerIn: parent\n"
                   "        text: \"ZENDRA KAIRO MOUSE K1\"\n"
                   "        color: \"#ffffff\"\n"
                   "        font.pixelSize: 18\n"
                   "    }\n"
                   "}\n");
    }

    // With the GPU renderer (Mesa's llvmpipe under Xvfb), with Qt Quick's
    // software renderer, and with what each picks by itself on this machine:
    // Qt's default for the bare window, the program's own choice for it.
    void startup_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::newRow("gl") << QStringLiteral("opengl");
        QTest::newRow("software") << QStringLiteral("software");
        QTest::newRow("chosen") << QString();
    }
    void startup()
    {
        QFETCH(QString, backend);
        const QStringList full{QStringLiteral("--child"), QStringLiteral("full"), dir.path()};
        const QStringList bare{QStringLiteral("--child"), QStringLiteral("bare"),
                               dir.filePath(QStringLiteral("bare.qml"))};
        const int runs = qEnvironmentVariableIntValue("KAIRO_BENCH_STARTUP_RUNS") > 0
                             ? qEnvironmentVariableIntValue("KAIRO_BENCH_STARTUP_RUNS")
                             : 5;

        // One start of each first, untimed: loads the libraries into the cache.
        QVERIFY(!start(full, backend).isEmpty());
        QVERIFY(!start(bare, backend).isEmpty());

        const QStringList steps{QStringLiteral("main"),      QStringLiteral("application"),
                                QStringLiteral("scene"),     QStringLiteral("frame"),
                                QStringLiteral("logo-gone"), QStringLiteral("pauses-ms")};
        QHash<QString, QList<double>> fullAt, bareAt;
        for (int run = 0; run < runs; ++run) {
            // Alternate which kind goes first.
            for (int turn = 0; turn < 2; ++turn) {
                const bool isFull = (run + turn) % 2 == 0;
                const QHash<QString, double> at = start(isFull ? full : bare, backend);
                QVERIFY2(at.contains(QStringLiteral("frame")),
                         isFull ? "the program's window showed no frame"
                                : "the bare window showed no frame");
                QVERIFY2(!isFull || at.contains(QStringLiteral("logo-gone")),
                         "the start-up logo did not leave");
                for (const QString &step : steps) {
                    if (at.contains(step))
                        (isFull ? fullAt : bareAt)[step] << at.value(step);
                }
            }
        }

        auto list = [](const QList<double> &values) {
            QStringList text;
            for (double v : values)
                text << QString::number(v, 'f', 0);
            return text.join(QStringLiteral(" "));
        };
        const double fullMedian = median(fullAt.value(QStringLiteral("frame")));
        const double bareMedian = median(bareAt.value(QStringLiteral("frame")));
        qInfo("full: first frame median %.0f ms (runs: %s)", fullMedian,
              qPrintable(list(fullAt.value(QStringLiteral("frame")))));
        qInfo("bare: first frame median %.0f ms (runs: %s)", bareMedian,
              qPrintable(list(bareAt.value(QStringLiteral("frame")))));
        // Where the time goes: medians of each step, counted from exec.
        for (const QString &step : steps) {
            const QList<double> bareStep = bareAt.value(step);
            const QString bareText = bareStep.isEmpty()
                                         ? QStringLiteral("    -")
                                         : QStringLiteral("%1 ms").arg(median(bareStep), 5, 'f', 0);
            qInfo("  %-12s full %5.0f ms   bare %s", qPrintable(step), median(fullAt.value(step)),
                  qPrintable(bareText));
        }
        qInfo("startup ratio full/bare = %.2f (target <= 1.20)", fullMedian / bareMedian);
        // The connected scene: the first frame plus the connect sequence's
        // fixed pauses (the scene's lock, the device commands' settle delays)
        // is the least it can take; what it adds beyond that is our cost.
        const double connected = median(fullAt.value(QStringLiteral("logo-gone")));
        const double pauses = median(fullAt.value(QStringLiteral("pauses-ms")));
        const double floor = fullMedian + pauses;
        qInfo("connected scene %.0f ms = first frame %.0f + fixed pauses %.0f + %.0f ms (%.1f %%, "
              "target <= 10 %%)",
              connected, fullMedian, pauses, connected - floor,
              100.0 * (connected - floor) / floor);

        // Memory a few seconds after the last frame, once per kind.
        const QHash<QString, double> fullMemory = start(full, backend, 3000);
        const QHash<QString, double> bareMemory = start(bare, backend, 3000);
        QVERIFY2(fullMemory.contains(QStringLiteral("rss-kib"))
                     && bareMemory.contains(QStringLiteral("rss-kib")),
                 "no memory figures");
        for (const char *kind : {"rss-kib", "uss-kib"}) {
            const double mine = fullMemory.value(QLatin1String(kind)) / 1024;
            const double floorMib = bareMemory.value(QLatin1String(kind)) / 1024;
            qInfo("%s: full %.1f MiB, bare %.1f MiB, ratio %.2f (target <= %s)", kind, mine,
                  floorMib, mine / floorMib, kind[0] == 'r' ? "1.25" : "2.0");
        }
    }
};

int main(int argc, char *argv[])
{
    if (argc >= 4 && !std::strcmp(argv[1], "--child")) {
        int childArgc = 1;
        const QString kind = QString::fromLocal8Bit(argv[2]);
        const QString target = QString::fromLocal8Bit(argv[3]);
        if (kind == QLatin1String("full"))
            return childFull(childArgc, argv, target);
        if (kind == QLatin1String("bare"))
            return childBare(childArgc, argv, target);
        return 2;
    }
    QCoreApplication app(argc, argv);
    BenchStartup bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_startup.moc"

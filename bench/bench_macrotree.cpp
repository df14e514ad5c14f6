// The macro library as the scene reads it: opening the macro editor (init()
// on the page in the real scene, then one frame drawn) and the tree walk the
// macro dialog of the button page runs, for 100, 300 and 1,000 macros in ten
// folders. Prints the cost per macro; the cost must grow linearly. Then the
// memory the editor holds after opening the settings tab twenty times on a
// library of 10,000 macros, against what it held after the first open.
#include "core/myqquickview.h"
#include "core/widget.h"
#include "settings/namelists.h"

#include "sim/virtualmouse.h"
#include "tests/support/builtmodules.h"

#include <QElapsedTimer>
#include <QFile>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlExpression>
#include <QQuickItem>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

class BenchMacroTree : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir workDir;
    std::unique_ptr<Widget> widget;
    QQuickItem *editor = nullptr;
    std::unique_ptr<QObject> dialogReader;

    // Ten folders at the root, each holding an equal share of the macros.
    void writeLibrary(int macros)
    {
        QDir(workDir.filePath("modules/macro")).removeRecursively();
        QDir().mkpath(workDir.filePath("modules/macro"));
        QSettings names(workDir.filePath("modules/setting/name.bin"), QSettings::IniFormat);
        names.remove("macro");
        QStringList folders;
        for (int f = 0; f < 10; ++f)
            folders << QString("Folder%1").arg(f);
        const auto list = [](int n, const QString &value) { return QStringList(n, value); };
        names.setValue("macro/macroName", folders);
        names.setValue("macro/macroType", list(10, "1"));
        names.setValue("macro/showImg", list(10, "true"));
        names.setValue("macro/txtMargin", list(10, "30"));
        names.setValue("macro/level", list(10, "0"));
        for (int k = 0; k < 5; ++k)
            names.setValue(QString("macro/no%1").arg(k), list(10, "-1"));
        for (int f = 0; f < 10; ++f) {
            const QString folder = folders[f];
            names.remove(folder);
            QDir().mkpath(workDir.filePath("modules/macro/" + folder));
            QStringList macroNames;
            for (int m = 0; m < macros / 10; ++m) {
                macroNames << QString("macro%1").arg(m);
                QFile file(
                    workDir.filePath("modules/macro/" + folder + "/" + macroNames.last() + ".bin"));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write("[config]\ntotal=2\nrepeat=1\n[macro]\n0=\"1,A\"\n1=\"2,A\"\n");
            }
            const int n = int(macroNames.size());
            names.setValue(folder + "/macroName", kairo::names::withPlaceholder(macroNames));
            names.setValue(folder + "/macroType", kairo::names::withPlaceholder(list(n, "0")));
            names.setValue(folder + "/showImg", kairo::names::withPlaceholder(list(n, "false")));
            names.setValue(folder + "/txtMargin", kairo::names::withPlaceholder(list(n, "46")));
            names.setValue(folder + "/level", kairo::names::withPlaceholder(list(n, "1")));
            names.setValue(folder + "/no0",
                           kairo::names::withPlaceholder(list(n, QString::number(f))));
            for (int k = 1; k < 5; ++k)
                names.setValue(QString("%1/no%2").arg(folder).arg(k),
                               kairo::names::withPlaceholder(list(n, "-1")));
        }
        names.sync();
    }

    // The page's code, or with part (an object name) one of its parts' code.
    QVariant pageJs(const QString &code, const char *part = nullptr)
    {
        QObject *scope = part ? editor->findChild<QObject *>(part) : editor;
        QQmlExpression expression(qmlContext(scope), scope, code);
        const QVariant result = expression.evaluate();
        if (expression.hasError())
            qWarning("%s", qPrintable(expression.error().toString()));
        return result;
    }

    // A figure of /proc/self/status ("VmRSS:", "VmHWM:"), in KiB.
    static qint64 statusKib(const QByteArray &field)
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith(field))
                return line.mid(field.size()).simplified().split(' ').value(0).toLongLong();
        return -1;
    }

    // From now on VmHWM counts the peak anew.
    static bool resetPeak()
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
    }

    // As a click on the tab does it: the tree read, then back in the event
    // loop until the window has drawn what changed, where the rows of the
    // last tree are deleted. (A grab of the frame would add its own copy to
    // the peak.)
    void openSettingsTab()
    {
        QSignalSpy drawn(widget->view()->quickWindow(), &QQuickWindow::afterRendering);
        pageJs("init()");
        drawn.wait(500);
        QTest::qWait(20);
    }

    // Median of five timed runs after one untimed, in microseconds.
    template<typename Step>
    double medianMicros(Step step)
    {
        step();
        QList<double> runs;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer timer;
            timer.start();
            step();
            runs << timer.nsecsElapsed() / 1000.0;
        }
        std::sort(runs.begin(), runs.end());
        return runs[2];
    }

private slots:
    void initTestCase()
    {
        QVERIFY(workDir.isValid());
        QVERIFY(copyBuiltModules(workDir.path()));
        QVERIFY(QDir::setCurrent(workDir.path()));
        kairo::sim::reset({kairo::sim::DeviceConfig{}});
        widget = std::make_unique<Widget>();
        widget->show();
        widget->checkDevice();
        QQuickItem *root = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (root = widget->view()->rootObject()) && root->property("isPownOn").toBool(), 10000);
        editor = root->findChild<QQuickItem *>("macroEditorMain");
        QVERIFY(editor);
        // The settings tab shows the editor, so a frame draws its tree.
        root->setProperty("currentTab", 2);

        // The button page's macro dialog reads the tree through the same library call.
        QQmlComponent component(widget->view()->engine());
        component.setData("import QtQuick\nimport modules.qml\n"
                          "QtObject { function read(view) {"
                          " return MacroTree.readTree(view, SceneLogic.storedList).length } }",
                          QUrl());
        dialogReader.reset(component.create());
        QVERIFY2(dialogReader, qPrintable(component.errorString()));
    }

    void cleanupTestCase()
    {
        dialogReader.reset();
        widget.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    void perMacro_data()
    {
        QTest::addColumn<int>("macros");
        QTest::newRow("100") << 100;
        QTest::newRow("300") << 300;
        QTest::newRow("1000") << 1000;
    }
    void perMacro()
    {
        QFETCH(int, macros);
        writeLibrary(macros);

        pageJs("init()");
        QCOMPARE(pageJs("tree.length", "macroTreePanel").toInt(), macros + 10);
        QVariant read;
        QMetaObject::invokeMethod(dialogReader.get(), "read", Q_RETURN_ARG(QVariant, read),
                                  Q_ARG(QVariant, QVariant::fromValue<QObject *>(widget->view())));
        QCOMPARE(read.toInt(), macros + 10);

        const double open = medianMicros([&] {
            pageJs("init()");
            widget->view()->grabFramebuffer();
        });
        const double dialog = medianMicros([&] {
            QMetaObject::invokeMethod(
                dialogReader.get(), "read", Q_RETURN_ARG(QVariant, read),
                Q_ARG(QVariant, QVariant::fromValue<QObject *>(widget->view())));
        });
        qInfo("macros %4d: open tab %8.0f us (%6.1f us/macro), dialog readTree %8.0f us (%6.1f "
              "us/macro)",
              macros, open, open / macros, dialog, dialog / macros);
    }

    // Each open reads the whole tree again; what the last read built must
    // not stay behind, so twenty opens hold what one open holds.
    void memoryOverTwentyOpens()
    {
        const int macros = 10000;
        writeLibrary(macros);
        openSettingsTab();
        QCOMPARE(pageJs("tree.length", "macroTreePanel").toInt(), macros + 10);
        const qint64 first = statusKib("VmRSS:");
        QVERIFY(first > 0);
        const bool peakKnown = resetPeak();
        qint64 last = first;
        for (int open = 2; open <= 20; ++open) {
            openSettingsTab();
            last = statusKib("VmRSS:");
        }
        QCOMPARE(pageJs("tree.length", "macroTreePanel").toInt(), macros + 10);
        const qint64 peak = peakKnown ? statusKib("VmHWM:") : -1;
        qInfo("macro tree memory, %d macros: rss after open 1 %.1f MiB, after open 20 %.1f MiB "
              "(%+.1f MiB, target within 2), peak %.1f MiB (%+.1f MiB, target within 5)",
              macros, first / 1024.0, last / 1024.0, (last - first) / 1024.0, peak / 1024.0,
              (peak - first) / 1024.0);
    }
};

QTEST_MAIN(BenchMacroTree)
#include "bench_macrotree.moc"

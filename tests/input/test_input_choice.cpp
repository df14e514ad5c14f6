// The chooser's table, from what a session offers to the sources it runs and
// the scope the scene is told, and the filter that keeps one event seen by two
// sources from being reported twice.
#include "input/capturechoice.h"
#include "input/doublereportfilter.h"

#include <QtTest>

using Sources = QList<CaptureSource>;
using Origin = DoubleReportFilter::Origin;

Q_DECLARE_METATYPE(Sources)

namespace {

struct Report {
    Origin origin;
    int event;
    qint64 atMs;
};
using Reports = QList<Report>;

const Sources xinput{CaptureSource::XInput2};
const Sources window{CaptureSource::Window};
const Sources nodesAndWindow{CaptureSource::EventNodes, CaptureSource::Window};

} // namespace

Q_DECLARE_METATYPE(Reports)

class TestInputChoice : public QObject
{
    Q_OBJECT

private slots:
    void sessionGivesSourcesAndScope_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("waylandSession");
        QTest::addColumn<bool>("xinput2");
        QTest::addColumn<int>("readableKeyboards");
        QTest::addColumn<Sources>("sources");
        QTest::addColumn<bool>("filterDoubles");
        QTest::addColumn<QString>("scope");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("nodesOpened");

        const QString wayland = waylandWithoutEventNodes;
        // X11 proper: the raw events see Kairo's window too, so nothing else runs.
        QTest::newRow("X11") << "xcb" << false << true << 0 << xinput << false << "global"
                             << "" << false;
        QTest::newRow("X11, keyboards readable")
            << "xcb" << false << true << 2 << xinput << false << "global"
            << "" << false;
        QTest::newRow("X11 without XInput2, keyboards readable")
            << "xcb" << false << false << 1 << nodesAndWindow << true << "global"
            << "" << true;
        QTest::newRow("X11 without XInput2")
            << "xcb" << false << false << 0 << window << false << "window" << noEventNodes << true;
        // Xwayland: X clients only, unless the keyboards can be read.
        QTest::newRow("Xwayland") << "xcb" << true << true << 0 << xinput << false << "window"
                                  << wayland << true;
        QTest::newRow("Xwayland, keyboards readable")
            << "xcb" << true << true << 1 << nodesAndWindow << true << "global"
            << "" << true;
        QTest::newRow("Wayland, keyboards readable")
            << "wayland" << true << false << 3 << nodesAndWindow << true << "global"
            << "" << true;
        QTest::newRow("Wayland") << "wayland" << true << false << 0 << window << false << "window"
                                 << wayland << true;
        // Qt's own Wayland client is a Wayland session by itself.
        QTest::newRow("Wayland client, session unnamed")
            << "wayland" << false << false << 0 << window << false << "window" << wayland << true;
        QTest::newRow("offscreen") << "offscreen" << false << false << 0 << window << false
                                   << "window" << noEventNodes << true;
        QTest::newRow("console, keyboards readable")
            << "eglfs" << false << false << 2 << nodesAndWindow << true << "global"
            << "" << true;
        // Tools and tests without a GUI application: the X display alone.
        QTest::newRow("no GUI, X display")
            << "" << false << true << 0 << xinput << false << "global"
            << "" << false;
        QTest::newRow("no GUI, keyboards readable")
            << "" << false << false << 4 << Sources{} << false << "none"
            << "" << false;
    }
    void sessionGivesSourcesAndScope()
    {
        QFETCH(QString, platform);
        QFETCH(bool, waylandSession);
        QFETCH(bool, xinput2);
        QFETCH(int, readableKeyboards);
        QFETCH(Sources, sources);
        QFETCH(bool, filterDoubles);
        QFETCH(QString, scope);
        QFETCH(QString, reason);
        QFETCH(bool, nodesOpened);

        const CaptureFacts facts{platform, waylandSession, xinput2, readableKeyboards};
        const CapturePlan plan = planCapture(facts);
        QCOMPARE(plan.sources, sources);
        QCOMPARE(plan.filterDoubles, filterDoubles);
        QCOMPARE(plan.scope.scope, scope);
        QCOMPARE(plan.scope.reason, reason);
        QCOMPARE(captureReasonText(reason).isEmpty(), reason.isEmpty());
        QCOMPARE(eventNodesMatter(facts), nodesOpened);
    }

    void reasonsHaveTheirTexts()
    {
        QCOMPARE(captureReasonText(waylandWithoutEventNodes),
                 QStringLiteral("Wayland session without access to the keyboards' event nodes"));
        QCOMPARE(captureReasonText(noEventNodes), QStringLiteral("no access to /dev/input/event*"));
    }

    void echoIsDroppedOnce_data()
    {
        QTest::addColumn<Reports>("reports");
        QTest::addColumn<QList<bool>>("admitted");

        const Origin nodes = Origin::EventNodes;
        const int aDown = DoubleReportFilter::keyEvent(30, true);
        const int aUp = DoubleReportFilter::keyEvent(30, false);
        const int leftDown = DoubleReportFilter::buttonEvent(1, true);
        QTest::newRow("window after the nodes")
            << Reports{{nodes, aDown, 0}, {Origin::Window, aDown, 6}} << QList<bool>{true, false};
        QTest::newRow("window before the nodes")
            << Reports{{Origin::Window, aDown, 0}, {nodes, aDown, 3}} << QList<bool>{true, false};
        QTest::newRow("two keyboards, one source")
            << Reports{{nodes, aDown, 0}, {nodes, aDown, 10}} << QList<bool>{true, true};
        QTest::newRow("too late to be an echo")
            << Reports{{nodes, aDown, 0}, {Origin::Window, aDown, 251}} << QList<bool>{true, true};
        QTest::newRow("each report has one echo")
            << Reports{{nodes, aDown, 0}, {Origin::Window, aDown, 5}, {Origin::Window, aDown, 9}}
            << QList<bool>{true, false, true};
        QTest::newRow("quick double tap")
            << Reports{{nodes, aDown, 0},         {nodes, aUp, 40},   {Origin::Window, aDown, 44},
                       {Origin::Window, aUp, 47}, {nodes, aDown, 90}, {Origin::Window, aDown, 95}}
            << QList<bool>{true, true, false, false, true, false};
        QTest::newRow("release is no echo of a press")
            << Reports{{nodes, aDown, 0}, {Origin::Window, aUp, 5}} << QList<bool>{true, true};
        QTest::newRow("button is no echo of a key")
            << Reports{{nodes, DoubleReportFilter::keyEvent(1, true), 0},
                       {Origin::Window, leftDown, 2},
                       {nodes, leftDown, 4}}
            << QList<bool>{true, true, false};
    }
    void echoIsDroppedOnce()
    {
        QFETCH(Reports, reports);
        QFETCH(QList<bool>, admitted);
        DoubleReportFilter filter;
        QList<bool> outcome;
        for (const Report &report : reports)
            outcome.append(filter.admit(report.origin, report.event, report.atMs));
        QCOMPARE(outcome, admitted);
    }
};

QTEST_GUILESS_MAIN(TestInputChoice)
#include "test_input_choice.moc"

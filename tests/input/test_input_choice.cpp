// The chooser's table, from what a session offers to the sources it runs and
// the scope the scene is told, and the filter that keeps one event seen by two
// sources from being reported twice.
#include "input/capturechoice.h"
#include "input/doublereportfilter.h"

#include <QtTest>

namespace {

// "sources [filtered]; scope[: reason]; nodes opened or not"
QString outcome(const CaptureFacts &facts)
{
    const CapturePlan plan = planCapture(facts);
    static const QStringList names{"XInput2", "EventNodes", "Window"};
    QStringList sources;
    for (CaptureSource source : plan.sources)
        sources << names[int(source)];
    QString text =
        sources.join('+') + (plan.filterDoubles ? " filtered; " : "; ") + plan.scope.scope;
    if (!plan.scope.reason.isEmpty())
        text += ": " + captureReasonText(plan.scope.reason);
    return text + (eventNodesMatter(facts) ? "; nodes" : "");
}

struct Report {
    DoubleReportFilter::Origin origin;
    int event;
    qint64 atMs;
};

} // namespace

Q_DECLARE_METATYPE(QList<Report>)

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
        QTest::addColumn<QString>("expected");
        const QString onlyWayland =
            "Window; window: Wayland session without access to the keyboards' event nodes; nodes";
        const QString nodesAndWindow = "EventNodes+Window filtered; global; nodes";

        QTest::newRow("X11") << "xcb" << false << true << 2 << "XInput2; global";
        QTest::newRow("X11 without XInput2") << "xcb" << false << false << 1 << nodesAndWindow;
        QTest::newRow("X11 without XInput2, no nodes")
            << "xcb" << false << false << 0
            << "Window; window: no access to /dev/input/event*; nodes";
        // Xwayland's raw events carry X clients only, Kairo among them.
        QTest::newRow("Xwayland")
            << "xcb" << true << true << 0
            << "XInput2; window: Wayland session without access to the keyboards' event nodes; "
               "nodes";
        QTest::newRow("Xwayland, nodes") << "xcb" << true << true << 1 << nodesAndWindow;
        QTest::newRow("Wayland, nodes") << "wayland" << true << false << 3 << nodesAndWindow;
        QTest::newRow("Wayland") << "wayland" << true << false << 0 << onlyWayland;
        QTest::newRow("Wayland client, session unnamed")
            << "wayland" << false << false << 0 << onlyWayland;
        QTest::newRow("offscreen") << "offscreen" << false << false << 0
                                   << "Window; window: no access to /dev/input/event*; nodes";
        // Tools and tests without a GUI application: the X display alone.
        QTest::newRow("no GUI") << "" << false << true << 0 << "XInput2; global";
        QTest::newRow("no GUI, no X") << "" << false << false << 4 << "; none";
    }
    void sessionGivesSourcesAndScope()
    {
        QFETCH(QString, platform);
        QFETCH(bool, waylandSession);
        QFETCH(bool, xinput2);
        QFETCH(int, readableKeyboards);
        QFETCH(QString, expected);
        QCOMPARE(outcome({platform, waylandSession, xinput2, readableKeyboards}), expected);
    }

    void echoIsDroppedOnce_data()
    {
        QTest::addColumn<QList<Report>>("reports");
        QTest::addColumn<QList<bool>>("admitted");
        const auto nodes = DoubleReportFilter::Origin::EventNodes;
        const auto window = DoubleReportFilter::Origin::Window;
        const int down = DoubleReportFilter::keyEvent(30, true);
        const int up = DoubleReportFilter::keyEvent(30, false);
        const int left = DoubleReportFilter::buttonEvent(1, true);

        QTest::newRow("window after the nodes")
            << QList<Report>{{nodes, down, 0}, {window, down, 6}} << QList<bool>{true, false};
        QTest::newRow("window first")
            << QList<Report>{{window, down, 0}, {nodes, down, 3}} << QList<bool>{true, false};
        QTest::newRow("two keyboards")
            << QList<Report>{{nodes, down, 0}, {nodes, down, 10}} << QList<bool>{true, true};
        QTest::newRow("too late for an echo")
            << QList<Report>{{nodes, down, 0}, {window, down, 251}} << QList<bool>{true, true};
        QTest::newRow("quick double tap")
            << QList<Report>{{nodes, down, 0},  {nodes, up, 40},   {window, down, 44},
                             {window, up, 47},  {nodes, down, 90}, {window, down, 95},
                             {window, down, 99}}
            << QList<bool>{true, true, false, false, true, false, true};
        QTest::newRow("release, button: no echo of a press, a key")
            << QList<Report>{{nodes, down, 0},
                             {window, up, 5},
                             {nodes, DoubleReportFilter::keyEvent(1, true), 6},
                             {window, left, 7}}
            << QList<bool>{true, true, true, true};
    }
    void echoIsDroppedOnce()
    {
        QFETCH(QList<Report>, reports);
        QFETCH(QList<bool>, admitted);
        DoubleReportFilter filter;
        QList<bool> outcome;
        for (const Report &report : reports)
            outcome << filter.admit(report.origin, report.event, report.atMs);
        QCOMPARE(outcome, admitted);
    }
};

QTEST_GUILESS_MAIN(TestInputChoice)
#include "test_input_choice.moc"

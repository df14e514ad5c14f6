// Journeys on a Wayland compositor: weston on the test's X server (its X11
// backend takes its seat from that server, so xdotool drives it), with the
// program first as a native Wayland client, then as an X client of a rootful
// Xwayland on the same weston. What the user sees is read from weston's own
// X window, and every start does several steps to keep the suite short.
#include "tests/journey/journeysupport.h"
#include "tests/journey/scenepixels.h"

#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QtTest>

using namespace kairo::journey;

namespace {

// Weston's output is the test server's whole 1920 x 1080 screen; the program
// opens at two thirds of it.
const QSize outputSize(1920, 1080);
const QSize windowSize(1280, 720);
const QRgb westonBackground = qRgb(0x20, 0x30, 0x40);
const QString socketName = QStringLiteral("kairo-journey");

// Where a window's picture lies on weston's output: between the first and
// last rows and columns that many pixels off the background cross. The
// pointer, drawn by weston, crosses few.
QRect pictureOn(const QImage &output)
{
    constexpr int many = 100;
    QList<int> rows(output.height()), columns(output.width());
    for (int y = 0; y < output.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(output.constScanLine(y));
        for (int x = 0; x < output.width(); ++x) {
            if ((line[x] & 0xffffff) != (westonBackground & 0xffffff)) {
                ++rows[y];
                ++columns[x];
            }
        }
    }
    const auto span = [](const QList<int> &counts) {
        int first = 0, last = int(counts.size()) - 1;
        while (first <= last && counts[first] < many)
            ++first;
        while (last >= first && counts[last] < many)
            --last;
        return std::pair{first, last};
    };
    const auto [top, bottom] = span(rows);
    const auto [left, right] = span(columns);
    return top > bottom || left > right ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The pointer weston draws on an output that shows nothing else.
QRect pointerOn(const QImage &output)
{
    QRect drawn;
    for (int y = 0; y < output.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(output.constScanLine(y));
        for (int x = 0; x < output.width(); ++x) {
            if ((line[x] & 0xffffff) != (westonBackground & 0xffffff))
                drawn |= QRect(x, y, 1, 1);
        }
    }
    return drawn;
}

void stop(QProcess &process)
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace

class WaylandJourney : public QObject, private JourneyCopy
{
    Q_OBJECT
private:
    QTemporaryDir session; // the compositor's XDG_RUNTIME_DIR, private (0700)
    QProcess weston;
    QProcess xwayland;
    QProcess kairo;
    WId output = 0; // weston's window on the test's X server
    QPoint origin;  // the program's window on weston's output
    QRect busyRing;
    QImage idleRing;

    QImage outputPicture() const { return kairo::journey::grabWindow(output); }
    QImage screen() const { return outputPicture().copy(QRect(origin, windowSize)); }
    bool idle() const { return screen().copy(busyRing) == idleRing; }

    // The view takes no pointer while it talks to the mouse, and the ring
    // may show only after the talk has begun: the wire must stay quiet too.
    bool quiet()
    {
        const int lines = lineCount(wireLog());
        QTest::qWait(700);
        return lines == lineCount(wireLog()) && idle();
    }

    void click(const Place &place, const char *button = "1")
    {
        pointTo(origin + place.centre);
        runTool("xdotool", {"click", button});
    }

    // A person waits to see the menu or dialog before clicking into it; a
    // loaded compositor may show it well after the click.
    void clickUntilShown(const Place &place, const Place &awaited, const char *button = "1")
    {
        const QImage before = screen().copy(awaited.rect);
        click(place, button);
        QTRY_VERIFY_WITH_TIMEOUT(screen().copy(awaited.rect) != before, scaled(5000));
    }

    // Weston passes the keys it gets on its X window to the focused client.
    void keys(const QStringList &args)
    {
        runTool("xdotool", {"windowfocus", "--sync", QString::number(output)});
        runTool("xdotool", args);
    }

    int dragsBegun() const
    {
        QFile log(programLog());
        return log.open(QIODevice::ReadOnly) ? int(log.readAll().count("drag begun")) : 0;
    }

    // Presses at `from`, waits until the program has taken the press (its
    // debug line), and moves the pointer `by` in a few steps before releasing.
    void drag(const QPoint &from, const QPoint &by)
    {
        const int begun = dragsBegun();
        pointTo(from);
        runTool("xdotool", {"mousedown", "1"});
        const auto release = qScopeGuard([] { runTool("xdotool", {"mouseup", "1"}); });
        QTRY_VERIFY2_WITH_TIMEOUT(dragsBegun() > begun, "the program never took the press",
                                  scaled(5000));
        QTest::qWait(scaled(100));
        for (int step = 1; step <= 5; ++step)
            pointTo(from + by * step / 5);
        QTest::qWait(scaled(100));
    }

    // Weston follows the X pointer by its relative motion and now and then
    // starts out of step with it (its first motion lost). In the corners
    // weston holds its pointer at the edge, so after the two opposite ones
    // both pointers are in the same place; weston draws its own where it is.
    void alignPointers()
    {
        const QPoint last(outputSize.width() - 1, outputSize.height() - 1);
        for (const QPoint &corner : {QPoint(0, 0), last, QPoint(0, 0), QPoint(400, 300)}) {
            pointTo(corner);
            QTest::qWait(100);
        }
        QRect drawn;
        QTRY_VERIFY2_WITH_TIMEOUT(
            (drawn = pointerOn(outputPicture())).contains(QPoint(402, 302)),
            qPrintable(QStringLiteral("weston's pointer at %1,%2").arg(drawn.x()).arg(drawn.y())),
            scaled(5000));
    }

    QProcessEnvironment clientEnvironment() const
    {
        QProcessEnvironment env = environment();
        env.insert("XDG_RUNTIME_DIR", session.path());
        return env;
    }

    void startProgram(const QProcessEnvironment &env) { startCopy(kairo, env); }

    // Stage 1's slider drawn, and the busy ring's picture once it holds still.
    void waitUntilDrawn(const QHash<QString, Place> &at)
    {
        const QRect slider = at.value("dpiSlider0").rect;
        QTRY_VERIFY_WITH_TIMEOUT(
            countNear(screen(), slider, accent) + countNear(screen(), slider, primary) > 20,
            scaled(15000));
        busyRing = at.value("@BusyIndicator").rect;
        QImage before;
        QTRY_VERIFY_WITH_TIMEOUT((before = screen().copy(busyRing), QTest::qWait(250),
                                  screen().copy(busyRing) == before),
                                 scaled(10000));
        idleRing = before;
    }

    // Stage 2 one step up, Save: the stages on the wire and in the profile.
    void saveRaisedStage(const QHash<QString, Place> &at, const QString &family)
    {
        const QRect save = at.value("saveButton").rect;
        QVERIFY2(countNear(screen(), save, accent) == 0, "nothing is unsaved at start");
        QList<int> raised = iniInts(profile(), "dpiValueArray");
        QCOMPARE(raised.size(), 8);
        raised[1] += iniValue(path("modules/setting/apConfig.bin"), "mouse", "dpiBase").toInt();
        const QByteArray codes =
            expectedCodes(family, raised, iniInts(profile(), "dpiEnableArray"));
        click(at["dpiPlus1"]);
        QTRY_VERIFY_WITH_TIMEOUT(countNear(screen(), save, accent) > 0, scaled(5000));
        const int from = lineCount(wireLog());
        click(at["saveButton"]);
        QTRY_VERIFY2_WITH_TIMEOUT(sentDpiCodes(commands(wireLog(), from), family).contains(codes),
                                  describe(sentDpiCodes(commands(wireLog(), from), family)),
                                  scaled(10000));
        QTRY_COMPARE_WITH_TIMEOUT(iniInts(profile(), "dpiValueArray"), raised, scaled(5000));
        QTRY_VERIFY_WITH_TIMEOUT(countNear(screen(), save, accent) == 0, scaled(5000));
        QTRY_VERIFY_WITH_TIMEOUT(quiet(), scaled(15000));
    }

    // Stage 2 saved, then a drag by a part of the window that no control
    // covers. `placed` tells where the compositor shows the window, which
    // must have moved by the pointer's way; after the drag the press has
    // ended for the program too, so a control takes a click where it now is.
    void saveThenDrag(const QHash<QString, Place> &at, const QString &family,
                      const std::function<QRect()> &placed)
    {
        saveRaisedStage(at, family);
        if (QTest::currentTestFailed())
            return;
        const QRect before = placed();
        const QPoint by = inwards();
        drag(origin + emptySpot(at), by);
        QTRY_COMPARE_WITH_TIMEOUT(placed(), before.translated(by), scaled(5000));
        origin += by;
        checkClickable(at);
    }

    // After a drag the press has ended for the program too: a click on a
    // control at the window's new place takes effect.
    void checkClickable(const QHash<QString, Place> &at)
    {
        QTRY_VERIFY_WITH_TIMEOUT(idle(), scaled(10000));
        click(at["dpiPlus1"]);
        QTRY_VERIFY_WITH_TIMEOUT(countNear(screen(), at.value("saveButton").rect, accent) > 0,
                                 scaled(5000));
    }

    // A place of the window that no control covers, below the button list.
    static QPoint emptySpot(const QHash<QString, Place> &at)
    {
        return QPoint(at["keyRow3"].centre.x(),
                      (at["keyRow3"].rect.bottom() + at["configButton"].rect.top()) / 2);
    }

    // A move that keeps the window inside the output.
    QPoint inwards() const
    {
        return QPoint(origin.x() >= 100 ? -100 : 100, origin.y() >= 60 ? -60 : 60);
    }

    static QStringList startControls()
    {
        return {"@BusyIndicator", "dpiSlider0",   "dpiPlus1",      "saveButton",
                "keyRow3",        "configButton", "minimizeButton"};
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("KAIRO_JOURNEY_KEEP")) {
            keep();
            session.setAutoRemove(false);
            qInfo("keeping %s and %s", qPrintable(folder()), qPrintable(session.path()));
        }
        for (const char *tool : {"xdotool", "weston", "Xwayland"})
            QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), tool);
        QVERIFY(session.isValid());
        QFile ini(session.filePath("weston.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[shell]\npanel-position=none\nbackground-color=0xff203040\n");
        ini.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", session.path());
        env.remove("WAYLAND_DISPLAY");
        weston.setProcessEnvironment(env);
        weston.setProcessChannelMode(QProcess::MergedChannels);
        weston.setStandardOutputFile(session.filePath("weston.log"));
        weston.start("weston", {"--backend=x11-backend.so", "--socket=" + socketName,
                                QStringLiteral("--width=%1").arg(outputSize.width()),
                                QStringLiteral("--height=%1").arg(outputSize.height()),
                                "--idle-time=0", "--use-pixman", "--config=" + ini.fileName()});
        QVERIFY(weston.waitForStarted());
        QString id;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(id = runTool("xdotool", {"search", "--class", "^Weston Compositor$"}).trimmed())
                 .isEmpty(),
            scaled(10000));
        QVERIFY2(!id.contains('\n'), qPrintable(id));
        output = WId(id.toULongLong());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(session.filePath(socketName)), scaled(10000));
        QTRY_COMPARE_WITH_TIMEOUT(outputPicture().size(), outputSize, scaled(10000));
        alignPointers();
    }

    void cleanup() { stop(kairo); }

    void cleanupTestCase()
    {
        stop(xwayland);
        stop(weston);
    }

    // The program as a native Wayland client: drawn, Save, moved by the
    // compositor when dragged, a macro recorded from typed keys.
    void nativeWayland()
    {
        const QString family = QStringLiteral("553");
        QElapsedTimer clock;
        clock.start();
        copyProgram(family);
        if (QTest::currentTestFailed())
            return;
        const QString tree = QStringLiteral("macroEditorMain/macroTree");
        QHash<QString, Place> at =
            places(startControls() + QStringList{"tab2", "--click", "tab2", tree, "macroRecord"});
        at.insert(places({"--click", "tab2", "--rclick", tree, "menuNewMacro", "--click",
                          "menuNewMacro", "inputAssigmentField", "inputAssigmentOk"}));
        for (const char *name : {"dpiPlus1", "keyRow3", "macroRecord", "inputAssigmentOk"})
            QVERIFY2(at.contains(name), name);

        // a. started on the compositor alone: no X server beside it, whose
        // input the program could otherwise watch. Weston places new windows
        // where it likes; the picture says where.
        QProcessEnvironment env = clientEnvironment();
        env.insert("QT_QPA_PLATFORM", "wayland");
        env.insert("WAYLAND_DISPLAY", socketName);
        env.remove("DISPLAY");
        env.remove("XAUTHORITY");
        startProgram(env);
        if (QTest::currentTestFailed())
            return;
        QRect picture;
        QTRY_COMPARE_WITH_TIMEOUT((picture = pictureOn(outputPicture())).size(), windowSize,
                                  scaled(15000));
        origin = picture.topLeft();
        waitUntilDrawn(at);
        if (QTest::currentTestFailed())
            return;

        // b, c. saved, then moved by the compositor: the picture shows where
        saveThenDrag(at, family, [this] { return pictureOn(outputPicture()); });
        if (QTest::currentTestFailed())
            return;

        // d. a new macro named by typing into the window, then recorded
        QTRY_VERIFY_WITH_TIMEOUT(idle(), scaled(10000));
        click(at["tab2"]);
        const Place editorRow{QPoint(at[tree].centre.x(), at[tree].rect.top() + 14), QRect()};
        clickUntilShown(at[tree], at["menuNewMacro"], "3");
        clickUntilShown(at["menuNewMacro"], at["inputAssigmentField"]);
        if (QTest::currentTestFailed())
            return;
        // A person presses OK once the name shows in the field (white text
        // on the dark field, far more of it than the caret), and types it
        // again when it does not: beside the whole suite the compositor has
        // lost the first keys typed into a dialog just opened.
        const QRect field = at["inputAssigmentField"].rect;
        const int blank = countNear(screen(), field, Qt::white);
        const auto nameShows = [&] {
            return QTest::qWaitFor(
                [&] { return countNear(screen(), field, Qt::white) > blank + 40; }, scaled(5000));
        };
        bool shown = false;
        for (int attempt = 0; attempt < 2 && !shown; ++attempt) {
            click(at["inputAssigmentField"]);
            if (attempt > 0) {
                qInfo("the typed name did not show; typing it again");
                keys({"key", "ctrl+a", "BackSpace"});
            }
            keys({"type", "--delay", "60", "word"});
            shown = nameShows();
        }
        QVERIFY2(shown, "the typed name never showed in the field");
        click(at["inputAssigmentOk"]);
        const QString word = path("modules/macro/word.bin");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(word), scaled(5000));
        click(editorRow);
        // On a loaded machine the compositor may pass keys on later than
        // xdotool sends them; a person too types a moment after the click.
        click(at["macroRecord"]);
        QTest::qWait(scaled(300));
        keys({"type", "--delay", "120", "ab"});
        QTest::qWait(scaled(500));
        click(at["macroRecord"]);
        const QStringList typed{"1,A", "2,A", "1,B", "2,B"};
        const auto recorded = [&] {
            return macroLines(word).filter(QRegularExpression("^[1-4],"));
        };
        const bool arrived = QTest::qWaitFor([&] { return recorded() == typed; }, scaled(3000));
        QVERIFY2(arrived, qPrintable(recorded().join(' ')));

        // e. minimised, which weston shows as gone, and brought back by a
        // second start, which then ends
        click(at["minimizeButton"]);
        QTRY_VERIFY_WITH_TIMEOUT(pictureOn(outputPicture()).size() != windowSize, scaled(5000));
        QProcess second;
        second.setProcessEnvironment(env);
        second.start(path("kairo"));
        QVERIFY(second.waitForFinished(scaled(10000)));
        QCOMPARE(second.exitCode(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(pictureOn(outputPicture()).size(), windowSize, scaled(5000));
        qInfo("native Wayland journey took %lld ms", clock.elapsed());
    }

    // The program as an X client of Xwayland on weston (what a Wayland
    // desktop gives it without Qt's Wayland plugin): drawn, Save, and a drag
    // that moves the window by the pointer's offsets.
    void xwaylandClient()
    {
        const QString family = QStringLiteral("560");
        QElapsedTimer clock;
        clock.start();
        copyProgram(family);
        if (QTest::currentTestFailed())
            return;
        const QHash<QString, Place> at = places(startControls());
        for (const QString &name : startControls())
            QVERIFY2(at.contains(name), qPrintable(name));

        // a. Xwayland on a display number of its own choosing, rootful: one
        // weston window as large as the output, holding the X screen
        QProcessEnvironment serverEnv = QProcessEnvironment::systemEnvironment();
        serverEnv.insert("XDG_RUNTIME_DIR", session.path());
        serverEnv.insert("WAYLAND_DISPLAY", socketName);
        serverEnv.remove("DISPLAY");
        xwayland.setProcessEnvironment(serverEnv);
        xwayland.setStandardErrorFile(session.filePath("xwayland.log"));
        xwayland.start("Xwayland", {"-displayfd", "1", "-noreset"});
        QVERIFY(xwayland.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(xwayland.canReadLine(), scaled(10000));
        bool numbered = false;
        const int number = xwayland.readLine().trimmed().toInt(&numbered);
        QVERIFY(numbered);
        const QString display = ':' + QString::number(number);
        QRect screenPicture;
        QTRY_COMPARE_WITH_TIMEOUT((screenPicture = pictureOn(outputPicture())).size(), outputSize,
                                  scaled(10000));

        QProcessEnvironment env = clientEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DISPLAY", display);
        env.remove("XAUTHORITY");
        env.remove("WAYLAND_DISPLAY");
        startProgram(env);
        if (QTest::currentTestFailed())
            return;
        const auto windowGeometry = [&env] {
            const WId id = kairo::test::waitForWindow(0, env);
            return id ? kairo::test::windowGeometry(id, env) : QRect();
        };
        QRect window;
        QTRY_COMPARE_WITH_TIMEOUT((window = windowGeometry()).size(), windowSize, scaled(15000));
        origin = screenPicture.topLeft() + window.topLeft();
        waitUntilDrawn(at);
        if (QTest::currentTestFailed())
            return;

        // b, c. saved, then moved: the X window follows the pointer
        saveThenDrag(at, family, windowGeometry);
        qInfo("Xwayland journey took %lld ms", clock.elapsed());
    }
};

QTEST_MAIN(WaylandJourney)
#include "test_journey_wayland.moc"

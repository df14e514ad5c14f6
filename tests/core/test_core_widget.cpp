// The main widget in-process, against the virtual mouse and a real tray host
// (trayer) on the test's own X server: device watch, tray, window commands,
// wheel steps, quitting and tear-down.
#include "core/devicechangesource.h"
#include "core/myqquickview.h"
#include "core/ui_controler.h"
#include "core/widget.h"
#include "tests/support/builtmodules.h"
#include "tests/support/trayhost.h"

#include "sim/virtualmouse.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QMenu>
#include <QMutex>
#include <QProcess>
#include <QQuickItem>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

// Every debug line with the time it was written, from any thread.
struct DebugLines {
    QMutex lock;
    QList<QPair<qint64, QString>> lines;
    QStringList rawLines;   // as written, trailing blanks included
    QStringList sceneCalls; // the view's trace of its calls into the scene, "scene: " cut off
    QElapsedTimer clock;
    QtMessageHandler previous = nullptr;
};
DebugLines debugLines;

void recordDebugLine(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    {
        QMutexLocker locker(&debugLines.lock);
        debugLines.lines.append({debugLines.clock.elapsed(), text.trimmed()});
        debugLines.rawLines.append(text);
        if (qstrcmp(context.category, "kairo.scene") == 0
            && text.startsWith(QLatin1String("scene: ")))
            debugLines.sceneCalls.append(text.mid(7));
    }
    if (debugLines.previous)
        debugLines.previous(type, context, text);
}

struct Model {
    QString family = QStringLiteral("553");
    bool isGun = false;
};

} // namespace

class WidgetShell : public QObject
{
    Q_OBJECT
private:
    TrayHost trayHost;
    std::unique_ptr<QTemporaryDir> workDir;
    std::unique_ptr<Widget> widget;
    DeviceChangeSource *notices = nullptr; // owned by the widget

    // A fresh copy of the built modules tree as the working directory, with
    // the model flags of the given mouse.
    void enterModules(const Model &model)
    {
        workDir = std::make_unique<QTemporaryDir>();
        QVERIFY(workDir->isValid());
        QVERIFY(copyBuiltModules(workDir->path()));
        QSettings config(workDir->filePath(QStringLiteral("modules/setting/apConfig.bin")),
                         QSettings::IniFormat);
        QVERIFY(config.contains(QStringLiteral("common/deviceCount")));
        config.setValue(QStringLiteral("mouse/icType"), model.family);
        config.setValue(QStringLiteral("mouse/isGun"), model.isGun);
        config.sync();
        QVERIFY(QDir::setCurrent(workDir->path()));
    }

    // The widget as the program starts it: shown, then checked once. Its
    // device-change notices come from a source the test fires.
    void startWidget(const Model &model, bool plugged, bool openDenied = false)
    {
        kairo::sim::DeviceConfig mouse;
        mouse.plugged = plugged;
        mouse.openDenied = openDenied;
        startWidget(model, mouse);
    }
    void startWidget(const Model &model, kairo::sim::DeviceConfig mouse)
    {
        enterModules(model);
        mouse.family = model.family;
        kairo::sim::reset({mouse});
        clearSceneCalls();
        widget = std::make_unique<Widget>();
        auto source = std::make_unique<DeviceChangeSource>();
        notices = source.get();
        widget->setDeviceChangeSource(std::move(source));
        clearLines();
        widget->showNormal();
        widget->checkDevice();
    }

    void clearLines()
    {
        QMutexLocker locker(&debugLines.lock);
        debugLines.lines.clear();
        debugLines.rawLines.clear();
    }
    QStringList rawLines()
    {
        QMutexLocker locker(&debugLines.lock);
        return debugLines.rawLines;
    }
    // Times of the lines equal to text, in order.
    QList<qint64> linesAt(const QString &text)
    {
        QMutexLocker locker(&debugLines.lock);
        QList<qint64> at;
        for (const auto &line : std::as_const(debugLines.lines)) {
            if (line.second == text)
                at << line.first;
        }
        return at;
    }
    int lineCount(const QString &text) { return int(linesAt(text).size()); }

    // Calls into the scene since the widget was made; clearLines keeps them.
    static QStringList sceneCalls()
    {
        QMutexLocker locker(&debugLines.lock);
        return debugLines.sceneCalls;
    }
    static void clearSceneCalls()
    {
        QMutexLocker locker(&debugLines.lock);
        debugLines.sceneCalls.clear();
    }
    // Connected: the scene ran initUI (its start-up lock, if any, began
    // before run was queued) and the view is unlocked again.
    void waitForSceneUp()
    {
        QTRY_VERIFY_WITH_TIMEOUT(sceneCalls().contains(QStringLiteral("run")), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(widget->view()->isEnabled(), 5000);
    }

    QQuickItem *sceneItem(const char *name) const
    {
        return widget->view()->rootObject()->findChild<QQuickItem *>(QLatin1String(name));
    }
    // The state the panel shows, "" while it is hidden and the pages take input.
    QString panelState() const
    {
        QQuickItem *panel = sceneItem("deviceStatePanel");
        if (panel->isVisible() == sceneItem("pageContent")->isEnabled())
            return QStringLiteral("panel and pages disagree");
        return panel->isVisible() ? panel->property("deviceState").toString() : QString();
    }
    static QStringList deviceStateCalls()
    {
        return sceneCalls().filter(QRegularExpression(QStringLiteral("^setDeviceState ")));
    }
    static int commandsOnTheWire()
    {
        int count = 0;
        for (const kairo::sim::WireRecord &record : kairo::sim::wireLog())
            count += record.direction == kairo::sim::Direction::FeatureOut
                     || record.direction == kairo::sim::Direction::Out;
        return count;
    }

    // Profile numbers of the device-profile reads the mouse received, in order.
    static QList<int> profileReads()
    {
        QList<int> reads;
        for (const kairo::sim::WireRecord &record : kairo::sim::wireLog()) {
            if (record.direction == kairo::sim::Direction::FeatureOut && record.plain.size() == 9
                && uchar(record.plain[1]) == 0x8C)
                reads << uchar(record.plain[2]);
        }
        return reads;
    }

    void sendWheel(const QPoint &angleDelta)
    {
        myQQuickView *view = widget->view();
        const QPointF at(view->width() / 2.0, view->height() / 2.0);
        QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), angleDelta, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        wheel.ignore();
        QApplication::sendEvent(view, &wheel);
        QVERIFY(wheel.isAccepted());
    }

private slots:
    void initTestCase()
    {
        debugLines.clock.start();
        debugLines.previous = qInstallMessageHandler(recordDebugLine);
        QLoggingCategory::setFilterRules(QStringLiteral("kairo*.debug=true"));
        // Without a tray host there is no tray, so the checks below depend on it.
        QVERIFY2(!QSystemTrayIcon::isSystemTrayAvailable(),
                 "a tray host is already running on this display");
        QVERIFY2(trayHost.start(), "trayer did not start");
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 15000);
    }

    void cleanup()
    {
        kairo::sim::setApiHook(nullptr);
        widget.reset();
        notices = nullptr;
        QDir::setCurrent(QDir::tempPath());
        workDir.reset();
    }

    void cleanupTestCase()
    {
        trayHost.stop();
        qInstallMessageHandler(debugLines.previous);
    }

    // The shell's own lines, exactly as written (every item ends in one
    // blank, like the device link's lines) and in the order the window is
    // built: controller, then the view it creates, then the screen size.
    void shellDebugLinesAsWritten()
    {
        enterModules(Model{});
        kairo::sim::DeviceConfig mouse;
        mouse.plugged = false;
        kairo::sim::reset({mouse});
        clearLines();
        widget = std::make_unique<Widget>();
        const QString setupLine = QStringLiteral(
            "=====================Ui_Controler - setupUi================================  ");
        const QString viewLine = QStringLiteral(
            "========================== ui_View ================================== ");
        const QString screenLine = QStringLiteral("screen W,H =  1920 1080 ");
        QStringList lines = rawLines();
        const qsizetype setupAt = lines.indexOf(setupLine);
        const qsizetype viewAt = lines.indexOf(viewLine);
        const qsizetype screenAt = lines.indexOf(screenLine);
        QVERIFY2(setupAt >= 0 && viewAt > setupAt && screenAt > viewAt,
                 qPrintable(lines.join(QLatin1Char('|'))));

        clearLines();
        widget->receiveMessage(QString());
        lines = rawLines();
        QVERIFY2(lines.contains(QStringLiteral(
                     "------------------------- receiveMessage--------------------- ")),
                 qPrintable(lines.join(QLatin1Char('|'))));
    }

    // No mouse: the window stays with the panel saying so, in the configured
    // language although nothing has connected; the tray icon offers quitting.
    void noMouseShowsTheAbsentPanel()
    {
        startWidget(Model{}, false);
        QCOMPARE(lineCount(QStringLiteral("Device DisConnect")), 1);
        QCOMPARE(lineCount(QStringLiteral("Device Connect")), 0);
        QVERIFY(widget->isVisible());
        QVERIFY(!deviceUiShown);
        QVERIFY(!widget->hidThread().monitoring);
        QCOMPARE(deviceStateCalls(), QStringList{QStringLiteral("setDeviceState absent  ")});
        QCOMPARE(panelState(), QStringLiteral("absent"));
        const QStringList texts = widget->view()->getLangStrings(
            QStringLiteral("device"),
            widget->view()->getGlobalData(QStringLiteral("common/language")).toString());
        QCOMPARE(texts.size(), 7);
        QCOMPARE(sceneItem("deviceStateTitle")->property("text").toString(), texts.at(0));

        QSystemTrayIcon *tray = widget->trayIcon();
        QVERIFY(tray);
        QVERIFY(tray->isVisible());
        QCOMPARE(tray->toolTip(), QStringLiteral("ZENDRA KAIRO MOUSE K1"));
        QVERIFY(!tray->icon().isNull());
        // Embedded in the tray host: the icon has a place on the screen.
        QTRY_VERIFY_WITH_TIMEOUT(!tray->geometry().isEmpty(), 10000);
        QVERIFY(QGuiApplication::primaryScreen()->geometry().intersects(tray->geometry()));

        QMenu *menu = tray->contextMenu();
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions().last(), widget->quitAction());
        QCOMPARE(widget->quitAction()->text(), QStringLiteral("Quit (&Q)"));

        // The scene stays in its start-up state.
        QTest::qWait(300);
        QVERIFY(!sceneCalls().contains(QStringLiteral("initUI")));
        QVERIFY(!sceneCalls().contains(QStringLiteral("run")));

        // A second start, a single click and a double click each show the
        // window even without a mouse.
        widget->receiveMessage(QString());
        QTRY_VERIFY_WITH_TIMEOUT(widget->isVisible(), 5000);
        widget->hide();
        widget->trayIconActivated(QSystemTrayIcon::Trigger);
        QTRY_VERIFY_WITH_TIMEOUT(widget->isVisible(), 5000);
        widget->hide();
        widget->trayIconActivated(QSystemTrayIcon::DoubleClick);
        QTRY_VERIFY_WITH_TIMEOUT(widget->isVisible(), 5000);
    }

    // A mouse brings the scene up; which device profiles are read on connect
    // depends on the family and the gun flag.
    void connectReadsProfiles_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("isGun");
        QTest::addColumn<QList<int>>("reads");
        QTest::newRow("553 reads none") << QStringLiteral("553") << true << QList<int>{};
        QTest::newRow("560 reads 0 and 1") << QStringLiteral("560") << false << QList<int>{0, 1};
        QTest::newRow("560 gun reads 0 to 4")
            << QStringLiteral("560") << true << QList<int>{0, 1, 2, 3, 4};
    }
    void connectReadsProfiles()
    {
        QFETCH(QString, family);
        QFETCH(bool, isGun);
        QFETCH(QList<int>, reads);
        Model model;
        model.family = family;
        model.isGun = isGun;
        startWidget(model, true);
        QCOMPARE(widget->view()->modelIcType(), family);

        QCOMPARE(lineCount(QStringLiteral("Device Connect")), 1);
        QCOMPARE(lineCount(QStringLiteral("Device DisConnect")), 0);
        QVERIFY(deviceUiShown);
        QVERIFY(widget->isVisible());
        QVERIFY(widget->view()->isEnabled());
        QVERIFY(widget->hidThread().monitoring);
        QCOMPARE(profileReads(), reads);

        QTRY_VERIFY_WITH_TIMEOUT(sceneCalls().contains(QStringLiteral("run")), 10000);
        const QStringList calls = sceneCalls();
        QCOMPARE(calls.count(QStringLiteral("initUI")), 1);
        QCOMPARE(calls.count(QStringLiteral("run")), 1);
        QVERIFY(calls.indexOf(QStringLiteral("initUI")) < calls.indexOf(QStringLiteral("run")));
    }

    // A 560 gun mouse that answers every command a little after the reply
    // bound: the start waits for one reply per action, not for 28 of them.
    void stalledMouseCostsOneTimeOutPerAction()
    {
        Model model;
        model.family = QStringLiteral("560");
        model.isGun = true;
        kairo::sim::DeviceConfig mouse;
        mouse.stallMs = 1000;
        QElapsedTimer clock;
        clock.start();
        startWidget(model, mouse);
        QTRY_VERIFY_WITH_TIMEOUT(sceneCalls().contains(QStringLiteral("run")), 60000);
        const qint64 started = clock.elapsed();
        qInfo("start with a mouse stalling 1000 ms: %lld ms", started);
        QVERIFY2(started < 5000, qPrintable(QString::number(started)));
        QVERIFY(sceneCalls().contains(QStringLiteral("showMouseOutcome noAnswer")));
    }

    // Profile images the connect could not read: read again before a Save
    // changes them, and never sent while they still cannot be read.
    void profileReadFailedAtConnect_data()
    {
        QTest::addColumn<bool>("readableLater");
        QTest::newRow("read again at the save") << true;
        QTest::newRow("never readable") << false;
    }
    void profileReadFailedAtConnect()
    {
        QFETCH(bool, readableLater);
        Model model;
        model.family = QStringLiteral("560");
        model.isGun = true;
        kairo::sim::DeviceConfig mouse;
        mouse.failProfileReads = 100;
        startWidget(model, mouse);
        waitForSceneUp();
        const kairo::sim::FirmwareState before = kairo::sim::state(0);
        kairo::sim::setFailProfileReads(0, readableLater ? 0 : 100);
        kairo::sim::clearWireLog();

        myQQuickView *view = widget->view();
        view->beginMouseAction();
        view->mouseSetDpi(4, QStringLiteral("3320"), {400, 800, 1600, 3200, 4000, 5000, 6000, 7000},
                          {1, 1, 1, 1});
        QCOMPARE(view->endMouseAction(), readableLater ? "done" : "notRead");

        const kairo::sim::FirmwareState after = kairo::sim::state(0);
        for (int image = 1; image <= 4; ++image) {
            const QByteArray was = before.profiles[size_t(image)];
            const QByteArray now = after.profiles[size_t(image)];
            if (!readableLater) {
                QCOMPARE(now, was);
                continue;
            }
            // Bytes 82 to 100 are the stages'; all others stay the firmware's.
            QCOMPARE(now.left(82), was.left(82));
            QCOMPARE(now.mid(101), was.mid(101));
            QCOMPARE(uchar(now.at(84)), uchar(0x21));
        }
        QCOMPARE(after.profiles[0], before.profiles[0]);
    }

    // Stage reports outside the profile's eight stages move nothing.
    void stageReportsOutsideTheStagesIgnored_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::newRow("stage 9") << QByteArray::fromHex("06070009");
        QTest::newRow("stage 200") << QByteArray::fromHex("060700c8");
        QTest::newRow("stage 255") << QByteArray::fromHex("060700ff");
        QTest::newRow("stage 0") << QByteArray::fromHex("06070000");
        QTest::newRow("garbage") << QByteArray::fromHex("060712ab");
    }
    void stageReportsOutsideTheStagesIgnored()
    {
        QFETCH(QByteArray, report);
        startWidget(Model{}, true);
        waitForSceneUp();
        QQuickItem *dpiPage = sceneItem("dpiSettingMain");
        kairo::sim::pressDpi(0, 3);
        QTRY_COMPARE_WITH_TIMEOUT(dpiPage->property("currentDPI").toInt(), 2, 5000);
        kairo::sim::sendNotification(0, report);
        kairo::sim::pressDpi(0, 4);
        QTRY_COMPARE_WITH_TIMEOUT(dpiPage->property("currentDPI").toInt(), 3, 5000);
        QCOMPARE(
            sceneCalls().filter(QStringLiteral("setCurrentDPI")),
            QStringList({QStringLiteral("setCurrentDPI 3"), QStringLiteral("setCurrentDPI 4")}));
    }

    // Unplugged: the monitor notices and disables the view. Plugged again, a
    // device-change notice brings it back, one check delay later.
    void unplugAndReconnect()
    {
        startWidget(Model{}, true);
        QVERIFY(widget->hidThread().monitoring);
        // Only an unlocked view shows that the removal is what disables it.
        waitForSceneUp();
        // While the monitor watches the mouse, notices start nothing.
        notices->deviceChanged();
        QVERIFY(!widget->deviceCheckTimer().isActive());

        QCOMPARE(panelState(), QString());

        kairo::sim::unplug(0);
        QTRY_VERIFY_WITH_TIMEOUT(lineCount(QStringLiteral("Device removed")) == 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(panelState(), QStringLiteral("unplugged"), 5000);
        // The view itself stays enabled: the panel's window buttons work.
        QVERIFY(widget->view()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!widget->hidThread().monitoring, 5000);
        QVERIFY(widget->isVisible()); // lost, not gone: the window stays
        QVERIFY(deviceUiShown);
        // Its own removal notice finds nothing: the panel keeps saying why.
        notices->deviceChanged();
        QTRY_VERIFY_WITH_TIMEOUT(lineCount(QStringLiteral("Device DisConnect")) == 1, 8000);
        QCOMPARE(panelState(), QStringLiteral("unplugged"));

        kairo::sim::plug(0);
        clearLines();
        const qint64 noticeAt = debugLines.clock.elapsed();
        notices->deviceChanged();
        QVERIFY(widget->deviceCheckTimer().isActive());
        QTRY_VERIFY_WITH_TIMEOUT(lineCount(QStringLiteral("Device Connect")) == 1, 8000);
        const qint64 after = linesAt(QStringLiteral("Device Connect")).first() - noticeAt;
        QVERIFY2(after >= 1900, qPrintable(QString::number(after)));
        QVERIFY2(after <= 4000, qPrintable(QString::number(after)));
        // Enabled on connect; the scene may lock it again for its start-up.
        QTRY_VERIFY_WITH_TIMEOUT(widget->view()->isEnabled(), 5000);
        QVERIFY(widget->hidThread().monitoring);
        QTRY_VERIFY_WITH_TIMEOUT(sceneCalls().count(QStringLiteral("run")) == 2, 10000);
        QCOMPARE(panelState(), QString());
    }

    // A mouse this user may not open: the window shows which node and how to
    // install the rule, nothing goes to the mouse and monitoring stays off,
    // so each device-change notice tries again; once allowed, it connects.
    void deniedMouseWaitsForTheRule()
    {
        startWidget(Model{}, true, true);
        QCOMPARE(lineCount(QStringLiteral("Device Denied virtual:0:command")), 1);
        QCOMPARE(lineCount(QStringLiteral("Device Connect")), 0);
        QVERIFY(widget->isVisible());
        QVERIFY(!widget->hidThread().monitoring);
        QVERIFY(widget->hidThread().deviceTable.at(0).path.isEmpty());
        const QStringList told = deviceStateCalls();
        QCOMPARE(told.size(), 1);
        QVERIFY2(told.first().startsWith(QStringLiteral("setDeviceState denied virtual:0:command "
                                                        "sudo install -m 644 ")),
                 qPrintable(told.first()));
        QCOMPARE(panelState(), QStringLiteral("denied"));
        QVERIFY(sceneItem("deviceStateMessage")
                    ->property("text")
                    .toString()
                    .contains(QStringLiteral("virtual:0:command")));
        QTest::qWait(300);
        QVERIFY(!sceneCalls().contains(QStringLiteral("initUI")));
        QCOMPARE(commandsOnTheWire(), 0);

        QCOMPARE(kairo::sim::handleControlCommand(QStringLiteral("allow")), QStringLiteral("ok\n"));
        notices->deviceChanged();
        QVERIFY(widget->deviceCheckTimer().isActive());
        QTRY_VERIFY_WITH_TIMEOUT(lineCount(QStringLiteral("Device Connect")) == 1, 8000);
        QCOMPARE(deviceStateCalls().last(), QStringLiteral("setDeviceState connected  "));
        waitForSceneUp();
        QCOMPARE(panelState(), QString());
        QVERIFY(widget->hidThread().monitoring);
        QVERIFY(commandsOnTheWire() > 0);
    }

    // A burst of notices while nothing is attached gives a single check, one
    // check delay after the last notice.
    void noticeBurstGivesOneCheck()
    {
        startWidget(Model{}, false);
        QCOMPARE(widget->deviceCheckTimer().interval(), 2048);
        clearLines();
        qint64 lastNotice = 0;
        for (int i = 0; i < 4; ++i) {
            if (i > 0)
                QTest::qWait(400);
            widget->deviceChangeNotice();
            lastNotice = debugLines.clock.elapsed();
        }
        QVERIFY(lineCount(QStringLiteral("Device DisConnect")) == 0);
        QTRY_VERIFY_WITH_TIMEOUT(lineCount(QStringLiteral("Device DisConnect")) >= 1, 8000);
        const qint64 after = linesAt(QStringLiteral("Device DisConnect")).first() - lastNotice;
        QVERIFY2(after >= 1900, qPrintable(QString::number(after)));
        QVERIFY2(after <= 4000, qPrintable(QString::number(after)));
        // Nothing more follows: the timer is single-shot.
        QTest::qWait(2600);
        QCOMPARE(lineCount(QStringLiteral("Device DisConnect")), 1);
        QVERIFY(!widget->deviceCheckTimer().isActive());
        QVERIFY(widget->isVisible()); // no mouse keeps the window, with its panel
        QCOMPARE(panelState(), QStringLiteral("absent"));
    }

    // Hide and restore; maximise then restore, each reporting the screen size
    // to the scene.
    // Wheel deltas reach the scene in whole notches, truncated.
    void windowCommandsAndWheel()
    {
        startWidget(Model{}, true);
        // A locked view takes no wheel.
        waitForSceneUp();
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(1920, 1080));
        QVERIFY(sceneCalls().contains(QStringLiteral("setScreenRect 1280 720 false")));
        QCOMPARE(widget->size(), QSize(1280, 720));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(widget->geometry().center(), area.center());

        Ui_Controler *ctl = widget->controller();
        // Hidden to the tray, a second start brings the window back.
        ctl->onHide();
        QVERIFY(!widget->isVisible());
        QVERIFY(widget->trayIcon()->isVisible());
        widget->receiveMessage(QString());
        QTRY_VERIFY_WITH_TIMEOUT(widget->isVisible(), 5000);

        QVERIFY(!ctl->maximized());
        int before = int(sceneCalls().size());
        ctl->onMaxRestore();
        QVERIFY(ctl->maximized());
        QVERIFY(widget->windowState() & Qt::WindowMaximized);
        QCOMPARE(sceneCalls().mid(before),
                 QStringList{QStringLiteral("setScreenRect 1920 1080 true")});
        QQuickItem *root = widget->view()->rootObject();
        QCOMPARE(root->property("isFrameMax").toBool(), true);
        QCOMPARE(root->property("frameW").toInt(), 1920);
        QCOMPARE(root->property("frameH").toInt(), 1080);
        QCOMPARE(root->property("zoomInRate_min").toDouble(), 1.5);

        before = int(sceneCalls().size());
        ctl->onMaxRestore();
        QVERIFY(!ctl->maximized());
        QVERIFY(!(widget->windowState() & Qt::WindowMaximized));
        QCOMPARE(sceneCalls().mid(before),
                 QStringList{QStringLiteral("setScreenRect 1280 720 false")});
        QCOMPARE(root->property("frameW").toInt(), 1280);
        QCOMPARE(root->property("frameH").toInt(), 720);
        QCOMPARE(root->property("isFrameMax").toBool(), false);
        QCOMPARE(root->property("zoomInRate_min").toDouble(), 1.0);

        // On X11 the window is not handed to the window manager for a drag:
        // it follows the pointer from the press, however often it is told
        // to (a motion and then the release at the same place).
        const QPoint placed = widget->pos();
        const QPoint pressedAt = widget->geometry().center();
        QCursor::setPos(pressedAt);
        QTRY_COMPARE_WITH_TIMEOUT(QCursor::pos(), pressedAt, 5000);
        QObject *drag = root->findChild<QObject *>(QStringLiteral("windowDrag"));
        QVERIFY(drag);
        QVERIFY(QMetaObject::invokeMethod(drag, "begin"));
        QVERIFY(!drag->property("movedBySystem").toBool());
        QCursor::setPos(pressedAt + QPoint(30, -20));
        QTRY_COMPARE_WITH_TIMEOUT(QCursor::pos(), pressedAt + QPoint(30, -20), 5000);
        for (int told = 0; told < 2; ++told)
            QVERIFY(QMetaObject::invokeMethod(drag, "follow"));
        QTRY_COMPARE_WITH_TIMEOUT(widget->pos(), placed + QPoint(30, -20), 5000);

        before = int(sceneCalls().size());
        sendWheel(QPoint(0, 240));
        sendWheel(QPoint(0, -120));
        sendWheel(QPoint(0, 60));
        sendWheel(QPoint(120, 0)); // sideways: nothing reaches the scene
        sendWheel(QPoint(0, -60));
        sendWheel(QPoint(0, -250));
        const QStringList expected{QStringLiteral("scroll 2"), QStringLiteral("scroll -1"),
                                   QStringLiteral("scroll 0"), QStringLiteral("scroll 0"),
                                   QStringLiteral("scroll -2")};
        QTRY_COMPARE_WITH_TIMEOUT(sceneCalls().mid(before), expected, 5000);
        QTest::qWait(200);
        QCOMPARE(sceneCalls().mid(before), expected);
    }

    // Destroying the widget while its monitor loop runs waits for the loop:
    // afterwards nothing touches the mouse and nothing is delivered.
    void destructionWaitsForMonitor()
    {
        startWidget(Model{}, true);
        QVERIFY(widget->hidThread().monitoring);
        const QFuture<void> loop = widget->hidThread().monitorFuture;
        QVERIFY(loop.isRunning());
        // Let the loop sit inside a read when the widget goes.
        QTest::qWait(200);

        std::atomic<bool> destroyed{false};
        std::atomic<int> callsAfter{0};
        kairo::sim::setApiHook([&](const char *) {
            if (destroyed)
                ++callsAfter;
        });
        kairo::sim::pressDpi(0, 3); // a delivery may be on its way
        QElapsedTimer took;
        took.start();
        widget.reset();
        destroyed = true;
        QVERIFY(loop.isFinished());
        QVERIFY2(took.elapsed() < 3000, qPrintable(QString::number(took.elapsed())));
        QTest::qWait(800); // anything queued would run now
        QCOMPARE(callsAfter.load(), 0);
        kairo::sim::setApiHook(nullptr);
    }

    // The tray's quit ends the event loop with 0 and stops the monitor.
    // Last: quitting the application's loop is done once per process.
    void trayQuitEndsLoop()
    {
        startWidget(Model{}, true);
        QVERIFY(widget->hidThread().monitoring);
        QTimer::singleShot(0, widget->quitAction(), &QAction::trigger);
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        guard.start(20000);
        const int code = QCoreApplication::exec();
        guard.stop();
        QCOMPARE(code, 0);
        QVERIFY(!widget->hidThread().monitoring);
        QTRY_VERIFY_WITH_TIMEOUT(widget->hidThread().monitorFuture.isFinished(), 5000);
    }
};

QTEST_MAIN(WidgetShell)
#include "test_core_widget.moc"

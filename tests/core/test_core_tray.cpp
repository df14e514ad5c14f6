// Kairo with and without a tray: the tray icon's clicks and menu, notices on
// a desktop without a tray host, the close button, a second start and the
// autostart mode. The widget runs in-process on the test's bare X server (no
// tray host, later trayer); copies of the built program run on a private
// session bus whose tray watcher and notification server are the fakes of
// tests/support.
#include "core/myqquickview.h"
#include "core/ui_controler.h"
#include "core/widget.h"
#include "operations/balloontext.h"
#include "tests/support/builtmodules.h"
#include "tests/support/debugcapture.h"
#include "tests/support/fakedesktopbus.h"

#include "sim/virtualmouse.h"

#include <QAction>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QLoggingCategory>
#include <QMenu>
#include <QSettings>
#include <QtTest>

#include <memory>

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// The program's main window as X sees it: its map state, and whether a
// window manager is asked to start it iconified. Empty while there is none.
QString mainWindowId()
{
    const QString ids = run("xdotool", {"search", "--name", "^ZENDRA KAIRO MOUSE K1$"}).trimmed();
    return ids.contains('\n') ? QString() : ids;
}
QString mapState(const QString &id)
{
    static const QRegularExpression state("Map State: (\\w+)");
    return id.isEmpty() ? QString() : state.match(run("xwininfo", {"-id", id})).captured(1);
}
bool startsIconic(const QString &id)
{
    return run("xprop", {"-id", id, "WM_HINTS"}).contains("Initial state is Iconic State");
}

struct MenuEntry {
    int id;
    QString label;
};

// The top level of a com.canonical.dbusmenu layout: (ia{sv}av).
QList<MenuEntry> menuEntries(const QDBusArgument &layout)
{
    QList<MenuEntry> entries;
    int id = 0;
    QVariantMap properties;
    layout.beginStructure();
    layout >> id >> properties;
    layout.beginArray();
    while (!layout.atEnd()) {
        QDBusVariant child;
        layout >> child;
        const QDBusArgument item = child.variant().value<QDBusArgument>();
        QVariantList grandChildren;
        item.beginStructure();
        item >> id >> properties >> grandChildren;
        item.endStructure();
        entries.append({id, properties.value("label").toString()});
    }
    layout.endArray();
    layout.endStructure();
    return entries;
}

} // namespace

class Tray : public QObject
{
    Q_OBJECT
private:
    FakeDesktopBus bus;
    QProcess trayHost;
    QTemporaryDir programDir;
    std::unique_ptr<QTemporaryDir> workDir;
    std::unique_ptr<Widget> widget;
    std::unique_ptr<DebugCapture> debug;

    // The widget as the program starts it, in a fresh modules/ copy.
    void startWidget(const QString &language, bool plugged, bool inBackground = false)
    {
        workDir = std::make_unique<QTemporaryDir>();
        QVERIFY(copyBuiltModules(workDir->path()));
        QVERIFY(QDir::setCurrent(workDir->path()));
        setLanguage(language);
        kairo::sim::DeviceConfig mouse;
        mouse.plugged = plugged;
        kairo::sim::reset({mouse});
        debug->clear();
        widget = std::make_unique<Widget>();
        widget->setStartInBackground(inBackground);
        widget->showAtStart();
        widget->checkDevice();
    }
    static void setLanguage(const QString &language)
    {
        QSettings config("./modules/setting/apConfig.bin", QSettings::IniFormat);
        config.setValue("common/language", language);
    }
    void waitForSceneUp()
    {
        QTRY_VERIFY_WITH_TIMEOUT(debug->lines().contains("scene: run"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(widget->view()->isEnabled(), 5000);
    }
    // The one notice the fake server took since `before` calls.
    QJsonObject nextNotice(int before)
    {
        if (!bus.waitForCalls("Notify", before + 1, 5000))
            return {};
        return bus.calls("Notify").value(before);
    }

    QProcessEnvironment programEnvironment(bool mouse) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        bus.exportTo(env);
        env.insert("KAIRO_VIRTUAL_MOUSE_SOCKET", programDir.filePath("vm.sock"));
        env.insert("QT_LOGGING_RULES", "kairo.scene.debug=true");
        env.remove("QT_QPA_PLATFORM");
        if (mouse)
            env.insert("LD_PRELOAD", KAIRO_PRELOAD);
        return env;
    }
    static bool waitForLine(QProcess &p, QByteArray &seen, const QByteArray &line, int ms = 10000)
    {
        QElapsedTimer t;
        t.start();
        while (!seen.contains(line) && t.elapsed() < ms) {
            p.waitForReadyRead(100);
            seen += p.readAll();
        }
        return seen.contains(line);
    }
    void startProgram(QProcess &kairo, const QProcessEnvironment &env, const QStringList &args = {})
    {
        kairo.setProcessEnvironment(env);
        kairo.setProcessChannelMode(QProcess::MergedChannels);
        kairo.start(programDir.filePath("kairo"), args);
        QVERIFY(kairo.waitForStarted(5000));
    }
    static void endProgram(QProcess &kairo)
    {
        kairo.terminate();
        if (!kairo.waitForFinished(5000))
            kairo.kill();
    }
    // A second copy: it exits with 1 at once.
    void startSecondCopy(const QStringList &args = {})
    {
        QProcess second;
        second.setProcessEnvironment(programEnvironment(false));
        second.start(programDir.filePath("kairo"), args);
        QVERIFY(second.waitForFinished(6000));
        QCOMPARE(second.exitCode(), 1);
    }
    // The service of the tray item the program registered, once it did.
    QString registeredItem(int before)
    {
        if (!bus.waitForCalls("RegisterStatusNotifierItem", before + 1, 10000))
            return {};
        return bus.calls("RegisterStatusNotifierItem").value(before).value("service").toString();
    }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("kairo.scene.debug=true");
        debug = std::make_unique<DebugCapture>();
        // Everything in this process and the programs it starts talks to
        // the private bus; nothing here has used a session bus yet (asking
        // for a tray would).
        QVERIFY2(bus.start(FakeDesktopBus::Notifications), qPrintable(bus.error()));
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
        QDBusConnectionInterface *daemon = QDBusConnection::sessionBus().interface();
        QVERIFY(daemon && daemon->isServiceRegistered("org.freedesktop.Notifications"));
        QVERIFY2(!QSystemTrayIcon::isSystemTrayAvailable(), "a tray host already runs here");

        QVERIFY(programDir.isValid());
        QVERIFY(QFile::copy(KAIRO_BIN_DIR "/kairo", programDir.filePath("kairo")));
        QFile(programDir.filePath("kairo"))
            .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(copyBuiltModules(programDir.path()));
    }
    void cleanup()
    {
        widget.reset();
        QDir::setCurrent(QDir::tempPath());
        workDir.reset();
    }
    void cleanupTestCase()
    {
        trayHost.terminate();
        if (!trayHost.waitForFinished(5000))
            trayHost.kill();
        debug.reset();
    }

    // No tray host: the connect notice and the DPI switch reach the
    // desktop's notification server in the configured language; with the
    // server gone a notice is only a debug line, and costs no wait.
    void noticesWithoutTrayHost()
    {
        const int before = int(bus.calls("Notify").size());
        startWidget("German", true);
        waitForSceneUp();
        QVERIFY(!widget->mayHideToTray());
        const QJsonObject connected = nextNotice(before);
        QCOMPARE(connected.value("app").toString(), QStringLiteral("Kairo"));
        QCOMPARE(connected.value("icon").toString(), QStringLiteral("kairo"));
        QCOMPARE(connected.value("summary").toString(), QStringLiteral("Info"));
        QCOMPARE(connected.value("body").toString(), QStringLiteral("Detect Device"));
        QCOMPARE(connected.value("expire").toInt(), 10000);
        QCOMPARE(connected.value("desktopEntry").toString(),
                 QStringLiteral("io.github.kairo.Kairo"));

        kairo::sim::pressDpi(0, 3);
        const QJsonObject switched = nextNotice(before + 1);
        QCOMPARE(switched.value("summary").toString(), QStringLiteral("Info"));
        QCOMPARE(switched.value("body").toString(),
                 QStringLiteral("DPI umgeschaltet auf Stufe 3 "));
        QCOMPARE(dpiSwitchBalloonText(3), switched.value("body").toString());

        bus.stopServices();
        debug->clear();
        QElapsedTimer took;
        took.start();
        widget->showNotice("Info", "Detect Device");
        QVERIFY2(took.elapsed() < 200, qPrintable(QString::number(took.elapsed())));
        QTRY_VERIFY_WITH_TIMEOUT(
            debug->lines().filter(QRegularExpression("^Desktop notice not shown: Info ")).size()
                == 1,
            5000);
        QVERIFY2(bus.start(FakeDesktopBus::Notifications), qPrintable(bus.error()));
    }

    // No tray host: the close button minimises, a second start brings the
    // window back; an autostart starts minimised, a plain start normal.
    void windowWithoutTrayHost()
    {
        startWidget("English", false);
        Ui_Controler *ctl = widget->controller();
        widget->showNormal();
        ctl->onHide();
        QVERIFY(widget->isVisible());
        QVERIFY(widget->isMinimized());
        widget->receiveMessage(QString());
        QTRY_VERIFY_WITH_TIMEOUT(!widget->isMinimized(), 5000);
        QVERIFY(widget->isVisible());

        widget.reset();
        startWidget("English", true, true);
        QVERIFY(widget->startsInBackground());
        QVERIFY(widget->isVisible());
        QVERIFY(widget->isMinimized());
        waitForSceneUp();
        QVERIFY(widget->isMinimized());
    }

    // The menu's entry above quitting, in the configured language, read
    // again each time the menu opens; English where a language has none.
    void trayMenuEntry_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("English") << "English"
                                 << "Show Kairo";
        QTest::newRow("German") << "German"
                                << "Kairo anzeigen";
        QTest::newRow("French") << "French"
                                << "Afficher Kairo";
        QTest::newRow("Italian") << "Italian"
                                 << "Mostra Kairo";
        QTest::newRow("Spanish") << "Spanish"
                                 << "Mostrar Kairo";
        QTest::newRow("ChineseSimplified") << "ChineseSimplified"
                                           << "显示 Kairo";
        QTest::newRow("ChineseTraditional") << "ChineseTraditional"
                                            << "顯示 Kairo";
        QTest::newRow("no such language") << "Klingon"
                                          << "Show Kairo";
    }
    void trayMenuEntry()
    {
        QFETCH(QString, language);
        QFETCH(QString, text);
        startWidget(language, false);
        const QList<QAction *> entries = widget->trayIcon()->contextMenu()->actions();
        QCOMPARE(entries, (QList<QAction *>{widget->showAction(), widget->quitAction()}));
        QCOMPARE(widget->showAction()->text(), text);
        QCOMPARE(widget->quitAction()->text(), QStringLiteral("Quit (&Q)"));

        setLanguage(language == "German" ? "Italian" : "German");
        emit widget->trayIcon()->contextMenu()->aboutToShow();
        QCOMPARE(widget->showAction()->text(), language == "German"
                                                   ? QStringLiteral("Mostra Kairo")
                                                   : QStringLiteral("Kairo anzeigen"));
    }

    // Copies of the program without a tray host: the connect notice goes to
    // the notification server; where there is none, or no bus at all, the
    // program says so in a debug line and comes up as before.
    void programNoticesWithoutTrayHost_data()
    {
        QTest::addColumn<int>("services");
        QTest::addColumn<bool>("bus");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("notification server")
            << int(FakeDesktopBus::Notifications) << true << QByteArray();
        QTest::newRow("no notification server")
            << int(FakeDesktopBus::NoServices) << true
            << QByteArray(
                   "Desktop notice not shown: Info org.freedesktop.DBus.Error.ServiceUnknown");
        QTest::newRow("no session bus")
            << int(FakeDesktopBus::NoServices) << false
            << QByteArray("Desktop notice not shown: Info no session bus");
    }
    void programNoticesWithoutTrayHost()
    {
        QFETCH(int, services);
        QFETCH(bool, bus);
        QFETCH(QByteArray, line);
        QVERIFY2(this->bus.start(services), qPrintable(this->bus.error()));
        QProcessEnvironment env = programEnvironment(true);
        if (!bus)
            env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + programDir.filePath("no-bus"));
        QProcess kairo;
        startProgram(kairo, env);
        QByteArray seen;
        QVERIFY2(waitForLine(kairo, seen, "scene: run"), seen.constData());
        if (line.isEmpty()) {
            QVERIFY(this->bus.waitForCalls("Notify", 1, 5000));
            QCOMPARE(this->bus.calls("Notify").first().value("body").toString(),
                     QStringLiteral("Detect Device"));
        } else {
            QVERIFY2(waitForLine(kairo, seen, line, 5000), seen.constData());
        }
        QTRY_COMPARE_WITH_TIMEOUT(mapState(mainWindowId()), QStringLiteral("IsViewable"), 10000);
        endProgram(kairo);
        QVERIFY(this->bus.calls("RegisterStatusNotifierItem").isEmpty());
    }

    // With a StatusNotifierItem host and no mouse, an autostarted Kairo stays
    // in the tray; the item's menu offers "Show Kairo" above quitting, and a single
    // click on the item, that entry and a second start each bring the
    // window back.
    void trayItemBringsWindowBack_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("single click") << "Activate";
        QTest::newRow("menu entry") << "Show Kairo";
        QTest::newRow("second start") << "second start";
    }
    void trayItemBringsWindowBack()
    {
        QFETCH(QString, way);
        QVERIFY2(bus.start(FakeDesktopBus::TrayWatcher | FakeDesktopBus::Notifications),
                 qPrintable(bus.error()));
        // Started by the login's autostart, the window waits in the tray (it
        // may never have been mapped).
        QProcess kairo;
        startProgram(kairo, programEnvironment(false), {"--autostart"});
        QByteArray seen;
        QVERIFY2(waitForLine(kairo, seen, "Device DisConnect"), seen.constData());
        const QString item = registeredItem(0);
        QVERIFY2(!item.isEmpty(), "no tray item registered");
        QVERIFY(mapState(mainWindowId()) != QLatin1String("IsViewable"));

        // The program answers on its own; this process may wait for it.
        auto callItem = [&item](const QString &path, const QString &interface,
                                const QString &method, const QVariantList &args) {
            QDBusMessage call = QDBusMessage::createMethodCall(item, path, interface, method);
            call.setArguments(args);
            return QDBusConnection::sessionBus().call(call, QDBus::Block, 5000);
        };
        const QDBusMessage menuPath =
            callItem("/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get",
                     {"org.kde.StatusNotifierItem", "Menu"});
        QCOMPARE(menuPath.type(), QDBusMessage::ReplyMessage);
        const QString menu = menuPath.arguments()
                                 .value(0)
                                 .value<QDBusVariant>()
                                 .variant()
                                 .value<QDBusObjectPath>()
                                 .path();
        const QDBusMessage layout =
            callItem(menu, "com.canonical.dbusmenu", "GetLayout", {0, -1, QStringList()});
        QCOMPARE(layout.type(), QDBusMessage::ReplyMessage);
        const QList<MenuEntry> entries =
            menuEntries(layout.arguments().value(1).value<QDBusArgument>());
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].label, QStringLiteral("Show Kairo"));
        QCOMPARE(entries[1].label, QStringLiteral("Quit (_Q)"));

        if (way == "Activate") {
            QCOMPARE(
                callItem("/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate", {10, 10})
                    .type(),
                QDBusMessage::ReplyMessage);
        } else if (way == "Show Kairo") {
            const QVariant noData = QVariant::fromValue(QDBusVariant(QString()));
            QCOMPARE(callItem(menu, "com.canonical.dbusmenu", "Event",
                              {entries[0].id, "clicked", noData, 0u})
                         .type(),
                     QDBusMessage::ReplyMessage);
        } else {
            startSecondCopy();
            QVERIFY(waitForLine(kairo, seen,
                                "------------------------- receiveMessage---------------------"));
        }
        QTRY_COMPARE_WITH_TIMEOUT(mapState(mainWindowId()), QStringLiteral("IsViewable"), 10000);
        endProgram(kairo);
    }

    // kairo --autostart: with a tray host it stays in the tray although the
    // mouse connects and the scene comes up, and a second autostarted copy
    // leaves it there; without one it starts minimised. A plain start shows
    // the window either way.
    void autostart_data()
    {
        QTest::addColumn<bool>("trayHost");
        QTest::addColumn<bool>("autostart");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tray host, autostart") << true << true << "in the tray";
        QTest::newRow("no tray host, autostart") << false << true << "minimised";
        QTest::newRow("tray host, plain start") << true << false << "shown";
        QTest::newRow("no tray host, plain start") << false << false << "shown";
    }
    void autostart()
    {
        QFETCH(bool, trayHost);
        QFETCH(bool, autostart);
        QFETCH(QString, expected);
        QVERIFY2(bus.start(trayHost ? FakeDesktopBus::TrayWatcher : FakeDesktopBus::NoServices),
                 qPrintable(bus.error()));
        QProcess kairo;
        startProgram(kairo, programEnvironment(true),
                     autostart ? QStringList{"--autostart"} : QStringList{});
        QByteArray seen;
        QVERIFY2(waitForLine(kairo, seen, "scene: run"), seen.constData());
        if (trayHost)
            QVERIFY(!registeredItem(0).isEmpty());
        QTest::qWait(500);
        const QString window = mainWindowId();
        if (expected == "in the tray") {
            QVERIFY(mapState(window) != QStringLiteral("IsViewable"));
            startSecondCopy({"--autostart"});
            QTest::qWait(500);
            QVERIFY(mapState(mainWindowId()) != QStringLiteral("IsViewable"));
            QVERIFY(!seen.contains("receiveMessage"));
        } else {
            QCOMPARE(mapState(window), QStringLiteral("IsViewable"));
            QCOMPARE(startsIconic(window), expected == "minimised");
        }
        endProgram(kairo);
    }

    // A tray host appears while Kairo runs (trayer, XEmbed): from then on
    // the window may hide to it, notices are its balloons, an autostart
    // stays hidden until a click or the menu's entry shows the window.
    void trayHostAppears()
    {
        QVERIFY2(bus.start(FakeDesktopBus::Notifications), qPrintable(bus.error()));
        startWidget("English", false);
        QVERIFY(!widget->mayHideToTray());
        trayHost.setProcessChannelMode(QProcess::ForwardedChannels);
        trayHost.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "request"});
        QVERIFY2(trayHost.waitForStarted(10000), "trayer did not start");
        QTRY_VERIFY_WITH_TIMEOUT(widget->mayHideToTray(), 15000);
        widget->controller()->onHide();
        QVERIFY(!widget->isVisible());
        widget.reset();

        const qsizetype notices = bus.calls("Notify").size();
        startWidget("English", true, true);
        waitForSceneUp();
        QVERIFY(!widget->isVisible());
        QTest::qWait(500); // a notice would have reached the server by now
        QCOMPARE(bus.calls("Notify").size(), notices);
        widget->trayIconActivated(QSystemTrayIcon::Trigger);
        QTRY_VERIFY_WITH_TIMEOUT(widget->isVisible(), 5000);
        widget->hide();
        widget->showAction()->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(widget->isVisible(), 5000);
    }
};

QTEST_MAIN(Tray)
#include "test_core_tray.moc"

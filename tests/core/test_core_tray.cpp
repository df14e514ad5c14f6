// Kairo with and without a tray: the tray icon's clicks and menu, notices on
// a desktop without a tray host, the close button, a second start and the
// autostart mode. The widget runs in-process on the test's bare X server (no
// tray host, later trayer); copies of the built program run on a private
// session bus whose tray watcher and notification server are the fakes of
// tests/support.
#include "core/myqquickview.h"
#include "core/ui_controler.h"
#include "core/widget.h"
#include "settings/settingsdialogs.h"
#include "tests/support/builtmodules.h"
#include "tests/support/debugcapture.h"
#include "tests/support/fakedesktopbus.h"
#include "tests/support/programcopy.h"
#include "tests/support/trayhost.h"

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
    return kairo::test::runTool(program, args);
}

// The program's main window as X sees it: mapped or not, and whether a
// window manager is asked to start it iconified.
QString mainWindowId()
{
    const QString ids = run("xdotool", {"search", "--name", "^ZENDRA KAIRO MOUSE K1$"}).trimmed();
    return ids.contains('\n') ? QString() : ids;
}
QString mapState()
{
    static const QRegularExpression state("Map State: (\\w+)");
    const QString id = mainWindowId();
    return id.isEmpty() ? QString() : state.match(run("xwininfo", {"-id", id})).captured(1);
}
bool startsIconic()
{
    return run("xprop", {"-id", mainWindowId(), "WM_HINTS"})
        .contains("Initial state is Iconic State");
}

// What a notice carried to the notification server.
QStringList noticeFields(const QJsonObject &notice)
{
    QStringList fields;
    for (const char *key : {"app", "icon", "summary", "body", "desktopEntry"})
        fields << notice.value(QLatin1String(key)).toString();
    return fields << QString::number(notice.value("expire").toInt());
}

// A call to the program's tray item; the program answers on its own.
QDBusMessage callItem(const QString &item, const QString &path, const QString &interface,
                      const QString &method, const QVariantList &args)
{
    QDBusMessage call = QDBusMessage::createMethodCall(item, path, interface, method);
    call.setArguments(args);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 5000);
}

// Ids and labels of a com.canonical.dbusmenu layout's top level, (ia{sv}av).
QList<QPair<int, QString>> menuEntries(const QDBusArgument &layout)
{
    QList<QPair<int, QString>> entries;
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

// A copy of the built program with its output collected; ended when it goes.
struct Program {
    QProcess process;
    QByteArray seen;
    Program(const kairo::test::ProgramCopy &copy, const QProcessEnvironment &env,
            const QStringList &args)
    {
        copy.start(process, env, args, kairo::test::Output::Process);
    }
    ~Program() { kairo::test::stopProgram(process); }
    bool waitFor(const QByteArray &line, int ms = 10000)
    {
        return kairo::test::waitForOutput(process, seen, line, ms);
    }
};

// Notes the file dialogs' captions and filters; chooses nothing.
struct CaptionRecorder : SettingsDialogs {
    QStringList captions;
    QString openFileName(const QString &caption, const QString &filter) override
    {
        captions << caption + QLatin1Char('|') + filter;
        return {};
    }
    QString saveFileName(const QString &caption, const QString &filter) override
    {
        return openFileName(caption, filter);
    }
    QString existingDirectory(const QString &caption) override
    {
        return openFileName(caption, QString());
    }
    void warning(const QString &, const QString &) override {}
    QString desktopDirectory() const override { return {}; }
};

} // namespace

class Tray : public QObject
{
    Q_OBJECT
private:
    FakeDesktopBus bus;
    TrayHost trayHost;
    kairo::test::ProgramCopy programCopy;
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
        QSettings("./modules/setting/apConfig.bin", QSettings::IniFormat)
            .setValue("common/language", language);
    }
    void waitForSceneUp()
    {
        QTRY_VERIFY_WITH_TIMEOUT(debug->lines().contains("scene: run"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(widget->view()->isEnabled(), 5000);
    }
    QStringList notice(int index)
    {
        bus.waitForCalls("Notify", index + 1, 5000);
        return noticeFields(bus.calls("Notify").value(index));
    }

    std::unique_ptr<Program> startProgram(bool mouse, const QStringList &args = {},
                                          bool sessionBus = true)
    {
        QProcessEnvironment env = programCopy.environment(mouse ? kairo::test::Preload::VirtualMouse
                                                                : kairo::test::Preload::Nothing);
        bus.exportTo(env);
        if (!sessionBus)
            env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + programCopy.path("no-bus"));
        return std::make_unique<Program>(programCopy, env, args);
    }
    // A second copy, which exits with 1 at once.
    void startSecondCopy(const QStringList &args = {})
    {
        const std::unique_ptr<Program> second = startProgram(false, args);
        QVERIFY(second->process.waitForFinished(6000));
        QCOMPARE(second->process.exitCode(), 1);
    }
    QString registeredItem()
    {
        bus.waitForCalls("RegisterStatusNotifierItem", 1, 10000);
        return bus.calls("RegisterStatusNotifierItem").value(0).value("service").toString();
    }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("kairo*.debug=true");
        debug = std::make_unique<DebugCapture>();
        // Everything in this process and the programs it starts talks to
        // the private bus; nothing here has used a session bus yet (asking
        // for a tray would).
        QVERIFY2(bus.start(FakeDesktopBus::Notifications), qPrintable(bus.error()));
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
        QDBusConnectionInterface *daemon = QDBusConnection::sessionBus().interface();
        QVERIFY(daemon && daemon->isServiceRegistered("org.freedesktop.Notifications"));
        QVERIFY2(!QSystemTrayIcon::isSystemTrayAvailable(), "a tray host already runs here");

        const QString failed = programCopy.copyIn();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
    }
    void cleanup()
    {
        widget.reset();
        QDir::setCurrent(QDir::tempPath());
        workDir.reset();
    }
    void cleanupTestCase()
    {
        trayHost.stop();
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
        const QStringList connected{
            "Kairo", "kairo", "Info", "Gerät erkannt", "io.github.kairo.kairo", "10000"};
        QCOMPARE(notice(before), connected);
        kairo::sim::pressDpi(0, 3);
        QCOMPARE(notice(before + 1).at(3), QStringLiteral("DPI umgeschaltet auf Stufe 3 "));

        bus.stopServices();
        debug->clear();
        QElapsedTimer took;
        took.start();
        widget->showNotice("Info", "Detect Device");
        QVERIFY2(took.elapsed() < 200, qPrintable(QString::number(took.elapsed())));
        const QRegularExpression lost("^Desktop notice not shown: Info ");
        QTRY_COMPARE_WITH_TIMEOUT(debug->lines().filter(lost).size(), 1, 5000);
        QVERIFY2(bus.start(FakeDesktopBus::Notifications), qPrintable(bus.error()));
    }

    // No tray host: the close button minimises, a second start brings the
    // window back; an autostart starts minimised and stays so on connect.
    void windowWithoutTrayHost()
    {
        startWidget("English", false);
        widget->showNormal();
        widget->controller()->onHide();
        QVERIFY(widget->isVisible());
        QVERIFY(widget->isMinimized());
        widget->receiveMessage(QString());
        QTRY_VERIFY_WITH_TIMEOUT(!widget->isMinimized(), 5000);
        QVERIFY(widget->isVisible());

        widget.reset();
        startWidget("English", true, true);
        QVERIFY(widget->isVisible());
        QVERIFY(widget->isMinimized());
        waitForSceneUp();
        QVERIFY(widget->isMinimized());
    }

    // The menu's entries, in the configured language, read again each time
    // the menu opens and as soon as the scene picks another language; English
    // where a language has none. Qt's own texts (the file dialogs' buttons)
    // follow the language too, and the file dialogs' captions are its own.
    void trayMenuEntry_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quitText");
        QTest::addColumn<QString>("qtCancel");
        QTest::addColumn<QString>("openCaption");
        QTest::newRow("German") << "German"
                                << "Kairo anzeigen"
                                << "Beenden (&Q)"
                                << "Abbrechen"
                                << "Datei öffnen|Profil (*.pf)";
        QTest::newRow("ChineseTraditional") << "ChineseTraditional"
                                            << "顯示 Kairo"
                                            << "結束 (&Q)"
                                            << "取消"
                                            << "開啟檔案|設定檔(*.pf)";
        QTest::newRow("no such language") << "Klingon"
                                          << "Show Kairo"
                                          << "Quit (&Q)"
                                          << "Cancel"
                                          << "Open File|Profile(*.pf)";
    }
    void trayMenuEntry()
    {
        QFETCH(QString, language);
        QFETCH(QString, text);
        QFETCH(QString, quitText);
        QFETCH(QString, qtCancel);
        QFETCH(QString, openCaption);
        startWidget(language, false);
        QMenu *menu = widget->trayIcon()->contextMenu();
        QCOMPARE(menu->actions(), (QList<QAction *>{widget->showAction(), widget->quitAction()}));
        QCOMPARE(widget->showAction()->text(), text);
        QCOMPARE(widget->quitAction()->text(), quitText);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), qtCancel);
        CaptionRecorder dialogs;
        widget->view()->setSettingsDialogs(&dialogs);
        widget->view()->loadProfile(0);
        QCOMPARE(dialogs.captions, QStringList{openCaption});

        setLanguage(language == "German" ? "Italian" : "German");
        emit menu->aboutToShow();
        QCOMPARE(widget->showAction()->text(),
                 QLatin1String(language == "German" ? "Mostra Kairo" : "Kairo anzeigen"));

        // The scene's language list stores its choice through the view.
        widget->view()->setGlobalData(QStringLiteral("common/language"), QStringLiteral("French"));
        QCOMPARE(widget->showAction()->text(), QStringLiteral("Afficher Kairo"));
        QCOMPARE(widget->quitAction()->text(), QStringLiteral("Quitter (&Q)"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("Annuler"));
        widget->view()->setGlobalData(QStringLiteral("common/language"), QStringLiteral("English"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
        widget->view()->setSettingsDialogs(nullptr);
    }

    // The program without a tray host or a notification server, or without
    // a session bus: the connect notice is a debug line, and the program
    // comes up as before.
    void programNoticeLost_data()
    {
        QTest::addColumn<bool>("sessionBus");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("no notification server")
            << true
            << QByteArray("Desktop notice not shown: Info "
                          "org.freedesktop.DBus.Error.ServiceUnknown");
        QTest::newRow("no session bus")
            << false << QByteArray("Desktop notice not shown: Info no session bus");
    }
    void programNoticeLost()
    {
        QFETCH(bool, sessionBus);
        QFETCH(QByteArray, line);
        QVERIFY2(bus.start(FakeDesktopBus::NoServices), qPrintable(bus.error()));
        const std::unique_ptr<Program> kairo = startProgram(true, {}, sessionBus);
        QVERIFY2(kairo->waitFor("scene: run"), kairo->seen.constData());
        QVERIFY2(kairo->waitFor(line, 5000), kairo->seen.constData());
        QTRY_COMPARE_WITH_TIMEOUT(mapState(), QStringLiteral("IsViewable"), 10000);
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
        const std::unique_ptr<Program> kairo = startProgram(false, {"--autostart"});
        QVERIFY2(kairo->waitFor("Device DisConnect"), kairo->seen.constData());
        const QString item = registeredItem();
        QVERIFY2(!item.isEmpty(), "no tray item registered");
        QVERIFY(mapState() != QLatin1String("IsViewable"));

        const QDBusMessage menuPath =
            callItem(item, "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get",
                     {"org.kde.StatusNotifierItem", "Menu"});
        const QString menu = qvariant_cast<QDBusObjectPath>(
                                 menuPath.arguments().value(0).value<QDBusVariant>().variant())
                                 .path();
        const QDBusMessage layout =
            callItem(item, menu, "com.canonical.dbusmenu", "GetLayout", {0, -1, QStringList()});
        QCOMPARE(layout.type(), QDBusMessage::ReplyMessage);
        const auto entries = menuEntries(layout.arguments().value(1).value<QDBusArgument>());
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].second, QStringLiteral("Show Kairo"));
        QCOMPARE(entries[1].second, QStringLiteral("Quit (_Q)"));

        QDBusMessage reply;
        if (way == "Activate") {
            reply = callItem(item, "/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate",
                             {10, 10});
        } else if (way == "Show Kairo") {
            const QVariant noData = QVariant::fromValue(QDBusVariant(QString()));
            reply = callItem(item, menu, "com.canonical.dbusmenu", "Event",
                             {entries[0].first, "clicked", noData, 0u});
        } else {
            startSecondCopy();
            QVERIFY(kairo->waitFor("------------------------- receiveMessage"));
        }
        if (way != "second start")
            QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(mapState(), QStringLiteral("IsViewable"), 10000);
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
        const std::unique_ptr<Program> kairo =
            startProgram(true, autostart ? QStringList{"--autostart"} : QStringList{});
        QVERIFY2(kairo->waitFor("scene: run"), kairo->seen.constData());
        if (trayHost)
            QVERIFY(!registeredItem().isEmpty());
        QTest::qWait(500);
        if (expected == "in the tray") {
            QVERIFY(mapState() != QStringLiteral("IsViewable"));
            startSecondCopy({"--autostart"});
            QVERIFY(!kairo->waitFor("receiveMessage", 500));
            QVERIFY(mapState() != QStringLiteral("IsViewable"));
        } else {
            QCOMPARE(mapState(), QStringLiteral("IsViewable"));
            QCOMPARE(startsIconic(), expected == "minimised");
        }
    }

    // A tray host appears while Kairo runs (trayer, XEmbed): from then on
    // the window may hide to it, notices are its balloons, an autostart
    // stays hidden until a click or the menu's entry shows the window.
    void trayHostAppears()
    {
        QVERIFY2(bus.start(FakeDesktopBus::Notifications), qPrintable(bus.error()));
        startWidget("English", false);
        QVERIFY(!widget->mayHideToTray());
        QVERIFY2(trayHost.start(), "trayer did not start");
        QTRY_VERIFY_WITH_TIMEOUT(widget->mayHideToTray(), 15000);
        widget->controller()->onHide();
        QVERIFY(!widget->isVisible());
        widget.reset();

        startWidget("English", true, true);
        waitForSceneUp();
        QVERIFY(!widget->isVisible());
        QTest::qWait(500); // a notice would have reached the server by now
        QVERIFY(bus.calls("Notify").isEmpty());
        widget->trayIconActivated(QSystemTrayIcon::Trigger);
        QTRY_VERIFY_WITH_TIMEOUT(widget->isVisible(), 5000);
        widget->hide();
        widget->showAction()->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(widget->isVisible(), 5000);
    }
};

QTEST_MAIN(Tray)
#include "test_core_tray.moc"

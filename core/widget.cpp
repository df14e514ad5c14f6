#include "core/widget.h"

#include <QGuiApplication>

#include "core/desktopnotices.h"
#include "core/devicechangesource.h"
#include "core/myqquickview.h"
#include "core/qttranslations.h"
#include "core/quitguard.h"
#include "core/startuptimeline.h"
#include "core/udevrule.h"
#include "core/ui_controler.h"
#include "core/userevent.h"
#include "device/devicetable.h"
#include "operations/balloontext.h"
#include "settings/languagestrings.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QMetaObject>
#include <QSettings>

bool deviceUiShown = false;

namespace {

const char trayMenuStyle[] =
    "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
    "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
    "QMenu::item:enabled { color: rgb(225, 225, 225); } "
    "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
    "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, "
    "255, 40); } "
    "QMenu::separator { height: 1px; background: rgb(100, 100, 100); } "
    "QMenu::indicator { width: 13px; height: 13px; } "
    "QMenu::icon { padding-left: 2px; padding-right: 2px; } ";

} // namespace

void ShellMonitorSink::stageReported(int stage)
{
    window.view()->setCurrentDPI(stage);
}

void ShellMonitorSink::dpiSwitchBalloon(int stage)
{
    if (!window.view()->isKnownStage(stage))
        return;
    window.showNotice(window.noticeTitle(), dpiSwitchBalloonText(stage));
}

void ShellMonitorSink::deviceRemoved()
{
    window.deviceLost();
}

Widget::Widget(QWidget *parent)
    : QWidget(parent)
    , qtTranslations(std::make_unique<QtTranslations>())
{
    hid.setOwner(this);
    hid.setMonitorSink(&monitorSink);
    ui = new Ui_Controler;
    ui->setupUi(this, &hid);
    view()->setHidThread(&hid);
    hid.setModelFlags(view()->modelIsGun(), view()->modelIcType());

    checkTimer.setInterval(deviceCheckDelayMs);
    checkTimer.setSingleShot(true);
    connect(&checkTimer, &QTimer::timeout, this, &Widget::checkDevice);

    buildTrayIcon();
    retranslate();
    connect(view(), &myQQuickView::languageChanged, this, &Widget::retranslate);
    trayNotices = DesktopNotices::trayBalloon(tray);
    desktopNotices = DesktopNotices::freedesktop();
    setDeviceChangeSource(DeviceChangeSource::createForPlatform());
}

Widget::~Widget()
{
    hid.stopDeviceMonitor();
    // The loop reads the entry and delivers to this widget; let it end first.
    hid.monitorFuture.waitForFinished();
    ui->deleteLater();
}

myQQuickView *Widget::view() const
{
    return ui->view();
}

void Widget::buildTrayIcon()
{
    tray = new QSystemTrayIcon(this);
    quit = new QAction(this);
    connect(quit, &QAction::triggered, this, &Widget::exitSYS);
    showWindow = new QAction(this);
    connect(showWindow, &QAction::triggered, this, &Widget::showFromTray);
    trayMenu = new QMenu(this);
    trayMenu->addAction(showWindow);
    trayMenu->addAction(quit);
    // Another program may have changed the configured language.
    connect(trayMenu, &QMenu::aboutToShow, this, &Widget::retranslate);
    trayMenu->setStyleSheet(QString::fromLatin1(trayMenuStyle));
    tray->setContextMenu(trayMenu);
    tray->setToolTip(QStringLiteral("ZENDRA KAIRO MOUSE K1"));
    tray->setIcon(QIcon(QStringLiteral("./modules/img/logo.ico")));
    connect(tray, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    tray->setVisible(true);
}

// The configured language's text, or English where it has none.
QString Widget::trayText(int index, const char *english)
{
    return LanguageStrings::configured(QStringLiteral("./modules/setting/apConfig.bin"),
                                       QStringLiteral("./modules/i18n"), QStringLiteral("tray"),
                                       index, QString::fromUtf8(english));
}

QString Widget::noticeTitle()
{
    return trayText(2, "Info");
}

void Widget::retranslate()
{
    showWindow->setText(trayText(0, "Show Kairo"));
    quit->setText(trayText(1, "Quit (&Q)"));
    const QString language =
        QSettings(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat)
            .value(QStringLiteral("common/language"))
            .toString();
    if (language != qtLanguage) {
        qtLanguage = language;
        qtTranslations->use(language);
    }
}

void Widget::setDeviceChangeSource(std::unique_ptr<DeviceChangeSource> source)
{
    deviceChanges = std::move(source);
    if (deviceChanges)
        connect(deviceChanges.get(), &DeviceChangeSource::deviceChanged, this,
                &Widget::deviceChangeNotice);
}

void Widget::deviceChangeNotice()
{
    if (!hid.monitoring)
        checkTimer.start();
}

void Widget::requestRestore()
{
    QMetaObject::invokeMethod(this, &Widget::restoreWindow, Qt::QueuedConnection);
}

void Widget::restoreWindow()
{
    // A Wayland client can neither take back a minimise nor tell that one
    // happened (the compositor's states do not include it), nor raise itself;
    // a window mapped afresh shows in front.
    if (!isActiveWindow() && QGuiApplication::platformName() == QLatin1String("wayland"))
        hide();
    setVisible(true);
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

// A single click (Plasma's Activate), a double click and the menu's entry
// all bring the window back.
void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        showFromTray();
}

void Widget::showFromTray()
{
    if (deviceUiShown)
        requestRestore();
    showNormal();
}

// A second start: whoever started Kairo again wants to see it, mouse or not.
void Widget::receiveMessage(QString)
{
    hidDebugLine({QStringLiteral("------------------------- receiveMessage---------------------")});
    requestRestore();
}

void Widget::setStartInBackground(bool inBackground)
{
    startInBackground = inBackground;
}

void Widget::showAtStart()
{
    if (!startInBackground)
        showNormal();
    else if (!mayHideToTray())
        showMinimized();
}

bool Widget::mayHideToTray() const
{
    return tray && tray->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void Widget::showNotice(const QString &title, const QString &text)
{
    DesktopNotices &way = trayNotices->available() ? *trayNotices : *desktopNotices;
    way.show(title, text);
}

void Widget::exitSYS()
{
    if (!kairo::quit::readyToQuit(view(), this))
        return;
    hid.stopDeviceMonitor();
    QCoreApplication::exit(0);
}

// The desktop's close (Alt+F4, a task bar's menu) does what the scene's close
// button does, so it never ends the program behind the user's back. A close
// of our own (the controller's onClose) ends it, asking first like Quit.
void Widget::closeEvent(QCloseEvent *event)
{
    if (!event->spontaneous()) {
        event->setAccepted(kairo::quit::readyToQuit(view(), this));
        return;
    }
    event->ignore();
    if (QSystemTrayIcon::isSystemTrayAvailable())
        ui->onHide();
    else
        showMinimized();
}

void Widget::customEvent(QEvent *event)
{
    if (event->type() == QEvent::User
        && static_cast<UserEvent *>(event)->tag() == UserEvent::runUiTag)
        view()->runUI();
}

void Widget::checkDevice()
{
    QSettings config(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    QList<DeviceEntry> table = readDeviceTable(config);
    findDevicePaths(table);
    kairo::startup::mark("device-found");
    hid.setDeviceTable(table);

    for (int index = 0; index < table.size(); ++index) {
        const QString node = table.at(index).path;
        if (node.isEmpty())
            continue;
        switch (hid.probeOpen(index)) {
        case Hid_Thread::OpenCheck::Ok:
            connectDevice(index);
            return;
        case Hid_Thread::OpenCheck::Denied:
            refuseDevice(node);
            return;
        case Hid_Thread::OpenCheck::Gone:
            break; // gone since the enumeration: a later entry may still be there
        }
    }
    reportNoDevice();
}

void Widget::reportNoDevice()
{
    hidDebugLine({QStringLiteral("Device DisConnect")});
    deviceUiShown = false;
    // An entry without a notification interface leaves the flag set, and a
    // set flag would make every later device-change notice go unheard.
    hid.stopDeviceMonitor();
    const bool startupCheck = shownDeviceState.isEmpty();
    // After an unplug, finding nothing is what the panel already says.
    if (shownDeviceState != QLatin1String("unplugged"))
        showDeviceState(QStringLiteral("absent"));
    // Only the start-up check may leave the window in the tray; later ones
    // leave it as the user has it.
    if (startupCheck && startInBackground && mayHideToTray())
        setVisible(false);
}

// The mouse is there but this user may not open it: say so on the window,
// send nothing, and let the next device-change notice try again.
void Widget::refuseDevice(const QString &node)
{
    hidDebugLine({QStringLiteral("Device Denied"), node});
    deviceUiShown = false;
    hid.stopDeviceMonitor();
    // Shown once when it happens, not again on every later notice.
    const bool newlyDenied = shownDeviceState != QLatin1String("denied");
    showDeviceState(QStringLiteral("denied"), node,
                    kairo::udevrule::installCommand(QCoreApplication::applicationDirPath(),
                                                    QDir::currentPath()));
    if (newlyDenied)
        setVisible(true);
}

void Widget::deviceLost()
{
    showDeviceState(QStringLiteral("unplugged"));
}

void Widget::showDeviceState(const QString &state, const QString &detail, const QString &command)
{
    shownDeviceState = state;
    view()->invokeScene("setDeviceState", Qt::DirectConnection, {state, detail, command});
}

void Widget::connectDevice(int index)
{
    hid.setCurrentDevice(index);
    hidDebugLine({QStringLiteral("Device Connect")});
    view()->clearHidBusy();
    deviceUiShown = true;
    showNotice(noticeTitle(), trayText(3, "Detect Device"));
    kairo::startup::mark("balloon");
    // One action: a mouse that stalls costs one time-out here, not one per reply.
    view()->beginMouseAction();
    hid.startDeviceMonitor(index);
    kairo::startup::mark("monitor");
    if (familyOf(view()->modelIcType()) == Family::Second)
        readDeviceProfiles();
    const QString outcome = view()->endMouseAction();
    showDeviceState(QStringLiteral("connected"));
    if (outcome == QLatin1String("noAnswer"))
        view()->invokeScene("showMouseOutcome", Qt::DirectConnection, {outcome});
    view()->setEnabled(true);
    view()->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::runUiTag));
}

// What fails to come is read again before a Save needs it.
void Widget::readDeviceProfiles()
{
    view()->mouseReadDeviceProfiles(view()->modelIsGun() ? 5 : 2);
}

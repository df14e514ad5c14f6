#pragma once

#include "core/shellmonitorsink.h"
#include "device/hid_thread.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <memory>

class DesktopNotices;
class QtTranslations;
class DeviceChangeSource;
class QAction;
class QMenu;
class Ui_Controler;
class myQQuickView;

// True once a mouse has been connected and its scene brought up; false again
// when a check finds no mouse. The tray and the second-start message read it.
extern bool deviceUiShown;

// The top-level window and the program's anchor: owns the device link, the
// scene's window controller, the tray icon and the device-check timer.
class Widget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int deviceCheckDelayMs = 2048;

    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    myQQuickView *view() const;
    Ui_Controler *controller() const { return ui; }
    Hid_Thread &hidThread() { return hid; }
    QSystemTrayIcon *trayIcon() const { return tray; }
    QAction *quitAction() const { return quit; }
    QAction *showAction() const { return showWindow; }
    QTimer &deviceCheckTimer() { return checkTimer; }

    // A HID device came or went. Ignored while the monitor watches the mouse;
    // otherwise (re)starts the timer, so a burst gives one check.
    void deviceChangeNotice();
    // Replaces where device-change notices come from (tests, other platforms).
    void setDeviceChangeSource(std::unique_ptr<DeviceChangeSource> source);
    // Brings the window back once the current event has been handled.
    void requestRestore();
    // The monitor lost the mouse: the scene says so and keeps its pages
    // locked until a check connects it again.
    void deviceLost();

    // Started by the desktop's autostart (--autostart): with a tray host the
    // window stays in the tray, also when a mouse connects (the scene still
    // comes up behind it); without one it starts minimised. Set before
    // showAtStart and the first checkDevice.
    void setStartInBackground(bool inBackground);
    bool startsInBackground() const { return startInBackground; }
    // Shows the window as the start asks: normal, minimised or not at all.
    void showAtStart();
    // True while a tray host shows the tray icon, so a hidden window can be
    // brought back from it. Asked afresh on every call: a tray host may come
    // or go while Kairo runs. Where it is false, hide nothing; minimise.
    bool mayHideToTray() const;
    // A notice for the user: the tray icon's balloon while a tray host
    // exists, else the desktop's notification server.
    void showNotice(const QString &title, const QString &text);
    // The title of the notices, in the configured language.
    static QString noticeTitle();

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void checkDevice();
    void exitSYS();
    void receiveMessage(QString message);

protected:
    void customEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildTrayIcon();
    void showFromTray();
    // The tray's own texts and Qt's, in the language the configuration names.
    void retranslate();
    static QString trayText(int index, const char *english);
    void connectDevice(int index);
    void refuseDevice(const QString &node);
    void reportNoDevice();
    // Tells the scene whether the mouse can be used: "absent", "denied" (with
    // the node and the command that installs the udev rule), "unplugged" or
    // "connected". Every state but "connected" covers the pages.
    void showDeviceState(const QString &state, const QString &detail = QString(),
                         const QString &command = QString());
    void readDeviceProfiles();
    void restoreWindow();

    QTimer checkTimer;
    // Declared before the device link: the link delivers to it until the
    // link's monitor loop has ended.
    ShellMonitorSink monitorSink{*this};
    Hid_Thread hid;
    Ui_Controler *ui = nullptr;
    QSystemTrayIcon *tray = nullptr;
    QMenu *trayMenu = nullptr;
    QAction *quit = nullptr;
    QAction *showWindow = nullptr;
    std::unique_ptr<QtTranslations> qtTranslations;
    std::unique_ptr<DesktopNotices> trayNotices;
    std::unique_ptr<DesktopNotices> desktopNotices;
    bool startInBackground = false;
    std::unique_ptr<DeviceChangeSource> deviceChanges;
    QString shownDeviceState; // what the scene was last told
    QString qtLanguage;       // whose translation Qt's texts use
};

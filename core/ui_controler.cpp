#include "core/ui_controler.h"

#include "core/myqquickview.h"
#include "core/startuptimeline.h"
#include "device/hid_thread.h"

#include <QCursor>
#include <QDebug>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlExtensionPlugin>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <memory>

// The scene is a static QML module linked into the shell.
Q_IMPORT_QML_PLUGIN(modules_qmlPlugin)

namespace {

std::function<QRect()> &screenAreaSource()
{
    static std::function<QRect()> source;
    return source;
}

} // namespace

Ui_Controler::Ui_Controler(QObject *parent)
    : QObject(parent)
{}

QSize Ui_Controler::startSizeFor(const QSize &area)
{
    constexpr double designW = 1280;
    constexpr double designH = 720;
    const double large = std::min(area.width() / 1.5 / designW, area.height() / 1.5 / designH);
    const double fits = std::min(area.width() / designW, area.height() / designH);
    const double scale = std::min(std::max(large, 1.0), fits);
    return QSize(int(designW * scale), int(designH * scale));
}

void Ui_Controler::setScreenAreaSource(std::function<QRect()> source)
{
    screenAreaSource() = std::move(source);
}

QRect Ui_Controler::primaryScreenArea()
{
    if (screenAreaSource())
        return screenAreaSource()();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry();
    return QRect();
}

void Ui_Controler::setupUi(QWidget *window, Hid_Thread *hid)
{
    hidDebugLine({QStringLiteral(
        "=====================Ui_Controler - setupUi================================ ")});
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("Widget"));
    windowWidget = window;

    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    window->setWindowOpacity(1.0);
    window->setAttribute(Qt::WA_TranslucentBackground, true);
    window->setStyleSheet(QStringLiteral("#Widget, #ui_View { background: transparent; }"));

    sceneView = new myQQuickView(window);
    sceneView->setObjectName(QStringLiteral("ui_View"));
    // The window itself draws nothing: the keys it receives belong to the scene.
    sceneView->setFocusPolicy(Qt::StrongFocus);
    window->setFocusProxy(sceneView);
    kairo::startup::mark("view");
    sceneView->setSource(QUrl(QStringLiteral("qrc:/modules/qml/main.qml")));
    kairo::startup::mark("scene");
    if (kairo::startup::timelineEnabled())
        markFirstFrames();
    // The lighting tab has no button of its own; developers (and the
    // screenshots) reach it by starting there.
    const int startTab = qEnvironmentVariableIntValue("KAIRO_START_TAB");
    if (sceneView->rootObject() && startTab > 0 && startTab <= 2)
        sceneView->rootObject()->setProperty("currentTab", startTab);

    // Published after loading: the scene makes its first calls from initUI.
    QQmlContext *context = sceneView->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), sceneView);
    context->setContextProperty(QStringLiteral("hid"), hid);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);

    isMaximized = false;

    const QRect area = primaryScreenArea();
    const QSize start = startSizeFor(area.size());
    hidDebugLine({QStringLiteral("screen W,H = "), QString::number(area.width()),
                  QString::number(area.height())});
    window->resize(start);
    window->move(area.x() + (area.width() - start.width()) / 2,
                 area.y() + (area.height() - start.height()) / 2);
    reportScreenRect(start, false);

    QSettings config(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    window->setWindowTitle(config.value(QStringLiteral("common/name")).toString());
}

// The first frame the scene renders, and the first after the start-up logo
// has gone (the mouse connected and the scene unlocked). afterRendering comes
// with both renderers; the software one never ends a frame (afterFrameEnd).
void Ui_Controler::markFirstFrames()
{
    QQuickItem *logo =
        sceneView->rootObject()
            ? sceneView->rootObject()->findChild<QQuickItem *>(QStringLiteral("powerOnLogo"))
            : nullptr;
    auto marked = std::make_shared<int>(0);
    connect(
        sceneView->quickWindow(), &QQuickWindow::afterRendering, this,
        [marked, logo] {
            if (*marked == 0) {
                kairo::startup::mark("frame");
                *marked = 1;
            } else if (*marked == 1 && logo && !logo->isVisible()) {
                kairo::startup::mark("connected-frame");
                *marked = 2;
            }
        },
        Qt::DirectConnection);
    if (logo)
        connect(
            logo, &QQuickItem::visibleChanged, this, [] { kairo::startup::mark("logo-gone"); },
            Qt::SingleShotConnection);
}

void Ui_Controler::reportScreenRect(const QSize &size, bool maximized)
{
    sceneView->invokeScene("setScreenRect", Qt::DirectConnection,
                           {size.width(), size.height(), maximized});
}

void Ui_Controler::onMinimize()
{
    if (windowWidget)
        windowWidget->showMinimized();
}

void Ui_Controler::onMaxRestore()
{
    if (!windowWidget)
        return;
    const QSize screen = primaryScreenArea().size();
    if (isMaximized) {
        windowWidget->showNormal();
        isMaximized = false;
        reportScreenRect(startSizeFor(screen), false);
    } else {
        windowWidget->showMaximized();
        isMaximized = true;
        reportScreenRect(screen, true);
    }
}

void Ui_Controler::onHide()
{
    if (!windowWidget)
        return;
    // Without a tray host no icon would bring a hidden window back.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        windowWidget->setVisible(false);
    else
        windowWidget->showMinimized();
}

void Ui_Controler::onClose()
{
    if (windowWidget)
        windowWidget->close();
}

void Ui_Controler::onXChanged(int x)
{
    if (windowWidget)
        windowWidget->move(windowWidget->x() + x, windowWidget->y());
}

void Ui_Controler::onYChanged(int y)
{
    if (windowWidget)
        windowWidget->move(windowWidget->x(), windowWidget->y() + y);
}

bool Ui_Controler::startSystemMove()
{
    if (!windowWidget)
        return false;
    dragPointerStart = QCursor::pos();
    dragWindowStart = windowWidget->pos();
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return false;
    QWindow *handle = windowWidget->windowHandle();
    return handle && handle->startSystemMove();
}

void Ui_Controler::followPointer()
{
    if (windowWidget)
        windowWidget->move(dragWindowStart + QCursor::pos() - dragPointerStart);
}

void Ui_Controler::setBusy(int busyTime)
{
    if (windowWidget)
        sceneView->invokeScene("setProtectUI", Qt::DirectConnection, {busyTime});
}

void Ui_Controler::setBusy()
{
    setBusy(0);
}

void Ui_Controler::test(int x, int y)
{
    if (windowWidget)
        windowWidget->resize(sceneView->width() + x, sceneView->height() + y);
}

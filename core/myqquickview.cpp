// The view's own life and the calls through which the native side drives the
// scene. Data and device slots live in the settings and operations files.

#include "core/myqquickview.h"
#include "core/startuptimeline.h"

#include "device/hid_thread.h"
#include "input/capturechoice.h"
// Complete types for the members' construction and destruction here.
#include "operations/deviceoperations.h"
#include "settings/guntable.h"
#include "settings/languagestrings.h"
#include "settings/macroexchange.h"
#include "settings/macrolibrary.h"
#include "settings/macroselection.h"
#include "settings/settingsdialogs.h"
#include "settings/settingsstore.h"

#include <QDebug>
#include <QFocusEvent>
#include <QLoggingCategory>
#include <QQmlEngine>
#include <QQuickItem>
#include <QWheelEvent>

#include <cstdlib>

// Every call into the scene, key presses from the global hook included, so
// off unless asked for (QT_LOGGING_RULES="kairo.scene.debug=true").
namespace {
Q_LOGGING_CATEGORY(sceneTrace, "kairo.scene", QtInfoMsg)
}

myQQuickView::myQQuickView(QWidget *parent)
    : QQuickWidget(parent)
{
    // The window is translucent; the scene paints what should be seen.
    setClearColor(Qt::transparent);
    // The scene's folders reach each other through "import modules.qml",
    // whose qmldir is compiled in at qrc:/modules/qml/.
    engine()->addImportPath(QStringLiteral("qrc:/"));
    initSettings();
    initOperations();
    hidDebugLine(
        {QStringLiteral("========================== ui_View ==================================")});
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::setHidThread(Hid_Thread *hidThread)
{
    hid = hidThread;
    attachOperationsToHid();
}

void myQQuickView::invokeScene(const char *function, Qt::ConnectionType type,
                               const QVariantList &args)
{
    QObject *root = rootObject();
    if (!root) {
        qWarning("myQQuickView: no scene for %s", function);
        return;
    }
    auto arg = [&args](int i) { return Q_ARG(QVariant, args.at(i)); };
    bool invoked = false;
    switch (args.size()) {
    case 0:
        invoked = QMetaObject::invokeMethod(root, function, type);
        break;
    case 1:
        invoked = QMetaObject::invokeMethod(root, function, type, arg(0));
        break;
    case 2:
        invoked = QMetaObject::invokeMethod(root, function, type, arg(0), arg(1));
        break;
    case 3:
        invoked = QMetaObject::invokeMethod(root, function, type, arg(0), arg(1), arg(2));
        break;
    default:
        invoked = QMetaObject::invokeMethod(root, function, type, arg(0), arg(1), arg(2), arg(3));
        break;
    }
    if (invoked && sceneTrace().isDebugEnabled()) {
        QString line = QStringLiteral("scene: ") + QLatin1String(function);
        for (const QVariant &value : args)
            line += QLatin1Char(' ') + value.toString();
        qCDebug(sceneTrace).noquote() << line;
    }
}

void myQQuickView::initUI()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            kairo::startup::mark("scene-init");
            invokeScene("initUI", Qt::DirectConnection);
            kairo::startup::mark("scene-initialised");
        },
        Qt::QueuedConnection);
}

void myQQuickView::runUI()
{
    invokeScene("run", Qt::QueuedConnection);
}

void myQQuickView::clearHidBusy()
{
    if (hid)
        hid->idle = true;
}

void myQQuickView::setBusy(int busyTime)
{
    invokeScene("setProtectUI", Qt::DirectConnection, {busyTime});
}

void myQQuickView::detectKeyboard(bool isDown, int usage)
{
    invokeScene("detectKeyboard", Qt::QueuedConnection, {isDown, usage});
}

void myQQuickView::detectMouse(bool isDown, int button, int x, int y)
{
    invokeScene("detectMouse", Qt::QueuedConnection, {isDown, button, x, y});
}

QVariantMap myQQuickView::captureScope() const
{
    const CaptureScope scope = activeCaptureScope();
    return {{QStringLiteral("scope"), scope.scope},
            {QStringLiteral("reason"), scope.reason},
            {QStringLiteral("reasonText"), captureReasonText(scope.reason)}};
}

void myQQuickView::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    const bool vertical = delta.x() == 0 || std::abs(delta.y()) > std::abs(delta.x());
    if (vertical)
        invokeScene("scroll", Qt::QueuedConnection, {delta.y() / 120});
    // The scene's own wheel handling never sees the event.
    event->accept();
}

void myQQuickView::focusInEvent(QFocusEvent *event)
{
    // Passed on so that the scene's items still receive keyboard focus.
    QQuickWidget::focusInEvent(event);
    repaint();
    event->accept();
}

// Key and button events of Kairo's own windows, taken from Qt's event stream
// as they arrive from the window system. The filter only looks: every event
// goes on to the window as if nothing had seen it.
#include "input/doublereportfilter.h"
#include "input/inputhooks.h"
#include "input/inputsources.h"
#include "input/pcinput.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace {

// X and Wayland both number keys as the kernel does, shifted by 8.
constexpr quint32 xkbKeyCodeOffset = 8;

int xButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::MiddleButton:
        return 2;
    case Qt::RightButton:
        return 3;
    default:
        return 0;
    }
}

class WindowEventSource final : public QObject, public InputEventSource
{
public:
    explicit WindowEventSource(std::shared_ptr<DoubleReportFilter> doubles)
        : filter(std::move(doubles))
    {}
    ~WindowEventSource() override { stop(); }
    bool start(InputHooks &hooks) override;
    void stop() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void takeKey(const QKeyEvent &event, bool pressed);
    void takeButton(const QMouseEvent &event, bool pressed);
    void deliverKey(int linuxKeyCode, bool pressed);
    void releaseHeldKeys();

    std::shared_ptr<DoubleReportFilter> filter;
    InputHooks *target = nullptr;
    PcKeyboard keyboard;
    QList<int> heldKeys; // Linux key codes pressed in our windows and not yet let go
    QMetaObject::Connection focusWatch;
};

bool WindowEventSource::start(InputHooks &hooks)
{
    stop();
    QGuiApplication *application = guiApplication();
    if (!application)
        return false;
    target = &hooks;
    application->installEventFilter(this);
    // A key let go in another program never reaches us; counting it as
    // released when our windows lose the focus keeps its next press from
    // being taken for a repeat.
    focusWatch =
        connect(application, &QGuiApplication::focusWindowChanged, this, [this](QWindow *now) {
            if (!now)
                releaseHeldKeys();
        });
    return true;
}

void WindowEventSource::stop()
{
    if (QGuiApplication *application = guiApplication())
        application->removeEventFilter(this);
    disconnect(focusWatch);
    target = nullptr;
    heldKeys.clear();
    keyboard = PcKeyboard();
}

bool WindowEventSource::eventFilter(QObject *watched, QEvent *event)
{
    // The window system hands each event to one window, spontaneously; what a
    // window passes on to its widgets or to an embedded scene's own window
    // is the same event again and must not count twice.
    if (!watched->isWindowType() || !event->spontaneous())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        takeKey(*static_cast<QKeyEvent *>(event), true);
        break;
    case QEvent::KeyRelease:
        takeKey(*static_cast<QKeyEvent *>(event), false);
        break;
    case QEvent::MouseButtonPress: // a double click's second press comes as a press too
        takeButton(*static_cast<QMouseEvent *>(event), true);
        break;
    case QEvent::MouseButtonRelease:
        takeButton(*static_cast<QMouseEvent *>(event), false);
        break;
    default:
        break;
    }
    return false;
}

void WindowEventSource::takeKey(const QKeyEvent &event, bool pressed)
{
    // Repeats come as presses (Wayland) or press and release pairs (X11).
    if (event.isAutoRepeat() || event.nativeScanCode() <= xkbKeyCodeOffset)
        return;
    const int linuxKeyCode = int(event.nativeScanCode() - xkbKeyCodeOffset);
    if (pressed && !heldKeys.contains(linuxKeyCode))
        heldKeys.append(linuxKeyCode);
    else if (!pressed)
        heldKeys.removeAll(linuxKeyCode);
    deliverKey(linuxKeyCode, pressed);
}

void WindowEventSource::deliverKey(int linuxKeyCode, bool pressed)
{
    // Translated first: the modifiers count whoever reports the key.
    const std::optional<PcKeyEvent> key = keyboard.translate(linuxKeyCode, pressed);
    if (!key || !target)
        return;
    if (filter
        && !filter->admit(DoubleReportFilter::Origin::Window,
                          DoubleReportFilter::keyEvent(linuxKeyCode, pressed)))
        return;
    target->keyboardHookProc(InputHooks::HC_ACTION, key->message, key->scanCode, key->flags);
}

void WindowEventSource::takeButton(const QMouseEvent &event, bool pressed)
{
    const int xButton = xButtonOf(event.button());
    const std::optional<quint32> message = pcMouseMessage(xButton, pressed);
    if (!message || !target)
        return;
    if (filter
        && !filter->admit(DoubleReportFilter::Origin::Window,
                          DoubleReportFilter::buttonEvent(xButton, pressed)))
        return;
    const QPoint position = event.globalPosition().toPoint();
    target->mouseHookProc(InputHooks::HC_ACTION, *message, position.x(), position.y());
}

void WindowEventSource::releaseHeldKeys()
{
    const QList<int> held = std::exchange(heldKeys, {});
    for (int linuxKeyCode : held)
        deliverKey(linuxKeyCode, false);
}

} // namespace

std::unique_ptr<InputEventSource>
createWindowEventSource(std::shared_ptr<DoubleReportFilter> filter)
{
    return std::make_unique<WindowEventSource>(std::move(filter));
}

// Global key and button events on X11: XInput2 raw events selected on the
// root window of our own X connection. Raw events reach every client that
// asks for them, whoever has the focus or a grab, and asking for them takes
// nothing away from other programs.
#include "input/inputhooks.h"
#include "input/inputsources.h"
#include "input/pcinput.h"

#include <QGuiApplication>
#include <QObject>
#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace {

int selectionError = 0;

int recordSelectionError(Display *, XErrorEvent *event)
{
    selectionError = event->error_code;
    return 0;
}

// The display Kairo's windows are on, so that the raw events include the
// keys typed into them; $DISPLAY when Qt has no X connection of its own.
QByteArray windowsDisplayName()
{
    QGuiApplication *application = guiApplication();
    const auto *x11 =
        application ? application->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 && x11->display() ? QByteArray(DisplayString(x11->display())) : QByteArray();
}

struct RawEvent {
    int type;
    int detail;
};

class XInputEventSource final : public InputEventSource
{
public:
    ~XInputEventSource() override { stop(); }
    bool start(InputHooks &hooks) override;
    void stop() override;

private:
    bool hasXInput2();
    bool selectRawEvents();
    void readEvents();
    void deliver(const RawEvent &event);
    void deliverKey(int xKeyCode, bool pressed);
    void deliverButton(int xButton, bool pressed);

    Display *display = nullptr;
    int xinputOpcode = 0;
    QSocketNotifier *notifier = nullptr;
    InputHooks *target = nullptr;
    PcKeyboard keyboard;
};

bool XInputEventSource::start(InputHooks &hooks)
{
    stop();
    const QByteArray displayName = windowsDisplayName();
    display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!display)
        return false;
    if (!hasXInput2() || !selectRawEvents()) {
        stop();
        return false;
    }
    target = &hooks;
    keyboard = PcKeyboard();
    notifier = new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [this] { readEvents(); });
    return true;
}

void XInputEventSource::stop()
{
    if (notifier) {
        // stop() may run inside a callback, i.e. inside the notifier's own signal.
        notifier->setEnabled(false);
        notifier->deleteLater();
        notifier = nullptr;
    }
    if (display) {
        XCloseDisplay(display);
        display = nullptr;
    }
    target = nullptr;
}

bool XInputEventSource::hasXInput2()
{
    int firstEvent = 0;
    int firstError = 0;
    if (!XQueryExtension(display, "XInputExtension", &xinputOpcode, &firstEvent, &firstError))
        return false;
    // From 2.1 on raw events are delivered to the root window whatever grabs exist.
    int major = 2;
    int minor = 1;
    return XIQueryVersion(display, &major, &minor) == Success && major >= 2;
}

bool XInputEventSource::selectRawEvents()
{
    unsigned char maskBits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(maskBits, XI_RawKeyPress);
    XISetMask(maskBits, XI_RawKeyRelease);
    XISetMask(maskBits, XI_RawButtonPress);
    XISetMask(maskBits, XI_RawButtonRelease);
    XIEventMask mask;
    mask.deviceid = XIAllMasterDevices; // one event per physical action, not one per device level
    mask.mask_len = sizeof(maskBits);
    mask.mask = maskBits;

    // The default Xlib error handler would end the program.
    selectionError = 0;
    XErrorHandler previous = XSetErrorHandler(recordSelectionError);
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XSync(display, False);
    XSetErrorHandler(previous);
    return selectionError == 0;
}

void XInputEventSource::readEvents()
{
    while (display && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        XGenericEventCookie *cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xinputOpcode
            || !XGetEventData(display, cookie))
            continue;
        const RawEvent raw{cookie->evtype, static_cast<XIRawEvent *>(cookie->data)->detail};
        XFreeEventData(display, cookie);
        deliver(raw); // may stop the source
    }
}

void XInputEventSource::deliver(const RawEvent &event)
{
    switch (event.type) {
    case XI_RawKeyPress:
        deliverKey(event.detail, true);
        break;
    case XI_RawKeyRelease:
        deliverKey(event.detail, false);
        break;
    case XI_RawButtonPress:
        deliverButton(event.detail, true);
        break;
    case XI_RawButtonRelease:
        deliverButton(event.detail, false);
        break;
    default:
        break;
    }
}

void XInputEventSource::deliverKey(int xKeyCode, bool pressed)
{
    // X key codes are the kernel's key codes shifted by 8.
    const std::optional<PcKeyEvent> key = keyboard.translate(xKeyCode - 8, pressed);
    if (key && target)
        target->keyboardHookProc(InputHooks::HC_ACTION, key->message, key->scanCode, key->flags);
}

void XInputEventSource::deliverButton(int xButton, bool pressed)
{
    const std::optional<quint32> message = pcMouseMessage(xButton, pressed);
    if (!message || !target)
        return;
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                  &windowY, &buttons);
    target->mouseHookProc(InputHooks::HC_ACTION, *message, rootX, rootY);
}

} // namespace

std::unique_ptr<InputEventSource> createXInputEventSource()
{
    return std::make_unique<XInputEventSource>();
}

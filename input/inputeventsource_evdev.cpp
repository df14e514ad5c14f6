// Key and button events straight from the kernel's event nodes. The nodes
// are read raw, record by record, so that a test can stand in for them with a
// pipe; libevdev only tells which nodes belong to keyboards and mice.
#include "input/doublereportfilter.h"
#include "input/evdeveventsource.h"
#include "input/inputhooks.h"
#include "input/inputsources.h"
#include "input/pcinput.h"

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWindow>

#include <cerrno>
#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <linux/input.h>
#include <unistd.h>

namespace {

bool hasTypingKeys(libevdev *device)
{
    for (unsigned int code = KEY_ESC; code <= KEY_KPDOT; ++code) {
        if (libevdev_has_event_code(device, EV_KEY, code))
            return true;
    }
    return false;
}

bool hasButtons(libevdev *device)
{
    return libevdev_has_event_code(device, EV_KEY, BTN_LEFT)
           || libevdev_has_event_code(device, EV_KEY, BTN_RIGHT)
           || libevdev_has_event_code(device, EV_KEY, BTN_MIDDLE);
}

// The pointer buttons as X numbers them; 0 for every other code.
int xButtonOf(unsigned int code)
{
    switch (code) {
    case BTN_LEFT:
        return 1;
    case BTN_MIDDLE:
        return 2;
    case BTN_RIGHT:
        return 3;
    default:
        return 0;
    }
}

// Whether the pointer is over one of our windows. Wayland tells a client
// where the pointer is only while it is over the client's own surfaces.
class PointerWatch final : public QObject
{
public:
    PointerWatch() { guiApplication()->installEventFilter(this); }
    ~PointerWatch() override
    {
        if (QGuiApplication *application = guiApplication())
            application->removeEventFilter(this);
    }
    bool overOurWindows() const { return !entered.isNull(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWindowType() || !event->spontaneous())
            return false;
        if (event->type() == QEvent::Enter)
            entered = static_cast<QWindow *>(watched);
        else if (event->type() == QEvent::Leave && entered == watched)
            entered = nullptr;
        return false;
    }

private:
    QPointer<QWindow> entered;
};

struct ReadOutcome {
    std::vector<input_event> events;
    bool gone = false;
};

} // namespace

struct EvdevEventSource::Node {
    EvdevNode opened;
    QSocketNotifier *notifier = nullptr;
    QList<int> heldKeys;   // Linux key codes down on this node
    bool dropping = false; // the kernel's buffer overflowed: wait for the next report

    ~Node()
    {
        // Possibly inside the notifier's own signal.
        notifier->setEnabled(false);
        notifier->deleteLater();
        ::close(opened.fd);
    }

    // An event node hands out whole records only.
    ReadOutcome readAvailable()
    {
        ReadOutcome outcome;
        input_event records[64];
        for (;;) {
            const ssize_t count = ::read(opened.fd, records, sizeof records);
            if (count > 0) {
                const auto whole = std::size_t(count) / sizeof(input_event);
                outcome.events.insert(outcome.events.end(), records, records + whole);
                continue;
            }
            if (count < 0 && errno == EINTR)
                continue;
            // A node that was unplugged fails with ENODEV; a pipe whose writer
            // went away reads as the end of the file.
            outcome.gone = count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
            return outcome;
        }
    }
};

EvdevNode openEventNode(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    EvdevNode node;
    libevdev *device = nullptr;
    if (libevdev_new_from_fd(fd, &device) == 0) {
        node.typingKeys = hasTypingKeys(device);
        node.buttons = hasButtons(device);
        libevdev_free(device);
    }
    if (!node.typingKeys && !node.buttons) {
        ::close(fd);
        return {};
    }
    node.fd = fd;
    return node;
}

EvdevEventSource::EvdevEventSource(EvdevNodeAccess nodeAccess,
                                   std::shared_ptr<DoubleReportFilter> doubles)
    : access(std::move(nodeAccess))
    , filter(std::move(doubles))
    , keyboard(std::make_unique<PcKeyboard>())
{
    if (!access.open)
        access.open = openEventNode;
}

EvdevEventSource::~EvdevEventSource()
{
    stop();
}

bool EvdevEventSource::start(InputHooks &hooks)
{
    stop();
    target = &hooks;
    *keyboard = PcKeyboard();
    if (guiApplication())
        pointerWatch = std::make_unique<PointerWatch>();
    openNodes();
    if (keyboardCount() == 0) {
        stop();
        return false;
    }
    return true;
}

void EvdevEventSource::stop()
{
    nodes.clear();
    pointerWatch.reset();
    target = nullptr;
}

int EvdevEventSource::keyboardCount() const
{
    return int(std::count_if(nodes.begin(), nodes.end(),
                             [](const auto &node) { return node->opened.typingKeys; }));
}

void EvdevEventSource::openNodes()
{
    const QDir folder(access.folder);
    const QStringList names =
        folder.entryList({QStringLiteral("event*")}, QDir::System | QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const EvdevNode opened = access.open(folder.filePath(name));
        if (opened.fd < 0)
            continue;
        auto node = std::make_unique<Node>();
        node->opened = opened;
        node->notifier = new QSocketNotifier(opened.fd, QSocketNotifier::Read);
        Node *reading = node.get();
        QObject::connect(node->notifier, &QSocketNotifier::activated, node->notifier,
                         [this, reading] { readNode(reading); });
        nodes.push_back(std::move(node));
    }
}

bool EvdevEventSource::isOpen(const Node *node) const
{
    return std::any_of(nodes.begin(), nodes.end(),
                       [node](const auto &open) { return open.get() == node; });
}

void EvdevEventSource::readNode(Node *node)
{
    const ReadOutcome outcome = node->readAvailable();
    // Any delivery may stop the source or close the node.
    for (const input_event &event : outcome.events) {
        if (!isOpen(node))
            return;
        handle(*node, event);
    }
    if (outcome.gone && isOpen(node))
        closeNode(node);
}

void EvdevEventSource::handle(Node &node, const input_event &event)
{
    if (event.type == EV_SYN) {
        if (event.code == SYN_DROPPED)
            node.dropping = true;
        else if (event.code == SYN_REPORT)
            node.dropping = false;
        return;
    }
    // Value 2 is the keyboard's own repeat.
    if (node.dropping || event.type != EV_KEY || (event.value != 0 && event.value != 1))
        return;
    const bool pressed = event.value == 1;
    if (const int xButton = xButtonOf(event.code)) {
        deliverButton(xButton, pressed);
        return;
    }
    if (pressed && !node.heldKeys.contains(event.code))
        node.heldKeys.append(event.code);
    else if (!pressed)
        node.heldKeys.removeAll(event.code);
    deliverKey(event.code, pressed);
}

void EvdevEventSource::closeNode(Node *node)
{
    const auto found = std::find_if(nodes.begin(), nodes.end(),
                                    [node](const auto &open) { return open.get() == node; });
    if (found == nodes.end())
        return;
    const std::unique_ptr<Node> closing = std::move(*found);
    nodes.erase(found);
    // The keys still down on a keyboard that went away will never come up.
    for (int linuxKeyCode : closing->heldKeys)
        deliverKey(linuxKeyCode, false);
}

void EvdevEventSource::deliverKey(int linuxKeyCode, bool pressed)
{
    const std::optional<PcKeyEvent> key = keyboard->translate(linuxKeyCode, pressed);
    if (!key || !target)
        return;
    if (filter
        && !filter->admit(DoubleReportFilter::Origin::EventNodes,
                          DoubleReportFilter::keyEvent(linuxKeyCode, pressed)))
        return;
    target->keyboardHookProc(InputHooks::HC_ACTION, key->message, key->scanCode, key->flags);
}

QPoint EvdevEventSource::buttonPosition() const
{
    if (!guiApplication())
        return {0, 0};
    // On Wayland the position is known only over our own windows; elsewhere
    // the pointer is somewhere no client is told of, which for the scene is
    // outside Kairo: a point left of and above every window.
    const auto *watch = static_cast<const PointerWatch *>(pointerWatch.get());
    if (QGuiApplication::platformName() == QLatin1String("wayland")
        && !(watch && watch->overOurWindows()))
        return {-1, -1};
    return QCursor::pos();
}

void EvdevEventSource::deliverButton(int xButton, bool pressed)
{
    const std::optional<quint32> message = pcMouseMessage(xButton, pressed);
    if (!message || !target)
        return;
    if (filter
        && !filter->admit(DoubleReportFilter::Origin::EventNodes,
                          DoubleReportFilter::buttonEvent(xButton, pressed)))
        return;
    const QPoint position = buttonPosition();
    target->mouseHookProc(InputHooks::HC_ACTION, *message, position.x(), position.y());
}

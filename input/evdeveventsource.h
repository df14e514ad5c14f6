#pragma once

#include "input/inputeventsource.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class DoubleReportFilter;
class PcKeyboard;
class QObject;
struct input_event;

// One opened event node: its descriptor, and what it has that we report.
struct EvdevNode {
    int fd = -1;
    bool typingKeys = false; // a keyboard's main block or keypad
    bool buttons = false;    // left, right or middle pointer button
};

// Where the event nodes are and how one is opened; a test puts a folder of
// its own and an opener handing out pipes in their place.
struct EvdevNodeAccess {
    QString folder = QStringLiteral("/dev/input");
    // Gives fd -1 for a node that cannot be read or has nothing we report.
    std::function<EvdevNode(const QString &path)> open;
};

// Opens a node read-only and without blocking and asks libevdev what it has;
// needs a real event device (the classification is a set of ioctls).
EvdevNode openEventNode(const QString &path);

// Global key and button events from the kernel's event nodes
// (/dev/input/event*), where the user may read them: what Wayland gives no
// client. Only observes: the nodes are not grabbed, and the udev rules and
// permissions stay as they are, so a node the user cannot read is left out.
class EvdevEventSource final : public InputEventSource
{
public:
    explicit EvdevEventSource(EvdevNodeAccess access = {},
                              std::shared_ptr<DoubleReportFilter> filter = {});
    ~EvdevEventSource() override;

    // True when at least one keyboard could be opened.
    bool start(InputHooks &hooks) override;
    void stop() override;

    int keyboardCount() const;
    int nodeCount() const { return int(nodes.size()); }

private:
    struct Node;
    void openNodes();
    bool isOpen(const Node *node) const;
    void readNode(Node *node);
    void handle(Node &node, const input_event &event);
    void closeNode(Node *node);
    void deliverKey(int linuxKeyCode, bool pressed);
    void deliverButton(int xButton, bool pressed);
    QPoint buttonPosition() const;

    EvdevNodeAccess access;
    std::shared_ptr<DoubleReportFilter> filter;
    std::unique_ptr<PcKeyboard> keyboard;
    std::unique_ptr<QObject> pointerWatch; // knows when the pointer is over our windows
    std::vector<std::unique_ptr<Node>> nodes;
    InputHooks *target = nullptr;
};

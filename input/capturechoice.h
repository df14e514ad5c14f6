#pragma once

#include <QList>
#include <QString>

// Which event sources feed the hooks, chosen at run time from what the
// session offers, and how far the capture reaches as a result.

// What the chooser found out about this session.
struct CaptureFacts {
    QString platform;            // Qt's platform plugin; empty without a GUI application
    bool waylandSession = false; // a Wayland compositor runs the desktop (Xwayland too)
    bool xinput2 = false;        // XInput2 raw events on the display of Kairo's windows
    int readableKeyboards = 0;   // keyboards among /dev/input/event* the user may read
};

enum class CaptureSource { XInput2, EventNodes, Window };

// "global": keys typed anywhere on the desktop; "window": only the keys typed
// into Kairo's own window are sure to be taken; "none": nothing is taken.
// The reason says why the capture is not global (a key of captureReasonText).
struct CaptureScope {
    QString scope;
    QString reason;
    bool operator==(const CaptureScope &) const = default;
};

struct CapturePlan {
    QList<CaptureSource> sources;
    bool filterDoubles = false; // two sources see the keys typed into Kairo
    CaptureScope scope;
};

inline const QString waylandWithoutEventNodes = QStringLiteral("wayland-without-event-nodes");
inline const QString noEventNodes = QStringLiteral("no-event-nodes");

CapturePlan planCapture(const CaptureFacts &facts);

// Whether the event nodes can change the plan, so that they are opened only then.
bool eventNodesMatter(const CaptureFacts &facts);

// The English text of a reason; empty for none.
QString captureReasonText(const QString &reason);

// The scope of the capture the hooks of this process run with (one per
// process, like the hooks), "none" while none runs.
CaptureScope activeCaptureScope();

#pragma once

#include <QList>
#include <QtGlobal>

// Two sources may see the same physical event: the keyboards' event nodes see
// every key, Kairo's own window sees the keys typed into it. Each source asks
// here before it reports; an event the other source already reported a moment
// ago is its echo and is dropped, whichever of the two arrives first. Events
// only one source sees (a keyboard whose node cannot be read, a key typed into
// another program) pass, since nothing matches them.
class DoubleReportFilter
{
public:
    enum class Origin { EventNodes, Window };

    // How long the first report waits for its echo. The compositor's path to
    // the window is a few milliseconds behind the kernel's; a second press of
    // the same key is a new event because every echo is matched only once.
    static constexpr qint64 echoWindowMs = 250;

    // What was pressed or released: a Linux key code, or a pointer button
    // numbered as X numbers them (1 left, 2 middle, 3 right).
    static int keyEvent(int linuxKeyCode, bool pressed) { return linuxKeyCode * 2 + pressed; }
    static int buttonEvent(int xButton, bool pressed) { return -(xButton * 2 + pressed) - 1; }

    // True when the event is to be reported.
    bool admit(Origin origin, int event, qint64 nowMs);
    bool admit(Origin origin, int event);

private:
    struct Report {
        Origin origin;
        int event;
        qint64 atMs;
    };
    QList<Report> unmatched;
};

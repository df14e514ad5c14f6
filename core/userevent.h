#pragma once

#include <QEvent>

// Posted by the device check to itself, so that the scene's run follows once
// the event loop has handled everything already queued.
class UserEvent : public QEvent
{
public:
    static constexpr int runUiTag = 2177;

    explicit UserEvent(int tag)
        : QEvent(QEvent::User)
        , eventTag(tag)
    {}
    int tag() const { return eventTag; }

private:
    int eventTag;
};

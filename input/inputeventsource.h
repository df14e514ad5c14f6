#pragma once

#include <memory>

class InputHooks;

// Where key and button events come from. A source feeds the hooks' two
// procedures with the messages and key data a PC keyboard and mouse report;
// it only observes, so nothing it sees is withheld from other programs or
// from Kairo's own window.
class InputEventSource
{
public:
    virtual ~InputEventSource();

    // Starts delivering events to hooks; false when the platform offers no
    // global event stream (no display server, no raw input extension).
    virtual bool start(InputHooks &hooks) = 0;
    virtual void stop() = 0;

    // The sources this session offers, chosen when started (capturechoice.h).
    static std::unique_ptr<InputEventSource> createForPlatform();
};

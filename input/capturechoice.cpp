#include "input/capturechoice.h"

#include "input/doublereportfilter.h"
#include "input/evdeveventsource.h"
#include "input/inputhooks.h"
#include "input/inputsources.h"

#include <QGuiApplication>

#include <vector>

namespace {

const CaptureScope noCapture{QStringLiteral("none"), QString()};
CaptureScope runningScope = noCapture;

bool xinputSeesEverything(const CaptureFacts &facts)
{
    // Under Xwayland the raw events carry only what X clients are given.
    return facts.platform == QLatin1String("xcb") && facts.xinput2 && !facts.waylandSession;
}

bool isWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

// The sources the plan asks for, started in its order; sources that were
// tried only to learn the facts are dropped again.
class ChosenCapture final : public InputEventSource
{
public:
    ~ChosenCapture() override { stop(); }
    bool start(InputHooks &hooks) override;
    void stop() override;

private:
    std::vector<std::unique_ptr<InputEventSource>> running;
};

bool ChosenCapture::start(InputHooks &hooks)
{
    stop();
    CaptureFacts facts;
    facts.platform = guiApplication() ? QGuiApplication::platformName() : QString();
    facts.waylandSession = isWaylandSession();

    std::unique_ptr<InputEventSource> xinput;
    if (facts.platform.isEmpty() || facts.platform == QLatin1String("xcb")) {
        xinput = createXInputEventSource();
        facts.xinput2 = xinput->start(hooks);
    }
    const auto filter = std::make_shared<DoubleReportFilter>();
    std::unique_ptr<EvdevEventSource> eventNodes;
    if (eventNodesMatter(facts)) {
        eventNodes = std::make_unique<EvdevEventSource>(EvdevNodeAccess{}, filter);
        if (eventNodes->start(hooks))
            facts.readableKeyboards = eventNodes->keyboardCount();
    }

    const CapturePlan plan = planCapture(facts);
    for (CaptureSource source : plan.sources) {
        if (source == CaptureSource::XInput2)
            running.push_back(std::move(xinput));
        else if (source == CaptureSource::EventNodes)
            running.push_back(std::move(eventNodes));
        else if (auto window = createWindowEventSource(plan.filterDoubles ? filter : nullptr);
                 window->start(hooks))
            running.push_back(std::move(window));
    }
    runningScope = running.empty() ? noCapture : plan.scope;
    return !running.empty();
}

void ChosenCapture::stop()
{
    for (const auto &source : running)
        source->stop();
    running.clear();
    runningScope = noCapture;
}

} // namespace

QGuiApplication *guiApplication()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance());
}

bool eventNodesMatter(const CaptureFacts &facts)
{
    // Without a GUI application the hooks serve tools and tests on $DISPLAY.
    return !facts.platform.isEmpty() && !xinputSeesEverything(facts);
}

CapturePlan planCapture(const CaptureFacts &facts)
{
    const CaptureScope global{QStringLiteral("global"), QString()};
    if (facts.platform.isEmpty())
        return facts.xinput2 ? CapturePlan{{CaptureSource::XInput2}, false, global}
                             : CapturePlan{{}, false, noCapture};
    if (xinputSeesEverything(facts))
        return {{CaptureSource::XInput2}, false, global};
    // The nodes see every key of the keyboards that can be read; the window
    // adds what reaches Kairo from elsewhere (another keyboard, an on-screen
    // keyboard, a remote desktop), and what both see is reported once.
    if (facts.readableKeyboards > 0)
        return {{CaptureSource::EventNodes, CaptureSource::Window}, true, global};
    const bool wayland = facts.waylandSession || facts.platform == QLatin1String("wayland");
    const CaptureScope window{QStringLiteral("window"),
                              wayland ? waylandWithoutEventNodes : noEventNodes};
    // Xwayland: the raw events still carry Kairo's own window, an X client.
    if (facts.platform == QLatin1String("xcb") && facts.xinput2)
        return {{CaptureSource::XInput2}, false, window};
    return {{CaptureSource::Window}, false, window};
}

QString captureReasonText(const QString &reason)
{
    if (reason == waylandWithoutEventNodes)
        return QStringLiteral("Wayland session without access to the keyboards' event nodes");
    if (reason == noEventNodes)
        return QStringLiteral("no access to /dev/input/event*");
    return {};
}

CaptureScope activeCaptureScope()
{
    return runningScope;
}

std::unique_ptr<InputEventSource> InputEventSource::createForPlatform()
{
    return std::make_unique<ChosenCapture>();
}

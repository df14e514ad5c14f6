// Chooses the pointer settings implementation for the running desktop.
#include "operations/platform/pointersettings.h"
#include "operations/platform/pointersettings_desktops.h"

#include <QtGlobal>

PointerSettings::~PointerSettings() = default;

PointerEnvironment PointerEnvironment::current()
{
    PointerEnvironment environment;
    environment.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    environment.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    environment.waylandDisplay = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    environment.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    return environment;
}

namespace {

// Desktops that keep their mouse settings in GNOME's schema.
bool onGnomeSettings(const QStringList &desktops)
{
    for (const char *name : {"GNOME", "UNITY", "BUDGIE", "BUDGIE-DESKTOP", "PANTHEON"}) {
        if (desktops.contains(QLatin1String(name)))
            return true;
    }
    return false;
}

bool onWayland(const PointerEnvironment &environment)
{
    return environment.sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0
           || (environment.sessionType.isEmpty() && environment.waylandDisplay);
}

} // namespace

bool PointerShared::waylandSession()
{
    return onWayland(PointerEnvironment::current());
}

PointerDesktop pointerDesktopFor(const PointerEnvironment &environment)
{
    const QStringList desktops =
        environment.currentDesktop.toUpper().split(':', Qt::SkipEmptyParts);
    if (onGnomeSettings(desktops))
        return PointerDesktop::Gnome;
    if (desktops.contains(QLatin1String("KDE")))
        return PointerDesktop::Kde;
    // Xwayland's pointer control would not reach a Wayland compositor.
    if (onWayland(environment))
        return PointerDesktop::Other;
    return environment.x11Display ? PointerDesktop::X11 : PointerDesktop::Other;
}

namespace {

class UnsupportedPointerSettings final : public PointerSettings
{
public:
    explicit UnsupportedPointerSettings(const QString &desktop)
        : desktopName(desktop)
    {}
    bool setCursorSpeed(int) override { return false; }
    bool setDoubleClickTime(int milliseconds) override
    {
        PointerShared::applyDoubleClickToKairo(milliseconds);
        return false;
    }
    bool setWheelScrollLines(int lines) override
    {
        PointerShared::applyWheelLinesToKairo(lines);
        return false;
    }
    PointerSupport support() override { return {desktopName}; }

private:
    QString desktopName;
};

} // namespace

std::unique_ptr<PointerSettings> createUnsupportedPointerSettings(const QString &desktop)
{
    return std::make_unique<UnsupportedPointerSettings>(desktop);
}

std::unique_ptr<PointerSettings> PointerSettings::createForPlatform()
{
    const PointerEnvironment environment = PointerEnvironment::current();
    switch (pointerDesktopFor(environment)) {
    case PointerDesktop::Gnome:
        return createGnomePointerSettings();
    case PointerDesktop::Kde:
        return createKdePointerSettings();
    case PointerDesktop::X11:
        return createX11PointerSettings();
    case PointerDesktop::Other:
        break;
    }
    return createUnsupportedPointerSettings(onWayland(environment) ? QStringLiteral("Wayland")
                                                                   : QString());
}

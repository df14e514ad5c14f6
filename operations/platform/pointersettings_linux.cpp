// Pointer settings on a Linux desktop. The pointer speed is the X server's
// pointer acceleration; the double-click time and wheel lines are applied to
// Kairo's own Qt style hints and, on desktops that keep these settings and
// whose tool is installed, to the desktop as well.
#include "operations/platform/pointersettings.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QStyleHints>

#include <X11/Xlib.h>

namespace {

constexpr int toolTimeoutMs = 3000;

int pointerControlError = 0;

int recordPointerControlError(Display *, XErrorEvent *event)
{
    pointerControlError = event->error_code;
    return 0;
}

struct Acceleration {
    int numerator;
    int denominator;
};

// Speed 1..20 as a movement multiplier, the same steps Windows uses without
// "enhance pointer precision": 1/32, 1/16 and 1/8 for 1 to 3, then eighths up
// to 1:1 at 10, then quarters up to 3.5 at 20. The threshold of one pixel lets
// the multiplier act on almost every movement, so it feels like a constant
// gain rather than a speed-dependent kick.
Acceleration accelerationFor(int speed)
{
    if (speed <= 3)
        return {1, 32 >> (speed - 1)};
    if (speed <= 10)
        return {speed - 2, 8};
    return {speed - 6, 4};
}
constexpr int accelerationThreshold = 1;

QStringList currentDesktops()
{
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").toUpper().split(':', Qt::SkipEmptyParts);
}

bool onDesktop(std::initializer_list<const char *> names)
{
    const QStringList desktops = currentDesktops();
    for (const char *name : names) {
        if (desktops.contains(QString::fromLatin1(name)))
            return true;
    }
    return false;
}

bool runTool(const QString &tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return false;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(toolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// GNOME and the desktops built on its settings keep the double-click time in
// org.gnome.desktop.peripherals.mouse; they have no wheel-lines setting.
bool setGnomeMouseKey(const QString &key, int value)
{
    if (!onDesktop({"GNOME", "UNITY", "BUDGIE", "BUDGIE-DESKTOP", "PANTHEON"}))
        return false;
    const QString schema = QStringLiteral("org.gnome.desktop.peripherals.mouse");
    // "writable" fails when the schema or the key is not installed.
    return runTool("gsettings", {"writable", schema, key})
           && runTool("gsettings", {"set", schema, key, QString::number(value)});
}

bool setKdeGlobal(const QString &key, int value)
{
    if (!onDesktop({"KDE"}))
        return false;
    const QStringList arguments{"--file", "kdeglobals", "--group",  "KDE",
                                "--key",  key,          "--notify", QString::number(value)};
    return runTool("kwriteconfig6", arguments) || runTool("kwriteconfig5", arguments);
}

QStyleHints *kairoStyleHints()
{
    // Style hints exist only in a GUI application.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    return QGuiApplication::styleHints();
}

class LinuxPointerSettings final : public PointerSettings
{
public:
    bool setCursorSpeed(int speed) override;
    bool setDoubleClickTime(int milliseconds) override;
    bool setWheelScrollLines(int lines) override;
};

bool LinuxPointerSettings::setCursorSpeed(int speed)
{
    if (speed < 1 || speed > 20)
        return false;
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    const Acceleration acceleration = accelerationFor(speed);
    // The default Xlib error handler would end the program.
    pointerControlError = 0;
    XErrorHandler previous = XSetErrorHandler(recordPointerControlError);
    XChangePointerControl(display, True, True, acceleration.numerator, acceleration.denominator,
                          accelerationThreshold);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return pointerControlError == 0;
}

bool LinuxPointerSettings::setDoubleClickTime(int milliseconds)
{
    if (milliseconds <= 0)
        return false;
    bool applied = false;
    if (QStyleHints *hints = kairoStyleHints()) {
        hints->setMouseDoubleClickInterval(milliseconds);
        applied = true;
    }
    applied = setGnomeMouseKey("double-click", milliseconds) || applied;
    applied = setKdeGlobal("DoubleClickInterval", milliseconds) || applied;
    return applied;
}

bool LinuxPointerSettings::setWheelScrollLines(int lines)
{
    if (lines <= 0)
        return false;
    bool applied = false;
    // Qt never scrolls more than a page per step, so 1000 lines is one screen.
    if (QStyleHints *hints = kairoStyleHints()) {
        hints->setWheelScrollLines(lines);
        applied = true;
    }
    applied = setKdeGlobal("WheelScrollLines", lines) || applied;
    return applied;
}

} // namespace

std::unique_ptr<PointerSettings> PointerSettings::createForPlatform()
{
    return std::make_unique<LinuxPointerSettings>();
}

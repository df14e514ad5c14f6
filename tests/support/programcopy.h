#pragma once
// A copy of the built program in a folder of its own, with its own data,
// virtual-mouse socket and wire log, started from outside and found by its
// window on the test's X server. The whole-program tests and the scene tool
// (which the screenshots script asks) start and find Kairo through it.
// Failures come back as text, so a tool can print them and a test hand them
// to QVERIFY2.

#include <QByteArray>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <qwindowdefs.h>

namespace kairo::test {

// Sanitizer builds run the program several times slower: every wait on the
// program stretches with the build's test timeout factor.
constexpr int scaled(int milliseconds)
{
    return milliseconds * KAIRO_TEST_TIMEOUT_SCALE;
}

// The standard output of a tool, waiting at most `ms`; the exit code is -1
// when it crashed or did not finish.
QString runTool(const QString &program, const QStringList &args, int *exitCode = nullptr,
                const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                int ms = 20000);

// Reads the process's output into `seen` until it holds `line`, the process
// ends or `ms` pass.
bool waitForOutput(QProcess &process, QByteArray &seen, const QByteArray &line, int ms);

void stopProgram(QProcess &process);

// Kairo's main window, once mapped, on the display `env` names: 0 when none
// shows within `ms`, or when more than one does.
WId waitForWindow(int ms,
                  const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());
// Where the window lies on its screen; empty while it is not mapped.
QRect windowGeometry(WId window,
                     const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());

// Puts the pointer of the test's X server at `at`. xdotool's --sync waits
// 15 s for a pointer that already stands at its goal to move, so a pointer
// already there stays.
void pointTo(const QPoint &at);
void clickAt(const QPoint &at, int button = 1);

enum class Preload { VirtualMouse, Nothing };
enum class Output { LogFile, Process };

class ProgramCopy
{
public:
    // In a temporary folder, or in `folder` (kept) when given.
    explicit ProgramCopy(const QString &folder = {});

    QString folder() const;
    QString path(const QString &name) const;
    QString profile() const { return path(QStringLiteral("modules/setting/p1.bin")); }
    QString factory() const { return path(QStringLiteral("modules/setting/pD.bin")); }
    QString wireLog() const { return path(QStringLiteral("wire.log")); }
    QString programLog() const { return path(QStringLiteral("kairo.log")); }
    void keep() { temporary.setAutoRemove(false); }

    // Empties the folder and copies the program and its modules into it.
    // A family ("553", "560") is written into the settings and the virtual
    // mouse's configuration alike. Returns what went wrong, or nothing.
    QString copyIn(const QString &family = {});

    // This copy's socket, wire log and mouse configuration, the debug lines
    // on, the link's pauses shortened, the platform the desktop chooses.
    QProcessEnvironment environment(Preload preload = Preload::VirtualMouse) const;

    // Starts ./kairo of the folder. Returns what went wrong, or nothing.
    QString start(QProcess &kairo, const QProcessEnvironment &env,
                  const QStringList &arguments = {}, Output output = Output::LogFile) const;
    // Starts it and waits for its window, which must have `size` when given.
    QString startShown(QProcess &kairo, const QProcessEnvironment &env, WId &window,
                       QRect &geometry, const QSize &size = {}) const;

    // The virtual mouse's command line on this copy's socket.
    int cli(const QStringList &args, QString *reply = nullptr) const;

private:
    QTemporaryDir temporary;
    QString given;
};

} // namespace kairo::test

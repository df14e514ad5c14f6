#include "tests/support/programcopy.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSettings>
#include <QThread>

namespace kairo::test {

namespace {

const QString windowTitle = QStringLiteral("^ZENDRA KAIRO MOUSE K1$");

// xdotool's "--shell" lines (X=, Y=, WIDTH=, ...).
QHash<QString, int> shellFields(const QString &shell)
{
    static const QRegularExpression field(QStringLiteral("^([A-Z]+)=(-?\\d+)$"),
                                          QRegularExpression::MultilineOption);
    QHash<QString, int> fields;
    for (auto m = field.globalMatch(shell); m.hasNext();) {
        const auto match = m.next();
        fields.insert(match.captured(1), match.captured(2).toInt());
    }
    return fields;
}

} // namespace

QString runTool(const QString &program, const QStringList &args, int *exitCode,
                const QProcessEnvironment &env, int ms)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    const bool finished = p.waitForFinished(ms);
    if (exitCode)
        *exitCode = finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

bool waitForOutput(QProcess &process, QByteArray &seen, const QByteArray &line, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!seen.contains(line) && timer.elapsed() < ms
           && process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(100);
        seen += process.readAll();
    }
    seen += process.readAll();
    return seen.contains(line);
}

void stopProgram(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

WId waitForWindow(int ms, const QProcessEnvironment &env)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        const QString ids =
            runTool("xdotool", {"search", "--onlyvisible", "--name", windowTitle}, nullptr, env)
                .trimmed();
        if (!ids.isEmpty())
            return ids.contains('\n') ? 0 : WId(ids.toULongLong());
        if (timer.elapsed() >= ms)
            return 0;
        QThread::msleep(100);
    }
}

QRect windowGeometry(WId window, const QProcessEnvironment &env)
{
    const QHash<QString, int> g = shellFields(runTool(
        "xdotool", {"getwindowgeometry", "--shell", QString::number(window)}, nullptr, env));
    return QRect(g.value("X"), g.value("Y"), g.value("WIDTH"), g.value("HEIGHT"));
}

void pointTo(const QPoint &at)
{
    const QHash<QString, int> now =
        shellFields(runTool("xdotool", {"getmouselocation", "--shell"}));
    if (QPoint(now.value("X", -1), now.value("Y", -1)) != at)
        runTool("xdotool",
                {"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
}

void clickAt(const QPoint &at, int button)
{
    pointTo(at);
    runTool("xdotool", {"click", QString::number(button)});
}

ProgramCopy::ProgramCopy(const QString &folder)
    : given(folder)
{}

QString ProgramCopy::folder() const
{
    return given.isEmpty() ? temporary.path() : given;
}

QString ProgramCopy::path(const QString &name) const
{
    return QDir(folder()).filePath(name);
}

QString ProgramCopy::copyIn(const QString &family)
{
    if (given.isEmpty() && !temporary.isValid())
        return QStringLiteral("no temporary folder");
    if (!QDir().mkpath(folder()))
        return QStringLiteral("cannot make ") + folder();
    for (const QString &old : QDir(folder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries)) {
        const bool removed = QFileInfo(path(old)).isDir() ? QDir(path(old)).removeRecursively()
                                                          : QFile::remove(path(old));
        if (!removed)
            return QStringLiteral("cannot remove ") + path(old);
    }
    if (!QFile::copy(KAIRO_BIN_DIR "/kairo", path("kairo")))
        return QStringLiteral("cannot copy the program");
    QFile(path("kairo")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    int code = -1;
    runTool("cp", {"-r", KAIRO_BIN_DIR "/modules", folder()}, &code);
    if (code != 0)
        return QStringLiteral("cannot copy the modules");
    if (family.isEmpty())
        return {};
    QSettings config(path("modules/setting/apConfig.bin"), QSettings::IniFormat);
    config.setValue("mouse/icType", family);
    QSettings mouse(path("mouse.ini"), QSettings::IniFormat);
    mouse.setValue("0/family", family);
    return {};
}

QProcessEnvironment ProgramCopy::environment(Preload preload) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KAIRO_VIRTUAL_MOUSE_SOCKET", path("vm.sock"));
    env.insert("KAIRO_VIRTUAL_MOUSE_LOG", wireLog());
    env.insert("KAIRO_VIRTUAL_MOUSE_CONFIG", path("mouse.ini"));
    // The view's trace of its calls into the scene, off by default.
    env.insert("QT_LOGGING_RULES", "kairo*.debug=true");
    // The virtual mouse answers at once: a quarter of every pause of the
    // link keeps the order of the reports and spares the waiting.
    env.insert("KAIRO_LINK_PAUSE_FACTOR", "0.25");
    env.remove("QT_QPA_PLATFORM");
    if (preload == Preload::VirtualMouse)
        env.insert("LD_PRELOAD", KAIRO_PRELOAD);
    return env;
}

QString ProgramCopy::start(QProcess &kairo, const QProcessEnvironment &env,
                           const QStringList &arguments, Output output) const
{
    kairo.setProcessEnvironment(env);
    kairo.setProcessChannelMode(QProcess::MergedChannels);
    if (output == Output::LogFile)
        kairo.setStandardOutputFile(programLog());
    kairo.start(path("kairo"), arguments);
    return kairo.waitForStarted() ? QString() : QStringLiteral("kairo did not start");
}

QString ProgramCopy::startShown(QProcess &kairo, const QProcessEnvironment &env, WId &window,
                                QRect &geometry, const QSize &size) const
{
    if (const QString failed = start(kairo, env); !failed.isEmpty())
        return failed;
    window = waitForWindow(scaled(15000), env);
    if (!window)
        return QStringLiteral("no single window of Kairo was shown");
    geometry = windowGeometry(window, env);
    if (size.isValid() && geometry.size() != size)
        return QStringLiteral("the window is %1 x %2, not %3 x %4")
            .arg(geometry.width())
            .arg(geometry.height())
            .arg(size.width())
            .arg(size.height());
    return {};
}

int ProgramCopy::cli(const QStringList &args, QString *reply) const
{
    int code = -1;
    const QString out =
        runTool(KAIRO_BIN_DIR "/kairo-virtual-mouse", args, &code, environment(Preload::Nothing));
    if (reply)
        *reply = out;
    return code;
}

} // namespace kairo::test

#include "operations/platform/pointersettings_desktops.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStyleHints>

namespace {

constexpr int toolTimeoutMs = 3000;

QStyleHints *kairoStyleHints()
{
    // Style hints exist only in a GUI application.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    return QGuiApplication::styleHints();
}

} // namespace

namespace PointerShared {

bool hasTool(const QString &tool)
{
    return !QStandardPaths::findExecutable(tool).isEmpty();
}

bool runTool(const QString &tool, const QStringList &arguments, QString *firstLine)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return false;
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(toolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (firstLine)
        *firstLine = QString::fromLocal8Bit(process.readAllStandardOutput()).section('\n', 0, 0);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

double unitSpeed(int speed)
{
    if (speed <= 10)
        return (speed - 10) / 9.0;
    return (speed - 10) / 10.0;
}

QString unitSpeedText(int speed)
{
    return QString::number(unitSpeed(speed), 'f', 4);
}

void applyDoubleClickToKairo(int milliseconds)
{
    if (QStyleHints *hints = kairoStyleHints())
        hints->setMouseDoubleClickInterval(milliseconds);
}

void applyWheelLinesToKairo(int lines)
{
    // Qt never scrolls more than a page per step, so 1000 lines is one screen.
    if (QStyleHints *hints = kairoStyleHints())
        hints->setWheelScrollLines(lines);
}

} // namespace PointerShared

#include "tests/support/debugcapture.h"

#include <QLoggingCategory>
#include <QMutex>
#include <QMutexLocker>

namespace {
// A message handler is a plain function, so what it collects lives here.
QMutex captureLock;
QStringList capturedLines;
bool captureAll = false;
} // namespace

DebugCapture::DebugCapture(Scope scope)
{
    clear();
    {
        QMutexLocker lock(&captureLock);
        previousAll = captureAll;
        captureAll = scope == AllMessages;
    }
    // The program's own lines are off by default; a capture wants them, and
    // keeps any further rules a test set.
    if (!QLoggingCategory("kairo", QtInfoMsg).isDebugEnabled())
        QLoggingCategory::setFilterRules(QStringLiteral("kairo.debug=true"));
    previous = qInstallMessageHandler(&DebugCapture::handler);
}

DebugCapture::~DebugCapture()
{
    qInstallMessageHandler(previous);
    QMutexLocker lock(&captureLock);
    captureAll = previousAll;
}

void DebugCapture::handler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    QMutexLocker lock(&captureLock);
    if (type == QtDebugMsg || captureAll)
        capturedLines << message;
}

QStringList DebugCapture::lines() const
{
    QMutexLocker lock(&captureLock);
    return capturedLines;
}

void DebugCapture::clear()
{
    QMutexLocker lock(&captureLock);
    capturedLines.clear();
}

#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects log messages, from any thread, while it lives; the handler that
// was in place before comes back when it goes. By default only debug lines
// count, the level the device link and the operations log on; AllMessages
// also takes warnings and worse, for checks that nothing at all was logged.
class DebugCapture
{
public:
    enum Scope { DebugOnly, AllMessages };
    explicit DebugCapture(Scope scope = DebugOnly);
    ~DebugCapture();
    DebugCapture(const DebugCapture &) = delete;
    DebugCapture &operator=(const DebugCapture &) = delete;

    QStringList lines() const;
    void clear();
    int count(const QString &line) const { return lines().count(line); }

private:
    static void handler(QtMsgType type, const QMessageLogContext &, const QString &message);
    QtMessageHandler previous = nullptr;
    bool previousAll = false;
};

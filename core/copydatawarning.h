#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

class QWidget;
class QCoreApplication;

// A text another program hands to Kairo (the copy-data message of the
// Windows build). Only the decision and the warning are platform-neutral;
// delivering such messages is the platform's affair and Linux has no sender.
struct CopyDataMessage {
    quintptr dwData = 0;
    quint32 cbData = 0;
    const void *lpData = nullptr;
};

constexpr quintptr copyDataWarningTag = 0x250F;

// The text to show, or nothing: the tag must match and the UTF-8 text must be
// exactly cbData bytes long (a counted terminating NUL is a mismatch). The
// text is never read past cbData bytes, whatever the sender put there.
std::optional<QString> copyDataWarningText(const CopyDataMessage &message);

// Shows the text in a warning box captioned with the context's window title;
// nothing without a context widget.
void showCopyDataWarning(const CopyDataMessage &message, QWidget *context);

using CopyDataHandler = void (*)(const CopyDataMessage &message, QWidget *context);

// Registers the handler for the process; deliverCopyData is what the
// platform's message filter calls. With a handler registered every message is
// taken (true, answered with result 1); without one it is left to others.
void setCopyDataHandler(CopyDataHandler handler, QCoreApplication *application, QWidget *context);
bool deliverCopyData(const CopyDataMessage &message);

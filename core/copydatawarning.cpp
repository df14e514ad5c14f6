#include "core/copydatawarning.h"

#include <QMessageBox>
#include <QWidget>

#include <cstring>

namespace {
CopyDataHandler registeredHandler = nullptr;
QWidget *registeredContext = nullptr;
} // namespace

std::optional<QString> copyDataWarningText(const CopyDataMessage &message)
{
    if (message.dwData != copyDataWarningTag || !message.lpData)
        return std::nullopt;
    const char *bytes = static_cast<const char *>(message.lpData);
    const void *nul = std::memchr(bytes, '\0', message.cbData);
    const qsizetype length = nul ? static_cast<const char *>(nul) - bytes : message.cbData;
    const QString text = QString::fromUtf8(bytes, length);
    // Re-encoding turns malformed UTF-8 into replacement characters, which
    // changes the length, so such text is refused as well.
    if (text.toUtf8().size() != qsizetype(message.cbData))
        return std::nullopt;
    return text;
}

void showCopyDataWarning(const CopyDataMessage &message, QWidget *context)
{
    if (!context)
        return;
    const std::optional<QString> text = copyDataWarningText(message);
    if (!text)
        return;
    QMessageBox::warning(nullptr, context->windowTitle(), *text, QMessageBox::Ok,
                         QMessageBox::NoButton);
}

void setCopyDataHandler(CopyDataHandler handler, QCoreApplication *, QWidget *context)
{
    registeredHandler = handler;
    registeredContext = context;
}

bool deliverCopyData(const CopyDataMessage &message)
{
    if (!registeredHandler)
        return false;
    registeredHandler(message, registeredContext);
    return true;
}

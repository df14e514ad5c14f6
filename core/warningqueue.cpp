#include "core/warningqueue.h"

#include <QAbstractEventDispatcher>
#include <QMessageBox>
#include <QWidget>

#include <utility>

WarningQueue::WarningQueue(QWidget *boxParent)
    : QObject(boxParent)
    , boxParent(boxParent)
{}

void WarningQueue::add(const QString &title, const QString &text)
{
    if (collecting.texts.isEmpty())
        collecting.title = title;
    if (!collecting.texts.contains(text))
        collecting.texts.append(text);
    if (waitingForLoop)
        return;
    // The dispatcher announces a wait only from a running event loop, never
    // from processEvents(): a wait inside the action does not end it.
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
        waitingForLoop = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                                 &WarningQueue::actionEnded);
}

void WarningQueue::actionEnded()
{
    disconnect(std::exchange(waitingForLoop, {}));
    // Warnings raised from here on belong to the next action and its box.
    const Batch ended = std::exchange(collecting, {});
    if (!ended.texts.isEmpty())
        QMetaObject::invokeMethod(
            this, [this, ended] { show(ended); }, Qt::QueuedConnection);
}

bool WarningQueue::showPending()
{
    disconnect(std::exchange(waitingForLoop, {}));
    const Batch pending = std::exchange(collecting, {});
    if (pending.texts.isEmpty())
        return false;
    show(pending);
    return true;
}

void WarningQueue::show(const Batch &batch)
{
    QMessageBox::warning(boxParent, batch.title, batch.texts.join(QStringLiteral("\n\n")),
                         QMessageBox::Ok);
}

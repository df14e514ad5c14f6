#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

// Warnings raised while one user action runs are shown together, in one
// modal box over the window, once control is back in the event loop. An
// action is everything between two waits of the event loop: a slot the scene
// called, including the events it processes itself while it waits for the
// mouse, so one failed Save that touches four files asks once, not four times.
class WarningQueue : public QObject
{
    Q_OBJECT
public:
    // The queue is a child of boxParent, which the box is centred on.
    explicit WarningQueue(QWidget *boxParent);

    void add(const QString &title, const QString &text);
    // Warnings of the running action, not yet shown.
    bool hasPending() const { return !collecting.texts.isEmpty(); }
    // Shows the running action's warnings now (before the program ends, when
    // the event loop will not wait again). False when there were none.
    bool showPending();

private:
    // One box: the first warning's title, each distinct text once, in the
    // order raised.
    struct Batch {
        QString title;
        QStringList texts;
    };
    void actionEnded();
    void show(const Batch &batch);

    QWidget *boxParent;
    Batch collecting;
    QMetaObject::Connection waitingForLoop;
};

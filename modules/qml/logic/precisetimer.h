#pragma once

#include <QObject>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

// A single-shot timer for the scene that fires on time. Qt Quick's Timer runs
// on the animation clock and fired the scene's lock tens of milliseconds late
// while frames were being drawn; this one also counts from start(), not from
// the event loop's next turn, so a long step after start() does not extend it.
class PreciseTimer : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int interval READ interval WRITE setInterval NOTIFY intervalChanged)
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)

public:
    explicit PreciseTimer(QObject *parent = nullptr);

    int interval() const { return timer.interval(); }
    void setInterval(int milliseconds);
    bool isRunning() const { return timer.isActive(); }

    Q_INVOKABLE void start();
    Q_INVOKABLE void stop();

signals:
    void triggered();
    void intervalChanged();
    void runningChanged();

private:
    QTimer timer;
};

#include "modules/qml/logic/precisetimer.h"

PreciseTimer::PreciseTimer(QObject *parent)
    : QObject(parent)
{
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, [this] {
        emit runningChanged();
        emit triggered();
    });
}

void PreciseTimer::setInterval(int milliseconds)
{
    if (milliseconds == timer.interval())
        return;
    timer.setInterval(milliseconds);
    emit intervalChanged();
}

void PreciseTimer::start()
{
    const bool wasRunning = timer.isActive();
    timer.start();
    if (!wasRunning)
        emit runningChanged();
}

void PreciseTimer::stop()
{
    if (!timer.isActive())
        return;
    timer.stop();
    emit runningChanged();
}

#include "app/Wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

void yieldOnce() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void waitWhile(const QTimer& guard, const std::function<bool()>& done) {
    // The one-argument form blocks until an event arrives; the timed overload would spin.
    while (guard.isActive() && !done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void pauseFor(int ms) {
    QTimer t;
    t.setTimerType(Qt::PreciseTimer);
    t.setSingleShot(true);
    t.start(ms);
    waitWhile(t, [] { return false; });
}

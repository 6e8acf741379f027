#include "app/Wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <atomic>

namespace {
std::atomic<int> stopReason{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");
}  // namespace

void requestStop(int reason) {
    stopReason.store(reason);
}
int stopRequested() {
    return stopReason.load();
}
void clearStop() {
    stopReason.store(0);
}

void yieldOnce() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void waitWhile(const QTimer& guard, const std::function<bool()>& done) {
    // The one-argument form blocks until an event arrives; the timed overload would spin.
    while (guard.isActive() && !done() && !stopRequested())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void pauseFor(int ms) {
    QTimer t;
    t.setTimerType(Qt::PreciseTimer);
    t.setSingleShot(true);
    t.start(ms);
    waitWhile(t, [] { return false; });
}

#pragma once
// Records what a program run does with its cameras. Events an operation hands over while it runs
// are written together, in one transaction, when its outermost scope ends. A history that cannot
// be written never stops the work: the recorder says why, once, and once when it records again.
// A history that cannot be opened, or whose write fails (a lock held a while, a server restarted
// or down), keeps its events and is opened again after a growing pause, checked only when the
// next write is due, so no camera exchange waits for it. What is still held when the run ends
// goes to the outbox, which the next run that reaches the history writes before its own.

#include <QDeadlineTimer>
#include <functional>
#include <memory>
#include <optional>

#include "history/Outbox.h"
#include "history/Store.h"

namespace history {

class Recorder {
  public:
    // `tell` hears, once, why nothing is being recorded. The store opens when first needed, so
    // a server that is down delays no start-up and no command that records nothing.
    Recorder(const Location& where, std::function<void(const QString&)> tell);
    ~Recorder();  // a last try at what is held back; what is left goes to the outbox

    // The pause before the history is opened again after a failure, doubling up to `mostMs`.
    void setRetryPauses(int firstMs, int mostMs) {
        firstPause_ = pause_ = firstMs, mostPause_ = mostMs;
    }

    bool recording() { return store() != nullptr; }
    // Why the history is not being recorded, as last said; empty while it is, or when off.
    const QString& problem() const { return problem_; }
    Store* store();

    // The camera the run is working with: the serial number of its last status read, kNoSerial
    // for one without; empty before any camera answered.
    const QString& camera() const { return camera_; }
    void setCamera(const QString& serial) { camera_ = serial; }

    void add(Event event);  // for the camera() unless the event names one
    void begin() { ++depth_; }
    void end();  // the outermost end writes what was added

    // The latest visit of `camera` before this run's, if any.
    std::optional<Visit> previousVisit(const QString& camera, Visit* current = nullptr);

  private:
    void say(const QString& why);
    void flush();
    void lost(const QString& why);  // the store is dropped, to be opened again after a pause
    void toOutbox();

    Location where_;
    bool off_ = false;  // off, or a location that cannot be read: nothing is kept
    std::unique_ptr<Store> store_;
    Outbox outbox_;
    QDeadlineTimer retryAt_{0};
    int firstPause_ = 1000, pause_ = 1000, mostPause_ = 60000;
    std::function<void(const QString&)> tell_;
    QString run_, bench_, camera_;
    QHash<QString, qint64> visits_;
    std::vector<Event> pending_;
    int depth_ = 0;
    QString problem_;  // set while writes fail (their events wait in pending_) or after a failure
};

// Groups an operation's events into one write.
class RecordScope {
  public:
    explicit RecordScope(Recorder* r) : r_(r) {
        if (r_) r_->begin();
    }
    ~RecordScope() {
        if (r_) r_->end();
    }
    RecordScope(const RecordScope&) = delete;
    RecordScope& operator=(const RecordScope&) = delete;

  private:
    Recorder* r_;
};

}  // namespace history

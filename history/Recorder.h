#pragma once
// Records what a program run does with its cameras. Events an operation hands over while it runs
// are written together, in one transaction, when its outermost scope ends. A history that cannot
// be written never stops the work: the recorder says why. One that cannot be opened records
// nothing more; a write that fails keeps its events for the next write, so a lock held a while
// or a disk that was full for a moment loses nothing.

#include <functional>
#include <memory>
#include <optional>

#include "history/Store.h"

namespace history {

class Recorder {
  public:
    // `tell` hears, once, why nothing is being recorded. The store opens when first needed, so
    // a server that is down delays no start-up and no command that records nothing.
    Recorder(const Location& where, std::function<void(const QString&)> tell);
    ~Recorder();  // a last try at what is held back, silently

    bool recording() { return store() != nullptr; }
    // Why the history is not being recorded, as last said; empty while it is, or when off.
    const QString& problem() const { return problem_; }
    Store* store();

    // The camera the run is working with: the serial number of its last status read.
    const QString& camera() const { return camera_; }
    void setCamera(const QString& serial) { camera_ = serial; }

    void add(Event event);  // for the camera() unless the event names one
    void begin() { ++depth_; }
    void end();  // the outermost end writes what was added

    // The latest visit of `camera` before this run's, if any.
    std::optional<Visit> previousVisit(const QString& camera, Visit* current = nullptr);

  private:
    void fail(const QString& why);
    void say(const QString& why);
    void flush();

    Location where_;
    bool opened_ = false;
    std::unique_ptr<Store> store_;
    std::function<void(const QString&)> tell_;
    QString run_, bench_, camera_ = kNoSerial;
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

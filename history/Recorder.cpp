#include "history/Recorder.h"

#include <QDateTime>
#include <QSysInfo>
#include <QUuid>
#include <algorithm>

namespace history {

namespace {
constexpr size_t kMostHeld = 10000;  // events held in memory before they go to the outbox
}

Recorder::Recorder(const Location& where, std::function<void(const QString&)> tell)
    : where_(where),
      off_(where.kind == Location::Kind::Off || !where.error.isEmpty()),
      outbox_(where),
      tell_(std::move(tell)),
      run_(QUuid::createUuid().toString(QUuid::WithoutBraces)),
      bench_(QSysInfo::machineHostName()) {}

Store* Recorder::store() {
    if (off_ && !where_.error.isEmpty() && problem_.isEmpty()) say(where_.error);
    if (store_ || off_ || !retryAt_.hasExpired()) return store_.get();
    auto store = std::make_unique<Store>();
    QString why;
    if (!store->open(where_, &why)) {
        lost(QString("%1: %2").arg(where_.describe(), why));
        return nullptr;
    }
    store_ = std::move(store);
    // What earlier runs could not write goes first; trouble with it stops nothing of this run.
    if (!outbox_.drain(*store_, &why) && tell_) tell_("The service history: " + why.simplified());
    return store_.get();
}

Recorder::~Recorder() {
    retryAt_ = QDeadlineTimer(0);  // a last try, whatever the pause
    flush();
    toOutbox();
}

void Recorder::toOutbox() {
    if (pending_.empty()) return;
    for (Event& e : pending_) e.run = run_, e.bench = bench_;
    QString why;
    const bool kept = outbox_.add(pending_, &why);
    if (tell_ && kept)
        tell_(QString("The service history: %1 record%2 wait%3 in %4 for the next run that reaches "
                      "the history.")
                  .arg(pending_.size())
                  .arg(pending_.size() == 1 ? "" : "s", pending_.size() == 1 ? "s" : "",
                       outbox_.path()));
    if (tell_ && !why.isEmpty())
        tell_(QString("The service history: %1%2")
                  .arg(kept ? QString() : QString("%1 records are lost: ").arg(pending_.size()),
                       why.simplified()));
    pending_.clear();
}

void Recorder::lost(const QString& why) {
    store_.reset();
    retryAt_.setRemainingTime(pause_);
    pause_ = std::min(pause_ * 2, mostPause_);
    if (problem_.isEmpty()) say(why);
}

void Recorder::say(const QString& why) {
    problem_ = "The service history is not being recorded: " + why.simplified();
    if (tell_) tell_(problem_);
}

void Recorder::add(Event event) {
    if (off_) {
        store();  // says why, once
        return;
    }
    if (event.camera.isEmpty()) event.camera = camera_.isEmpty() ? kNoSerial : camera_;
    if (event.at == 0) event.at = QDateTime::currentMSecsSinceEpoch();  // even if written later
    if (event.uid.isEmpty()) event.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    pending_.push_back(std::move(event));
    if (depth_ == 0) end();
}

void Recorder::end() {
    if (depth_ > 0) --depth_;
    if (depth_ == 0) flush();
}

void Recorder::flush() {
    if (pending_.empty()) return;
    if (!store()) {
        if (pending_.size() >= kMostHeld) toOutbox();
        return;
    }
    QString why;
    if (!store_->write(run_, bench_, pending_, visits_, &why)) return lost(why);
    pending_.clear();
    pause_ = firstPause_;
    if (!problem_.isEmpty() && tell_) tell_("The service history is being recorded again.");
    problem_.clear();
}

std::optional<Visit> Recorder::previousVisit(const QString& camera, Visit* current) {
    if (!store()) return std::nullopt;
    std::vector<Visit> all = store_->visits(camera);
    const qint64 mine = visits_.value(camera);
    std::optional<Visit> before;
    for (Visit& v : all) {
        if (v.id == mine) {
            if (current) *current = v;
        } else {
            before = std::move(v);
        }
    }
    return before;
}

}  // namespace history

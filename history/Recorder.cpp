#include "history/Recorder.h"

#include <QDateTime>
#include <QSysInfo>
#include <QUuid>

namespace history {

namespace {
constexpr size_t kMostHeld = 10000;  // events kept for a history that stays unwritable
}

Recorder::Recorder(const Location& where, std::function<void(const QString&)> tell)
    : where_(where),
      tell_(std::move(tell)),
      run_(QUuid::createUuid().toString(QUuid::WithoutBraces)),
      bench_(QSysInfo::machineHostName()) {}

Store* Recorder::store() {
    if (opened_) return store_.get();
    opened_ = true;
    if (where_.kind == Location::Kind::Off) return nullptr;
    if (!where_.error.isEmpty()) {
        fail(where_.error);
        return nullptr;
    }
    store_ = std::make_unique<Store>();
    QString why;
    if (!store_->open(where_, &why)) fail(QString("%1: %2").arg(where_.describe(), why));
    return store_.get();
}

Recorder::~Recorder() {
    tell_ = nullptr;  // whoever listened may be gone; the failure was said when it happened
    flush();
}

void Recorder::fail(const QString& why) {
    store_.reset();
    pending_.clear();
    if (problem_.isEmpty()) say(why);
}

void Recorder::say(const QString& why) {
    problem_ = "The service history is not being recorded: " + why.simplified();
    if (tell_) tell_(problem_);
}

void Recorder::add(Event event) {
    if (!store()) return;
    if (event.camera.isEmpty()) event.camera = camera_;
    if (event.at == 0) event.at = QDateTime::currentMSecsSinceEpoch();  // even if written later
    pending_.push_back(std::move(event));
    if (depth_ == 0) end();
}

void Recorder::end() {
    if (depth_ > 0) --depth_;
    if (depth_ == 0) flush();
}

void Recorder::flush() {
    if (pending_.empty() || !store_) return;
    QString why;
    if (store_->write(run_, bench_, pending_, visits_, &why)) {
        pending_.clear();
        if (!problem_.isEmpty() && tell_) tell_("The service history is being recorded again.");
        problem_.clear();
    } else if (pending_.size() >= kMostHeld) {
        fail(why);
    } else if (problem_.isEmpty()) {
        say(why);
    }
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

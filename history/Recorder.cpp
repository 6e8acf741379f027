#include "history/Recorder.h"

#include <QSysInfo>
#include <QUuid>

namespace history {

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

Recorder::~Recorder() = default;

void Recorder::fail(const QString& why) {
    store_.reset();
    pending_.clear();
    if (tell_) tell_("The service history is not being recorded: " + why.simplified());
}

void Recorder::add(Event event) {
    if (!store()) return;
    if (event.camera.isEmpty()) event.camera = camera_;
    pending_.push_back(std::move(event));
    if (depth_ == 0) end();
}

void Recorder::end() {
    if (depth_ > 0) --depth_;
    if (depth_ > 0 || pending_.empty() || !store_) return;
    QString why;
    const std::vector<Event> events = std::move(pending_);
    pending_.clear();
    if (!store_->write(run_, bench_, events, visits_, &why)) fail(why);
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

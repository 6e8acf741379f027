#include "history/Recorder.h"

#include <QSysInfo>
#include <QUuid>

namespace history {

Recorder::Recorder(const Location& where, std::function<void(const QString&)> tell)
    : tell_(std::move(tell)),
      run_(QUuid::createUuid().toString(QUuid::WithoutBraces)),
      bench_(QSysInfo::machineHostName()) {
    if (where.kind == Location::Kind::Off) return;
    if (!where.error.isEmpty()) {
        fail(where.error);
        return;
    }
    store_ = std::make_unique<Store>();
    QString why;
    if (!store_->open(where, &why)) fail(QString("%1: %2").arg(where.describe(), why));
}

Recorder::~Recorder() = default;

void Recorder::fail(const QString& why) {
    store_.reset();
    pending_.clear();
    if (tell_) tell_("The service history is not being recorded: " + why.simplified());
}

void Recorder::add(Event event) {
    if (!store_) return;
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
    if (!store_) return std::nullopt;
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

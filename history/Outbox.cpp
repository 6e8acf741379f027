#include "history/Outbox.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

#include "app/FileSave.h"

namespace history {

namespace {

constexpr int kLockWaitMs = 10000;  // another program adding or writing what waits

QJsonObject toJson(const Event& e) {
    return {{"uid", e.uid},   {"run", e.run}, {"bench", e.bench}, {"camera", e.camera},
            {"kind", e.kind}, {"ok", e.ok},   {"at", e.at},       {"data", e.data}};
}

Event fromJson(const QJsonObject& o) {
    Event e{o["kind"].toString(), o["camera"].toString(), o["ok"].toBool(), o["data"].toObject(),
            qint64(o["at"].toDouble())};
    e.uid = o["uid"].toString();
    e.run = o["run"].toString();
    e.bench = o["bench"].toString();
    return e;
}

bool held(const QJsonObject& o) {
    return o["uid"].isString() && o["run"].isString() && o["camera"].isString() &&
           o["kind"].isString() && o["data"].isObject();
}

class Locked {
  public:
    explicit Locked(const QString& path) : lock_(path + ".lock") {
        QDir().mkpath(QFileInfo(path).absolutePath());
        ok_ = lock_.tryLock(kLockWaitMs);
    }
    bool ok(const QString& path, QString* why) const {
        if (!ok_ && why)
            *why = QString("the outbox %1 %2")
                       .arg(path, lock_.error() == QLockFile::LockFailedError
                                      ? "is held by another program"
                                      : "cannot be written: its folder cannot be written");
        return ok_;
    }

  private:
    QLockFile lock_;
    bool ok_ = false;
};

}  // namespace

Outbox::Outbox(const Location& where) {
    const QString key = QString("%1|%2|%3|%4|%5|%6")
                            .arg(int(where.kind))
                            .arg(where.path, where.host)
                            .arg(where.port)
                            .arg(where.user, where.database);
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256);
    path_ = dataFolder() + "/history-outbox-" + hash.toHex().left(12) + ".json";
}

bool Outbox::read(std::vector<Event>* events, QString* why) const {
    QFile file(path_);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (why) *why = QString("the outbox %1 cannot be read: %2").arg(path_, file.errorString());
        return false;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    bool whole = doc.isArray();
    for (const QJsonValue& v : doc.array()) {
        whole = whole && held(v.toObject());
        if (whole && events) events->push_back(fromJson(v.toObject()));
    }
    if (whole) return true;
    // Kept for whoever can mend it; a new outbox starts beside it.
    const QString aside = path_ + ".damaged";
    QFile::remove(aside);
    const bool moved = file.rename(aside);
    if (why)
        *why = QString("the outbox %1 is damaged (%2) and was %3")
                   .arg(path_, error.error ? error.errorString() : QString("not a list of records"),
                        moved ? "set aside as " + aside : "left as it is");
    if (events) events->clear();
    return false;
}

bool Outbox::save(const std::vector<Event>& events, QString* why) const {
    if (events.empty()) {
        if (!QFile::exists(path_) || QFile::remove(path_)) return true;
        if (why) *why = QString("the outbox %1 cannot be emptied").arg(path_);
        return false;
    }
    QJsonArray list;
    for (const Event& e : events) list.append(toJson(e));
    // Made empty and private first: the whole-file save keeps the permissions it finds.
    QFile file(path_);
    if (!file.exists() && file.open(QIODevice::WriteOnly)) file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QString reason;
    if (saveWholeFile(path_, QJsonDocument(list).toJson(QJsonDocument::Compact), &reason))
        return true;
    if (why) *why = QString("the outbox %1 cannot be written: %2").arg(path_, reason);
    return false;
}

bool Outbox::add(const std::vector<Event>& events, QString* why) {
    const Locked lock(path_);
    if (!lock.ok(path_, why)) return false;
    std::vector<Event> all;
    QString damaged;
    read(&all, &damaged);
    all.insert(all.end(), events.begin(), events.end());
    if (!save(all, why)) return false;
    if (why) *why = damaged;  // saved, but an older outbox had to be set aside
    return true;
}

bool Outbox::drain(Store& store, QString* why) {
    const Locked lock(path_);
    if (!lock.ok(path_, why)) return false;
    std::vector<Event> waiting;
    if (!read(&waiting, why)) return false;
    if (waiting.empty()) return true;
    QHash<QString, qint64> none;
    QString reason;
    if (!store.write(QString(), QString(), waiting, none, &reason)) {
        if (why) *why = reason;
        return false;
    }
    return save({}, why);
}

int Outbox::count(QString* why) const {
    QFile file(path_);
    if (!file.exists()) return 0;
    if (!file.open(QIODevice::ReadOnly)) {
        if (why) *why = file.errorString();
        return -1;
    }
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    if (!doc.isArray()) {
        if (why) *why = QString("the outbox %1 is damaged").arg(path_);
        return -1;
    }
    return int(doc.array().size());
}

}  // namespace history

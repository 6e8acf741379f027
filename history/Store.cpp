#include "history/Store.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <atomic>

namespace history {

namespace {

// Each step takes the schema from the version before it to its own; %ID% is the dialect's
// generated key.
const std::vector<QStringList> kSteps = {
    {"CREATE TABLE schema_version (version INTEGER NOT NULL)",
     "CREATE TABLE visits (id %ID%, camera TEXT NOT NULL, bench TEXT NOT NULL, run TEXT NOT NULL,"
     " started BIGINT NOT NULL, ended BIGINT NOT NULL)",
     "CREATE TABLE events (id %ID%, visit BIGINT NOT NULL REFERENCES visits (id),"
     " at BIGINT NOT NULL, kind TEXT NOT NULL, ok INTEGER NOT NULL, data TEXT NOT NULL)",
     "INSERT INTO schema_version VALUES (1)"},
    // Pictures by hash and where they went; the lookups of the history commands indexed.
    {"CREATE TABLE pictures (event BIGINT PRIMARY KEY REFERENCES events (id),"
     " number INTEGER NOT NULL, sha256 TEXT NOT NULL, saved_to TEXT NOT NULL DEFAULT '')",
     "CREATE INDEX visits_by_camera ON visits (camera, started)",
     "CREATE INDEX events_by_visit ON events (visit)", "UPDATE schema_version SET version = 2"},
    // Every event with an identity made when it happened, one visit per run and camera: a
    // record sent twice is kept once.
    {"ALTER TABLE events ADD COLUMN uid TEXT", "%FILL_UIDS%",
     "CREATE UNIQUE INDEX events_by_uid ON events (uid)",
     "CREATE UNIQUE INDEX visits_by_run ON visits (run, camera)",
     "UPDATE schema_version SET version = 3"},
};

// A connection found lost says nothing of its own.
QString lastError(const QSqlQuery& q) {
    const QString text = q.lastError().text().trimmed();
    return text.isEmpty() ? QStringLiteral("the connection was lost") : text;
}

QString dataText(const QJsonObject& data) {
    return QString::fromUtf8(QJsonDocument(data).toJson(QJsonDocument::Compact));
}

QJsonObject dataOf(const QVariant& v) {
    return QJsonDocument::fromJson(v.toString().toUtf8()).object();
}

}  // namespace

Store::Store() {
    static std::atomic<int> count{0};
    name_ = QString("orvik-history-%1").arg(++count);
}

Store::~Store() {
    statements_.clear();  // before their connection goes
    if (!QSqlDatabase::contains(name_)) return;
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
}

bool Store::exec(const QString& sql, QString* why) {
    QSqlQuery q(QSqlDatabase::database(name_, false));
    if (q.exec(QString(sql).replace("%ID%",
                                    postgres_ ? "BIGSERIAL PRIMARY KEY" : "INTEGER PRIMARY KEY")))
        return true;
    if (why) *why = lastError(q);
    return false;
}

bool Store::open(const Location& where, QString* why, int version) {
    postgres_ = where.kind == Location::Kind::Postgres;
    QSqlDatabase db = QSqlDatabase::addDatabase(postgres_ ? "QPSQL" : "QSQLITE", name_);
    if (!db.isValid()) {
        if (why) *why = QString("no Qt SQL driver for %1").arg(postgres_ ? "PostgreSQL" : "SQLite");
        return false;
    }
    if (postgres_) {
        db.setHostName(where.host);
        if (where.port > 0) db.setPort(where.port);
        db.setUserName(where.user);
        db.setPassword(where.password);
        db.setDatabaseName(where.database);
        db.setConnectOptions("connect_timeout=2");
    } else {
        QDir().mkpath(QFileInfo(where.path).absolutePath());
        db.setDatabaseName(where.path);
        // A history locked by another program waits this long, then gives up.
        db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=200");
    }
    if (!db.open()) {
        if (why) *why = db.lastError().text().trimmed();
        return false;
    }
    if (!postgres_ &&
        (!exec("PRAGMA journal_mode=WAL", why) || !exec("PRAGMA synchronous=NORMAL", why) ||
         !exec("PRAGMA foreign_keys=ON", why)))
        return false;
    if (!migrate(version, why)) return false;
    version_ = this->version();
    return true;
}

int Store::version() {
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (!db.tables().contains("schema_version")) return 0;
    QSqlQuery q(db);
    return q.exec("SELECT MAX(version) FROM schema_version") && q.next() ? q.value(0).toInt() : -1;
}

// Two programs opening a new history at once: the first creates the schema, the other waits for
// it and finds it there.
bool Store::migrate(int target, QString* why) {
    const int current = version();
    if (current < 0) return exec("SELECT MAX(version) FROM schema_version", why);
    if (current >= target) return true;
    if (!exec(postgres_ ? "BEGIN" : "BEGIN IMMEDIATE", why)) return false;
    bool ok = !postgres_ || exec("SELECT pg_advisory_xact_lock(7303)", why);
    for (int step = version(); ok && step < target && step < int(kSteps.size()); ++step) {
        for (const QString& sql : kSteps[step])
            ok = ok && (sql == "%FILL_UIDS%" ? fillUids(why) : exec(sql, why));
        if (step == 1) ok = ok && fillPictures(why);
    }
    if (ok && exec("COMMIT", why)) return true;
    exec("ROLLBACK", nullptr);
    return false;
}

// Runs `change` once for every row `select` finds, with the values `bind` makes of the row.
bool Store::fillEach(const QString& select, const QString& change,
                     const std::function<QVariantList(const QSqlQuery&)>& bind, QString* why) {
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    QSqlQuery q(db), each(db);
    if (!q.exec(select)) {
        if (why) *why = lastError(q);
        return false;
    }
    each.prepare(change);
    while (q.next()) {
        for (const QVariant& v : bind(q)) each.addBindValue(v);
        if (!each.exec()) {
            if (why) *why = lastError(each);
            return false;
        }
    }
    return true;
}

// Pictures recorded before their table existed get their row from the event's own data.
bool Store::fillPictures(QString* why) {
    return fillEach(
        "SELECT id, data FROM events WHERE kind = 'picture'",
        "INSERT INTO pictures (event, number, sha256) VALUES (?, ?, ?)",
        [](const QSqlQuery& q) {
            const QJsonObject data = dataOf(q.value(1));
            return QVariantList{q.value(0).toLongLong(), data.value("number").toInt(),
                                data.value("sha256").toString()};
        },
        why);
}

// Events recorded before they carried an identity get one now.
bool Store::fillUids(QString* why) {
    return fillEach(
        "SELECT id FROM events", "UPDATE events SET uid = ? WHERE id = ?",
        [](const QSqlQuery& q) {
            return QVariantList{QUuid::createUuid().toString(QUuid::WithoutBraces),
                                q.value(0).toLongLong()};
        },
        why);
}

// Runs one of the writes' statements with its values. Each is prepared once a connection:
// preparing it anew costs the server two more round trips on every record.
QSqlQuery& Store::run(const QString& sql, const QVariantList& values) {
    auto it = statements_.find(sql);
    if (it == statements_.end()) {
        it = statements_.emplace(sql, QSqlQuery(QSqlDatabase::database(name_, false))).first;
        it->second.prepare(sql);
    }
    QSqlQuery& q = it->second;
    q.finish();
    for (int i = 0; i < values.size(); ++i) q.bindValue(i, values[i]);
    q.exec();
    return q;
}

// The run's visit of the event's camera, made by the first write that needs it.
qint64 Store::visitOf(const QString& run, const QString& bench, const Event& e, QString* why) {
    const bool once = version_ >= 3;
    QSqlQuery& q = this->run(
        QString("INSERT INTO visits (camera, bench, run, started, ended) VALUES (?, ?, ?, ?, ?) "
                "%1 RETURNING id")
            .arg(once ? "ON CONFLICT (run, camera) DO NOTHING" : ""),
        {e.camera, bench, run, e.at, e.at});
    if (q.isActive() && q.next()) return q.value(0).toLongLong();
    if (once && q.isActive()) {  // the visit is there already
        QSqlQuery& held =
            this->run("SELECT id FROM visits WHERE run = ? AND camera = ?", {run, e.camera});
        if (held.isActive() && held.next()) return held.value(0).toLongLong();
        if (why) *why = lastError(held);
        return 0;
    }
    if (why) *why = lastError(q);
    return 0;
}

// One event, and what it adds to the pictures; nothing when the store already holds it.
bool Store::writeOne(const Event& e, qint64 visit, bool made, QString* why) {
    auto failed = [why](const QSqlQuery& q) {
        if (why) *why = lastError(q);
        return false;
    };
    if (!made) {  // a visit just made ends with its first event already
        QSqlQuery& q =
            run("UPDATE visits SET ended = ? WHERE id = ? AND ended < ?", {e.at, visit, e.at});
        if (!q.isActive()) return failed(q);
    }
    const bool ids = version_ >= 3;
    QVariantList values{visit, e.at, e.kind, e.ok ? 1 : 0, dataText(e.data)};
    if (ids) values << (e.uid.isEmpty() ? QVariant() : QVariant(e.uid));
    QSqlQuery& q = run(
        QString("INSERT INTO events (visit, at, kind, ok, data%1) VALUES (?, ?, ?, ?, ?%2) "
                "%3 RETURNING id")
            .arg(ids ? ", uid" : "", ids ? ", ?" : "", ids ? "ON CONFLICT (uid) DO NOTHING" : ""),
        values);
    if (!q.isActive()) return failed(q);
    if (!q.next()) return true;  // no row: held already
    const qint64 event = q.value(0).toLongLong();
    if (e.kind == "picture" && version_ >= 2) {
        QSqlQuery& p =
            run("INSERT INTO pictures (event, number, sha256) VALUES (?, ?, ?)",
                {event, e.data.value("number").toInt(), e.data.value("sha256").toString()});
        if (!p.isActive()) return failed(p);
    } else if (e.kind == "saved" && version_ >= 2) {
        QSqlQuery& p =
            run("UPDATE pictures SET saved_to = ? WHERE event = (SELECT MAX(e.id) FROM events e"
                " JOIN pictures p ON p.event = e.id WHERE e.visit = ? AND p.number = ?)",
                {e.data.value("path").toString(), visit, e.data.value("number").toInt()});
        if (!p.isActive()) return failed(p);
    }
    return true;
}

bool Store::write(const QString& run, const QString& bench, const std::vector<Event>& events,
                  QHash<QString, qint64>& visits, QString* why) {
    if (!exec("BEGIN", why)) return false;
    QHash<QString, qint64> ids = visits, earlier;  // this run's visits; other runs' by run/camera
    bool ok = true;
    for (Event e : events) {
        if (e.at == 0) e.at = QDateTime::currentMSecsSinceEpoch();
        const bool mine = e.run.isEmpty() || e.run == run;
        qint64& visit = mine ? ids[e.camera] : earlier[e.run + "/" + e.camera];
        const bool made = visit == 0;
        if (made)
            visit =
                visitOf(mine ? run : e.run, mine || e.bench.isEmpty() ? bench : e.bench, e, why);
        ok = visit != 0 && writeOne(e, visit, made, why);
        if (!ok) break;
    }
    for (auto& statement : statements_) statement.second.finish();  // none open across COMMIT
    if (ok && exec("COMMIT", why)) {
        visits = ids;
        return true;
    }
    exec("ROLLBACK", nullptr);
    return false;
}

std::vector<CameraSeen> Store::cameras(QString* why) {
    QSqlQuery q(QSqlDatabase::database(name_, false));
    std::vector<CameraSeen> seen;
    if (!q.exec("SELECT camera, MIN(started), MAX(ended), COUNT(*) FROM visits GROUP BY camera"
                " ORDER BY camera")) {
        if (why) *why = lastError(q);
        return seen;
    }
    while (q.next())
        seen.push_back({q.value(0).toString(), q.value(1).toLongLong(), q.value(2).toLongLong(),
                        q.value(3).toInt()});
    return seen;
}

std::vector<Visit> Store::visits(const QString& camera, QString* why) {
    QSqlQuery q(QSqlDatabase::database(name_, false));
    q.setForwardOnly(true);
    q.prepare(
        "SELECT v.id, v.bench, v.started, v.ended, e.kind, e.ok, e.data, p.number, p.sha256,"
        " p.saved_to FROM visits v"
        " LEFT JOIN events e ON e.visit = v.id AND e.kind IN ('status', 'picture', 'splash', "
        "'fpga')"
        " LEFT JOIN pictures p ON p.event = e.id"
        " WHERE v.camera = ? ORDER BY v.started, v.id, e.id");
    q.addBindValue(camera);
    std::vector<Visit> out;
    if (!q.exec()) {
        if (why) *why = lastError(q);
        return out;
    }
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        if (out.empty() || out.back().id != id) {
            Visit& v = out.emplace_back();
            v.id = id;
            v.camera = camera;
            v.bench = q.value(1).toString();
            v.started = q.value(2).toLongLong();
            v.ended = q.value(3).toLongLong();
        }
        Visit& v = out.back();
        const QString kind = q.value(4).toString();
        if (q.value(5).toInt() == 0) continue;
        const QJsonObject data = dataOf(q.value(6));
        if (kind == "status") {
            ++v.statusReads;
            v.fields = data.value("fields").toObject();
        } else if (kind == "picture") {
            v.pictures.push_back(
                {q.value(7).toInt(), q.value(8).toString(), q.value(9).toString()});
        } else if (!kind.isEmpty()) {
            v.uploads.push_back(
                {kind, data.value("file").toString(), data.value("sha256").toString()});
        }
    }
    return out;
}

}  // namespace history

#pragma once
// The history database: its schema (created and migrated by a stored version), the writing of
// one operation's events in one transaction, and the queries of the history commands and views.
// One Store is one connection, used from the thread that opened it.

#include <QHash>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <map>
#include <vector>

#include "history/Location.h"

class QSqlQuery;

namespace history {

// A camera that gave no serial number: never told from another such camera.
inline const QString kNoSerial = QStringLiteral("none");
constexpr int kSchemaVersion = 3;

// One thing done with a camera: a status read, a clock set, a command, a picture, an upload...
struct Event {
    Event(QString kind = {}, QString camera = {}, bool ok = true, QJsonObject data = {},
          qint64 at = 0)
        : kind(std::move(kind)), camera(std::move(camera)), ok(ok), data(std::move(data)), at(at) {}

    QString kind;    // status, clock, command, picture, saved, delete, store, splash, fpga, serial
    QString camera;  // its serial number, or kNoSerial
    bool ok = true;  // the camera answered or acknowledged; the action completed
    QJsonObject data;
    qint64 at = 0;       // milliseconds since 1970 (UTC); 0: when written
    QString uid;         // made when it happened: the store keeps an event it already holds once
    QString run, bench;  // of an earlier run, written late; empty: the writing run's
};

struct PictureTaken {
    int number = 0;
    QString sha256;   // of the 76 800 pixel values
    QString savedTo;  // empty until saved
};

struct Upload {
    QString kind;  // splash or fpga
    QString file, sha256;
};

// One visit: the records of one program run with one camera.
struct Visit {
    qint64 id = 0;
    QString camera, bench;
    qint64 started = 0, ended = 0;
    QJsonObject fields;  // the last status read's values that are compared between visits
    int statusReads = 0;
    std::vector<PictureTaken> pictures;
    std::vector<Upload> uploads;  // the ones the camera took
};

struct CameraSeen {
    QString camera;
    qint64 first = 0, last = 0;
    int visits = 0;
};

class Store {
  public:
    Store();
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Opens, creates the schema or migrates it up to `version`. False with the reason.
    bool open(const Location& where, QString* why, int version = kSchemaVersion);
    int version();

    // Writes the events in one transaction. `visits` maps a camera to this run's visit; a camera
    // without one gets its run's visit (made if need be), added to the map only once the
    // transaction holds. An event whose uid the store already holds is left out, so a write
    // sent again after its answer was lost doubles nothing.
    bool write(const QString& run, const QString& bench, const std::vector<Event>& events,
               QHash<QString, qint64>& visits, QString* why);

    std::vector<CameraSeen> cameras(QString* why = nullptr);
    std::vector<Visit> visits(const QString& camera, QString* why = nullptr);  // oldest first

  private:
    bool exec(const QString& sql, QString* why);
    bool migrate(int version, QString* why);
    bool fillEach(const QString& select, const QString& change,
                  const std::function<QVariantList(const QSqlQuery&)>& bind, QString* why);
    bool fillPictures(QString* why);
    bool fillUids(QString* why);
    qint64 visitOf(const QString& run, const QString& bench, const Event& e, QString* why);
    bool writeOne(const Event& e, qint64 visit, bool made, QString* why);
    QSqlQuery& run(const QString& sql, const QVariantList& values);

    QString name_;
    std::map<QString, QSqlQuery> statements_;  // the writes', prepared once a connection
    bool postgres_ = false;
    int version_ = 0;  // as opened: a store kept at an older version writes what it has
};

}  // namespace history

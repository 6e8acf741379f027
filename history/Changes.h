#pragma once
// What changed between two visits of a camera, and the history as the commands print it.

#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "history/Store.h"

namespace history {

struct Change {
    QString what, before, after;
};

// A visit of a camera without a serial number is compared with none.
bool comparable(const Visit& v);
QString cameraText(const QString& camera);     // "no serial number" for such a camera
QJsonValue serialJson(const QString& camera);  // null for such a camera

// Every compared value that differs, the counters, readings, versions and sensor kit first.
std::vector<Change> changesSince(const Visit& before, const Visit& now);

QString timeText(qint64 msSinceEpoch);  // local "yyyy-MM-dd hh:mm:ss"
QString uploadText(const Upload& u);    // "splash start.bmp"

// `history`: one line per camera. `history SERIAL`: its visits newest first, each with what
// changed since the one before, pictures downloaded and uploads made.
QString camerasText(const std::vector<CameraSeen>& cameras);
QJsonArray camerasJson(const std::vector<CameraSeen>& cameras);
QString visitsText(const QString& camera, const std::vector<Visit>& oldestFirst);
QJsonArray visitsJson(const std::vector<Visit>& oldestFirst);

// The front screen's line after a connect.
QString lastSeenLine(const std::optional<Visit>& before, const Visit& now);
// The same for a camera without a serial number; `canGiveOne`: this edition can give it one.
QString noSerialLine(bool canGiveOne);

}  // namespace history

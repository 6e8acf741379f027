#pragma once
// What --json prints: one object per command, with the values its text output shows, built from
// the operations' results. Field names are snake_case; a unit is the end of its field's name.

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "camera/Connection.h"
#include "link/PortDiscovery.h"
#include "status/TimeDate.h"

struct LinkHealth;
struct StatusRecord;

// The decoded status fields in the order the Camera Setup Summary shows them.
std::vector<std::pair<QString, QJsonValue>> statusFields(const StatusRecord& record);
// Those fields, and the Camera Setup Summary's text as printed.
QJsonObject statusJson(const camera::StatusRead& read);
// Each port of the map, and the entries the port lists offer.
QJsonObject portsJson(const std::vector<PortReport>& ports, const QStringList& portList);
// The clock sent to the camera, and whether it took it.
QJsonObject clockJson(const ClockValues& clock, bool accepted);

// One picture of a download: "saved", "skipped" (already saved) or "failed"; its transfer health
// when it went over the line.
struct PictureJson {
    int number = 0;  // 0: the splash picture
    QString path, format, palette, result;
    const LinkHealth* health = nullptr;
};
// Appends it to `json`'s "pictures".
void addPictureJson(QJsonObject& json, const PictureJson& picture);

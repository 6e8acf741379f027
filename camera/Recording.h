#pragma once
// What the operations hand to the service history: one plain event per thing done, written when
// the operation ends. Nothing here shows anything or stops an operation.

#include <QByteArray>
#include <QJsonObject>
#include <optional>

#include "history/Recorder.h"
#include "status/StatusRecord.h"

namespace camera {

class Camera;

// The operation's events are written together when it leaves.
class Recording : public history::RecordScope {
  public:
    explicit Recording(Camera& camera);
};

QString sha256Hex(const QByteArray& bytes);
// The values compared between visits, by name.
QJsonObject statusFields(const StatusRecord& r);

void recordEvent(Camera& camera, const QString& kind, bool ok, QJsonObject data);
// A status read: the block as it came, and what it decoded to (nothing: no usable answer).
void recordStatus(Camera& camera, const QByteArray& block, const std::optional<StatusRecord>& r);
// Sends the row CommandIndex selects, as Transmit does, and records it with whether the camera
// acknowledged it. Returns that.
bool transmitRecorded(Camera& camera);
// A register command already sent, with whether the camera answered with a value.
void recordRegisterCommand(Camera& camera, bool answered);
// Where a downloaded picture was saved.
void recordSaved(Camera& camera, int number, const QString& path);

// The front screen's line after a connect: when this camera was last seen and what changed, or
// why the history is not being recorded. Empty when the history is off.
QString lastSeenLine(Camera& camera);

}  // namespace camera

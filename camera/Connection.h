#pragma once
// Reaching the camera: the link's start-up, the port and speed choices, and the status read
// that "CONNECT TO CAMERA" and "Get report" start.

#include <QDateTime>
#include <QString>
#include <optional>

#include "camera/Outcome.h"
#include "status/StatusRecord.h"

namespace camera {

class Camera;

// What the program's load does for the link: probes ports 1 to 5 (a device we may not open is
// reported), takes port 1 and loads the port settings and the command table. A front end that
// knows the one port it will use probes only that one (`probe`), or none (kProbeNone).
constexpr int kProbeAll = 0, kProbeNone = -1;
Outcome startLink(Camera& camera, int probe = kProbeAll);

// The port list's text for port n as typed into it; for 0, the list's first entry.
QString portChoiceText(Camera& camera, int n);
// "Set" with port n typed into the list.
void choosePort(Camera& camera, int n);
// The speed buttons: 115200 or 19200.
void chooseSpeed(Camera& camera, int baud);

struct StatusRead {
    std::optional<StatusRecord> record;  // empty: the camera did not answer
    QString report;                      // the Camera Setup Summary, when asked for
    Outcome outcome;
    bool silent = false;  // the request went out and no block came back
};

// Port n as asked for by number, tried before anything is sent: a number that means no device,
// a device that does not exist, one we may not open or one another program holds fails with one
// message naming the ports there are, the device or its holder.
Outcome checkPort(Camera& camera, int n);

// The status request on the port the list's text chooses, asked again while the line damages
// the block (CommsEngine::kRequestsPerReply requests in all). Records nothing; the port is left
// open. `record` is empty when no good block came; `silent` when the last request had no answer.
struct StatusReply {
    QByteArray block;  // the last block as it came
    std::optional<StatusRecord> record;
    bool silent = false;
};
StatusReply requestStatus(Camera& camera, const QString& portText,
                          const StatusCarryOver& previous = {});

// Asks for the status block on the port the list's text chooses and decodes it. The shared
// values a read sets (serial number, firmware, picture count, unit, colouration) are set; a
// damaged block counts as no answer ("Communication error with camera", StatusCommsError).
// StatusReadBusy is set while it runs and the port is closed afterwards.
StatusRead readStatus(Camera& camera, const QString& portText, bool report,
                      const QDateTime& now = QDateTime::currentDateTime());

// The read on port n as asked for (0: the list's first entry, unchecked); a port that fails
// checkPort is told and counts as a failed read, with nothing sent.
StatusRead readStatusOnPort(Camera& camera, int n, bool report);

// "Get report": the read, then the follow-up row.
StatusRead requestReport(Camera& camera, const QString& portText,
                         const QDateTime& now = QDateTime::currentDateTime());

// The advanced form's connect decides on the number read: up to 15000 it stands; above, it
// cannot be right, is forgotten ("Not Specified") and the serial-number entry opens.
struct SerialCheck {
    int32_t number = 0;  // as read
    bool openEntry = false;
};
StatusRead connectAdvanced(Camera& camera, const QString& portText, SerialCheck& check);

}  // namespace camera

#include "camera/Connection.h"

#include "app/SharedState.h"
#include "app/Wait.h"
#include "camera/Camera.h"
#include "camera/PictureStore.h"
#include "camera/Recording.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"
#include "link/PortDiscovery.h"
#include "status/SetupReport.h"

namespace camera {

namespace {

// Clears StatusReadBusy and closes the port however the read ends.
class ReadScope {
  public:
    ReadScope(SharedState& s, SerialPort& port) : s_(s), port_(port) { s_.StatusReadBusy = true; }
    ~ReadScope() {
        try {
            if (port_.portOpen()) port_.setPortOpen(false);
        } catch (const CommError&) {
        }
        s_.StatusReadBusy = false;
    }

  private:
    SharedState& s_;
    SerialPort& port_;
};

// Writes the status request and waits for the block. False when the port could not be opened
// (nothing is written then) or, `silent` set, the camera did not answer in time.
bool requestStatusBlock(Camera& c, const QString& portText, QByteArray& block, bool& silent) {
    if (stopRequested()) return false;
    SerialPort& port = c.engine().port();
    try {
        OpenPortForStatusRequest(port, c.dialogs(), c.state().PortPresent, portText);
        if (!port.portOpen()) return false;
        for (const QByteArray& piece : statusRequestWrites(Framing::from(c.state())))
            port.output(piece);
    } catch (const CommError& e) {
        c.engine().reportPortError(e);
        return false;
    }
    block = c.engine().ReceivePacket(kStatusBlockLength);
    silent = block == kResend || block == kCommsTimeout;
    return !silent;
}

void keep(SharedState& s, const StatusRecord& r) {
    s.CameraSerialNumber = r.CameraSerialNumber;
    s.StatusSerialNumber = r.StatusSerialNumber;
    s.SerialNumberText = r.SerialNumberText;
    s.NewFirmware = r.NewFirmware;
    s.OldFirmware = r.OldFirmware;
    s.StoredImageCount = r.StoredImageCount;
    s.StoredImageCountRaw = r.StoredImageCountRaw;
    s.TempUnitText = r.TempUnitText;
    s.TempUnitLetter = r.TempUnitLetter;
    s.ColourationText = r.ColourationText;
}

}  // namespace

StatusReply requestStatus(Camera& c, const QString& portText, const StatusCarryOver& previous) {
    // A block the line damaged would show wrong values as the camera's: it is asked for again,
    // and counts as no answer in the end.
    StatusReply reply;
    for (int request = 1; request <= CommsEngine::kRequestsPerReply; ++request) {
        reply.block.clear();
        if (request > 1) c.engine().askingAgain("status block", request);
        if (!requestStatusBlock(c, portText, reply.block, reply.silent)) break;
        reply.record = decodeStatusBlock(reply.block, previous);
        if (reply.record && reply.record->ChecksumOk) break;
        reply.record.reset();
    }
    return reply;
}

Outcome startLink(Camera& c, int probe) {
    Outcome out;
    const QStringList problems =
        probe == kProbeNone ? QStringList() : DetectPorts(c.state(), c.ports(), probe);
    for (const QString& problem : problems)
        out.tell({problem, "Orvik 3: Error", MsgIcon::Exclamation});
    try {
        c.port().setCommPort(1);
    } catch (const CommError&) {
        // Only an open port refuses a new number, and nothing has opened it yet.
    }
    if (!c.load()) out.tell({"Port unavailable - select another", "Orvik 3", MsgIcon::None});
    return out;
}

QString portChoiceText(Camera& c, int n) {
    return n != 0 ? QString::number(n) : portListEntries(c.state().PortPresent).value(0);
}

void choosePort(Camera& c, int n) {
    ApplyPortChoice(c.port(), c.dialogs(), portChoiceText(c, n));
}

void chooseSpeed(Camera& c, int baud) {
    c.engine().port().setSettings(settingsForSpeed(baud));
}

StatusRead readStatus(Camera& c, const QString& portText, bool report, const QDateTime& now) {
    SharedState& s = c.state();
    Recording recording(c);
    ReadScope scope(s, c.engine().port());
    s.StatusCommsError = false;  // it tells of the last read, not of any read before
    StatusRead read;
    const StatusCarryOver previous{s.CameraSerialNumber, s.StatusSerialNumber, s.SerialNumberText,
                                   s.NewFirmware, s.OldFirmware};
    StatusReply reply = requestStatus(c, portText, previous);
    const QByteArray& block = reply.block;
    read.record = std::move(reply.record);
    read.silent = reply.silent;
    if (!read.record) {
        s.StatusCommsError = true;
        read.outcome.ok = false;
        // A read the user stopped is no communication error.
        if (!stopRequested())
            read.outcome.tell({images::text::kCommsError, "Orvik 3", MsgIcon::Exclamation});
        recordStatus(c, block, read.record);
        return read;
    }
    c.engine().commandSucceeded();
    recordStatus(c, block, read.record);
    keep(s, *read.record);
    if (report) read.report = setupReportText(*read.record, now);
    return read;
}

Outcome checkPort(Camera& c, int n) {
    Outcome out;
    if (c.ports().device(n).isEmpty())
        return out.fail({noDeviceText(c.ports(), n), "Orvik 3: Error", MsgIcon::Exclamation});
    QtSerialPort trial(c.ports());
    try {
        trial.setCommPort(n);
        trial.setPortOpen(true);
        trial.setPortOpen(false);
    } catch (const CommError& e) {
        const QString text = portErrorText(e);  // the rest: a device there before has gone
        out.fail({text.isEmpty() ? CommsEngine::kCameraGone : text, "Orvik 3: Error",
                  MsgIcon::Exclamation});
    }
    return out;
}

StatusRead readStatusOnPort(Camera& c, int n, bool report) {
    if (n == 0) return readStatus(c, portChoiceText(c, n), report);
    StatusRead read;
    read.outcome = checkPort(c, n);
    if (read.outcome.ok) return readStatus(c, portChoiceText(c, n), report);
    c.state().StatusCommsError = true;
    return read;
}

StatusRead requestReport(Camera& c, const QString& portText, const QDateTime& now) {
    StatusRead read = readStatus(c, portText, true, now);
    c.state().CommandIndex = Row::StatusFollowUp;
    Constants(c.state());
    c.engine().Transmit();
    return read;
}

StatusRead connectAdvanced(Camera& c, const QString& portText, SerialCheck& check) {
    SharedState& s = c.state();
    s.AdvancedConnect = true;
    s.CameraSerialNumber = 0;
    StatusRead read = readStatus(c, portText, true);
    check.number = s.CameraSerialNumber;
    check.openEntry = check.number > 15000;
    if (check.openEntry) {
        s.CameraSerialNumber = 0;
        s.SerialNumberText = "Not Specified";
    }
    return read;
}

}  // namespace camera

#include "camera/Recording.h"

#include <QCryptographicHash>

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Thresholds.h"
#include "history/Changes.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"

namespace camera {

namespace {

QString commandKind(int row) {
    switch (row) {
        case Resets::ColdWarm:
        case Resets::RunTime:
            return "counter";
        case Resets::Humidity:
        case Resets::Heatsink:
        case Resets::ResetCamera:
        case Resets::RestoreDefaults:
        case Resets::WriteFactoryDefaults:
        case Resets::WriteNvr:
            return "reset";
        case Row::Humidity:
        case Row::Heatsink:
        case Row::HumidityFlag:
            return "threshold";
        case Row::VemraRead:
        case Row::VemraWrite:
        case Row::VemraSave:
        case Row::VemraAtt:
            return "console";
        default:
            return "setting";
    }
}

void recordCommand(Camera& camera, bool acknowledged) {
    const SharedState& s = camera.state();
    const auto& row = s.CommandTable[s.CommandIndex];
    QByteArray sent;
    for (int i = 1; i <= s.CommandLength + 1 && i < int(row.size()); ++i) sent += char(row[i]);
    recordEvent(camera, "command", acknowledged,
                {{"what", commandKind(s.CommandIndex)},
                 {"row", int(s.CommandIndex)},
                 {"sent", QString::fromLatin1(sent.toHex(' '))},
                 {"acknowledged", acknowledged}});
}

QString cameraOf(const StatusRecord& r) {
    return r.SerialNumberInBlock ? QString::number(r.StatusSerialNumber) : history::kNoSerial;
}

}  // namespace

Recording::Recording(Camera& camera) : history::RecordScope(camera.history()) {}

QString sha256Hex(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QJsonObject statusFields(const StatusRecord& r) {
    return {
        {"run time", QString("%1:%2").arg(r.RunTimeHours).arg(r.RunTimeMinutes, 2, 10, QChar('0'))},
        {"warm starts", r.WarmStartCount},
        {"cold starts", r.ColdStartCount},
        {"greatest humidity", r.MaxHumidityPercent},
        {"greatest heatsink", r.MaxHeatsinkCelsius},
        {"micro firmware", r.MicroVersionText},
        {"camera FPGA", r.CameraFpgaVersionText},
        {"lens FPGA", r.LensFpgaVersionText},
        {"sensor kit", r.SensorKit},
        {"gain", r.GainValue},
        {"offset", r.OffsetValue},
        {"iris pulse width", r.IrisPulseWidthValue},
        {"zoom", r.CustomerZoom},
        {"ambient display", r.CustomerAmbientDisplay},
        {"spot display", r.CustomerSpotDisplay},
        {"display in Celsius", r.CustomerDisplayCelsius},
        {"transmitter", r.CustomerTransmitter},
        {"time and date display", r.CustomerTimeDate},
        {"custom splash screen", r.CustomSplashScreen},
        {"spot sensor", r.FactorySpotSensor},
        {"ambient sensor", r.FactoryAmbientSensor},
        {"transmitter channels", r.TxChannelCount},
        {"video standard", r.VideoStandardText},
        {"humidity alarm", r.HumidityAlarmEnabled},
        {"humidity on threshold", r.HumidityOnThreshold},
        {"humidity off threshold", r.HumidityOffThreshold},
        {"overtemp low on threshold", r.OverTempLowOnThreshold},
        {"overtemp low off threshold", r.OverTempLowOffThreshold},
        {"overtemp high on threshold", r.OverTempHighOnThreshold},
        {"overtemp high off threshold", r.OverTempHighOffThreshold},
        {"LCD colour", r.LcdColour},
        {"LCD brightness", r.LcdBrightness},
        {"LCD contrast", r.LcdContrast},
        {"unit", r.TempUnitText},
        {"colouration", r.ColourationText},
    };
}

void recordEvent(Camera& camera, const QString& kind, bool ok, QJsonObject data) {
    if (history::Recorder* r = camera.history()) r->add({kind, QString(), ok, std::move(data)});
}

void recordStatus(Camera& camera, const QByteArray& block, const std::optional<StatusRecord>& r) {
    history::Recorder* recorder = camera.history();
    // A read nobody answered before any camera did tells of no camera: there is no visit for it.
    if (!recorder || (!r && recorder->camera().isEmpty())) return;
    QJsonObject data{{"block", QString::fromLatin1(block.toHex())}};
    if (r) {
        recorder->setCamera(cameraOf(*r));
        data["fields"] = statusFields(*r);
        const auto reading = [](const std::optional<double>& v) {
            return v ? QJsonValue(*v) : QJsonValue();
        };
        data["readings"] = QJsonObject{{"humidity", reading(r->HumidityNowPercent)},
                                       {"heatsink", reading(r->HeatsinkNowCelsius)},
                                       {"stored pictures", r->StoredImageCount},
                                       {"warning", r->WarningText}};
    }
    recordEvent(camera, "status", r.has_value(), data);
}

bool transmitRecorded(Camera& camera) {
    SharedState& s = camera.state();
    s.LastReply.clear();
    camera.engine().Transmit();
    const bool ack = s.LastReply.contains(cameraAck());
    recordCommand(camera, ack);
    return ack;
}

void recordRegisterCommand(Camera& camera, bool answered) {
    recordCommand(camera, answered);
}

void recordSaved(Camera& camera, int number, const QString& path) {
    recordEvent(camera, "saved", true, {{"number", number}, {"path", path}});
}

QString lastSeenLine(Camera& camera) {
    history::Recorder* r = camera.history();
    if (!r) return {};
    if (!r->recording()) return r->problem();
    if (r->camera() == history::kNoSerial)
        return history::noSerialLine(!camera.state().CustomerMode);
    history::Visit now;
    const std::optional<history::Visit> before = r->previousVisit(r->camera(), &now);
    return history::lastSeenLine(before, now);
}

}  // namespace camera

#include "cli/JsonOutput.h"

#include <QJsonArray>
#include <optional>

#include "app/SharedState.h"
#include "status/StatusRecord.h"

namespace {

QJsonValue reading(const std::optional<double>& value) {
    return value ? QJsonValue(*value) : QJsonValue();
}

void addIdentity(QJsonObject& o, const StatusRecord& r) {
    o["serial_number"] = serialNumberShown(r.CameraSerialNumber, r.SerialNumberText);
    o["micro_version"] = r.MicroVersionText;
    o["camera_fpga_version"] = r.CameraFpgaVersionText;
    o["lens_fpga_version"] = r.LensFpgaVersionText;
    o["sensor"] = r.SensorKit;
    o["video_standard"] = r.VideoStandardText;
    o["run_time_hours"] = r.RunTimeHours;
    o["run_time_mins"] = r.RunTimeMinutes;
}

void addEnvironment(QJsonObject& o, const StatusRecord& r) {
    o["humidity_alarm_enabled"] = r.HumidityAlarmEnabled;
    o["max_humidity_percent"] = r.MaxHumidityPercent;
    o["humidity_now_percent"] = reading(r.HumidityNowPercent);
    o["max_heatsink_temp_c"] = r.MaxHeatsinkCelsius;
    o["heatsink_temp_now_c"] = reading(r.HeatsinkNowCelsius);
    // Gain and offset are a BST sensor's only.
    const bool bst = r.SensorKit == QLatin1String("BST 200") || r.SensorKit == "BST 205";
    o["gain"] = bst ? QJsonValue(r.GainValue) : QJsonValue();
    o["offset"] = bst ? QJsonValue(r.OffsetValue) : QJsonValue();
}

void addSettings(QJsonObject& o, const StatusRecord& r) {
    o["lcd_colour"] = r.LcdColour;
    o["lcd_brightness"] = r.LcdBrightness;
    o["lcd_contrast"] = r.LcdContrast;
    o["iris_pulse_width"] = r.IrisPulseWidthValue;
    o["cold_starts"] = r.ColdStartCount;
    o["warm_starts"] = r.WarmStartCount;
    o["factory_ambient_sensor"] = r.FactoryAmbientSensor;
    o["factory_spot_sensor"] = r.FactorySpotSensor;
    o["factory_transmitter"] = r.FactoryTransmitter;
    o["transmitter_channels"] = r.TxChannelCount;
    o["zoom"] = r.CustomerZoom;
    o["time_date_display"] = r.CustomerTimeDate;
    o["ambient_display"] = r.CustomerAmbientDisplay;
    o["spot_display"] = r.CustomerSpotDisplay;
    o["transmitter"] = r.CustomerTransmitter;
    o["colouration"] = r.ColourationText;
    o["custom_splash_screen"] = r.CustomSplashScreen;
    o["pictures_stored"] = r.StoredImageCount;
    o["temperature_unit"] = r.TempUnitText;
    o["warning"] = r.WarningText;
}

void addThresholds(QJsonObject& o, const StatusRecord& r) {
    o["humidity_adc_on_threshold"] = r.HumidityOnThreshold;
    o["humidity_adc_off_threshold"] = r.HumidityOffThreshold;
    o["over_temp_adc_low_on_threshold"] = r.OverTempLowOnThreshold;
    o["over_temp_adc_low_off_threshold"] = r.OverTempLowOffThreshold;
    o["over_temp_adc_high_on_threshold"] = r.OverTempHighOnThreshold;
    o["over_temp_adc_high_off_threshold"] = r.OverTempHighOffThreshold;
}

QJsonObject healthJson(const LinkHealth& h) {
    return {{"packets", h.packets},   {"nak1", h.nak1},       {"nak2", h.nak2},
            {"timeouts", h.timeouts}, {"resends", h.resends}, {"patched", h.patched}};
}

}  // namespace

QJsonObject statusJson(const camera::StatusRead& read) {
    QJsonObject o;
    if (!read.record) return o;
    addIdentity(o, *read.record);
    addEnvironment(o, *read.record);
    addSettings(o, *read.record);
    addThresholds(o, *read.record);
    o["report"] = QString(read.report).replace("\r\n", "\n");
    return o;
}

QJsonObject portsJson(const std::vector<PortReport>& ports, const QStringList& portList) {
    QJsonArray list;
    for (const PortReport& r : ports)
        list.append(QJsonObject{{"number", r.number},
                                {"device", r.device},
                                {"system_device", r.systemDevice},
                                {"description", r.description},
                                {"serial_number", r.serialNumber},
                                {"opens", r.opened},
                                {"present", r.present},
                                {"low_latency", r.lowLatency},
                                {"problem", r.problem}});
    QJsonArray entries;
    for (const QString& entry : portList) entries.append(entry.toInt());
    return {{"ports", list}, {"port_list", entries}};
}

QJsonObject clockJson(const ClockValues& c, bool accepted) {
    const QString at = QString("%1-%2-%3 %4:%5")
                           .arg(c.year)
                           .arg(c.month, 2, 10, QChar('0'))
                           .arg(c.day, 2, 10, QChar('0'))
                           .arg(c.hour, 2, 10, QChar('0'))
                           .arg(c.minute, 2, 10, QChar('0'));
    return {{"time_date", at}, {"accepted", accepted}};
}

void addPictureJson(QJsonObject& json, const PictureJson& p) {
    QJsonObject o{{"number", p.number},
                  {"path", p.path},
                  {"format", p.format},
                  {"palette", p.palette},
                  {"result", p.result}};
    if (p.health) o["transfer_health"] = healthJson(*p.health);
    QJsonArray pictures = json["pictures"].toArray();
    pictures.append(o);
    json["pictures"] = pictures;
}

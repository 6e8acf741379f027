#include "cli/JsonOutput.h"

#include <QJsonArray>
#include <optional>

#include "app/LinkObserver.h"
#include "app/SharedState.h"
#include "status/StatusRecord.h"

namespace {

QJsonValue reading(const std::optional<double>& value) {
    return value ? QJsonValue(*value) : QJsonValue();
}

}  // namespace

std::vector<std::pair<QString, QJsonValue>> statusFields(const StatusRecord& r) {
    // Gain and offset are a BST sensor's only.
    const bool bst = r.SensorKit == QLatin1String("BST 200") || r.SensorKit == "BST 205";
    return {{"serial_number", serialNumberShown(r.CameraSerialNumber, r.SerialNumberText)},
            {"micro_version", r.MicroVersionText},
            {"camera_fpga_version", r.CameraFpgaVersionText},
            {"lens_fpga_version", r.LensFpgaVersionText},
            {"sensor", r.SensorKit},
            {"video_standard", r.VideoStandardText},
            {"run_time_hours", r.RunTimeHours},
            {"run_time_mins", r.RunTimeMinutes},
            {"humidity_alarm_enabled", r.HumidityAlarmEnabled},
            {"max_humidity_percent", r.MaxHumidityPercent},
            {"humidity_now_percent", reading(r.HumidityNowPercent)},
            {"max_heatsink_temp_c", r.MaxHeatsinkCelsius},
            {"heatsink_temp_now_c", reading(r.HeatsinkNowCelsius)},
            {"gain", bst ? QJsonValue(r.GainValue) : QJsonValue()},
            {"offset", bst ? QJsonValue(r.OffsetValue) : QJsonValue()},
            {"lcd_colour", r.LcdColour},
            {"lcd_brightness", r.LcdBrightness},
            {"lcd_contrast", r.LcdContrast},
            {"iris_pulse_width", r.IrisPulseWidthValue},
            {"cold_starts", r.ColdStartCount},
            {"warm_starts", r.WarmStartCount},
            {"factory_ambient_sensor", r.FactoryAmbientSensor},
            {"factory_spot_sensor", r.FactorySpotSensor},
            {"factory_transmitter", r.FactoryTransmitter},
            {"transmitter_channels", r.TxChannelCount},
            {"zoom", r.CustomerZoom},
            {"time_date_display", r.CustomerTimeDate},
            {"ambient_display", r.CustomerAmbientDisplay},
            {"spot_display", r.CustomerSpotDisplay},
            {"transmitter", r.CustomerTransmitter},
            {"colouration", r.ColourationText},
            {"custom_splash_screen", r.CustomSplashScreen},
            {"pictures_stored", r.StoredImageCount},
            {"temperature_unit", r.TempUnitText},
            {"warning", r.WarningText},
            {"humidity_adc_on_threshold", r.HumidityOnThreshold},
            {"humidity_adc_off_threshold", r.HumidityOffThreshold},
            {"over_temp_adc_low_on_threshold", r.OverTempLowOnThreshold},
            {"over_temp_adc_low_off_threshold", r.OverTempLowOffThreshold},
            {"over_temp_adc_high_on_threshold", r.OverTempHighOnThreshold},
            {"over_temp_adc_high_off_threshold", r.OverTempHighOffThreshold}};
}

QJsonObject statusJson(const camera::StatusRead& read) {
    QJsonObject o;
    if (!read.record) return o;
    for (const auto& [key, value] : statusFields(*read.record)) o[key] = value;
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

// --json against the text output of the same commands, field for field, and the text chunks of
// a saved PNG against the picture's header.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtEndian>

#include "sim/SimCamera.h"
#include "tests/support/RunProgram.h"

namespace {

ProgramResult orvik3(const QStringList& args) {
    return runProgram(QCoreApplication::applicationDirPath() + "/../bin/orvik3", args);
}
QJsonObject json(const QStringList& args) {
    const ProgramResult r = orvik3(args + QStringList{"--json"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
}

// A value as the report writes it: booleans in its words, the unit its field's name ends in.
QString reportValue(const QString& key, const QJsonValue& v) {
    if (v.isBool())
        return v.toBool() ? (key.endsWith("enabled") ? "Enabled" : "ON")
                          : (key.endsWith("enabled") ? "Disabled" : "OFF");
    const QString text = v.isDouble() ? QString::number(v.toDouble()) : v.toString();
    const QHash<QString, QString> units = {
        {"hours", " Hrs"}, {"mins", " Mins"}, {"percent", " %"}, {"c", " \u00b0C"}};
    return (key == "temperature_unit" ? "Degrees " : "") + text + units.value(key.section('_', -1));
}

TEST(JsonOutput, CarriesTheValuesOfTheTextOutput) {
    const QString text = orvik3({"--simulate", "status"}).out;
    const QJsonObject status = json({"--simulate", "status"});
    EXPECT_EQ(status["report"].toString().section('\n', 3), text.section('\n', 3));  // date on
    const QStringList keys =
        QString(
            "serial_number micro_version camera_fpga_version lens_fpga_version sensor "
            "video_standard "
            "run_time_hours run_time_mins humidity_alarm_enabled max_humidity_percent "
            "humidity_now_percent max_heatsink_temp_c heatsink_temp_now_c gain offset lcd_colour "
            "lcd_brightness lcd_contrast iris_pulse_width cold_starts warm_starts "
            "factory_ambient_sensor factory_spot_sensor factory_transmitter transmitter_channels "
            "zoom "
            "time_date_display ambient_display spot_display transmitter colouration "
            "custom_splash_screen pictures_stored temperature_unit warning "
            "humidity_adc_on_threshold "
            "humidity_adc_off_threshold over_temp_adc_low_on_threshold "
            "over_temp_adc_low_off_threshold "
            "over_temp_adc_high_on_threshold over_temp_adc_high_off_threshold")
            .split(' ');
    QStringList values;  // the report's values in its order, the serial number first
    for (const QString& line : text.split('\n'))
        if (line.startsWith("Serial Number: ") || line.contains("= "))
            values << line.section(QRegularExpression("^Serial Number: |= "), 1);
    ASSERT_EQ(values.size(), keys.size()) << text.toStdString();
    for (int i = 0; i < keys.size(); ++i)
        EXPECT_EQ(reportValue(keys[i], status[keys[i]]), values[i]) << keys[i].toStdString();
    EXPECT_EQ(status.size(), keys.size() + 1);

    EXPECT_EQ(json({"--simulate", "pictures"})["pictures_stored"], status["pictures_stored"]);
    EXPECT_EQ(json({"--simulate", "set-time", "--at", "2031-02-03 04:05"}),
              (QJsonObject{{"time_date", "2031-02-03 04:05"}, {"accepted", true}}));
    const QJsonObject port = json({"--simulate", "ports"})["ports"][0].toObject();
    EXPECT_TRUE(
        orvik3({"--simulate", "ports"})
            .out.startsWith(
                QString("1 = %1  (present, low latency: no)\n").arg(port["device"].toString())));
    EXPECT_EQ(port["present"], true);
}

// The tEXt chunks of a PNG file, read here: Qt's reader keeps no key with a space in it.
QMap<QString, QString> pngTexts(const QString& path) {
    QFile f(path);
    const QByteArray png = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    QMap<QString, QString> texts;
    for (qsizetype at = 8, size = 0; at + 12 <= png.size(); at += size + 12) {
        size = qFromBigEndian<quint32>(png.constData() + at);
        const QString chunk = QString::fromLatin1(png.mid(at + 8, size));
        if (png.mid(at + 4, 4) == "tEXt")
            texts[chunk.section(QChar(0), 0, 0)] = chunk.section(QChar(0), 1);
    }
    return texts;
}

TEST(JsonOutput, DownloadNamesEachPictureAndItsPngCarriesItsFacts) {
    camsim::Options unpaced;
    unpaced.paced = false;
    camsim::SimCamera camera(unpaced, camsim::SimCamera::defaultState());
    QTemporaryDir dir;
    const QString path = dir.filePath("p3.png");
    const QStringList args = {"--port",   "1=" + QString::fromStdString(camera.devicePath()),
                              "download", "3",
                              "--out",    path};
    const QJsonObject saved = json(args)["pictures"][0].toObject();
    EXPECT_EQ(saved["path"], path);
    EXPECT_EQ(saved["format"], "png");
    EXPECT_EQ(saved["palette"], "Grey scale, white hot");
    EXPECT_EQ(saved["transfer_health"]["packets"], 2400);
    EXPECT_EQ(json(args)["pictures"][0]["result"], "skipped");

    const QMap<QString, QString> png = pngTexts(path);
    const auto h = camsim::SimCamera::defaultState().pictures.at(2).header;
    EXPECT_EQ(png["Creation Time"],
              QString::asprintf("%c%c/%c%c/%c%c %c%c:%c%c:%c%c", h[6], h[7], h[8], h[9], h[10],
                                h[11], h[0], h[1], h[2], h[3], h[4], h[5]));
    EXPECT_EQ(png["Battery"], QString("%1 of 6").arg(QChar(h[12])));
    QString spot;  // value-form digits, 63 for a place left empty
    for (int i = 13; i < 16; ++i) spot += h[i] == 63 ? QString() : QString::number(h[i]);
    EXPECT_EQ(png["Spot"], spot + (h[16] == 12 ? "\u00b0C" : "\u00b0F"));
    EXPECT_EQ(png["Camera serial number"], "10234");
    EXPECT_EQ("orvik3 " + png["Software"].section(' ', -1) + "\n", orvik3({"--version"}).out);
}

}  // namespace

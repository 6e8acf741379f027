// --json against the text of the same commands, field for field, and a saved PNG's text chunks
// against the picture's header.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtEndian>

#include "cli/JsonOutput.h"
#include "sim/SimCamera.h"
#include "tests/support/RunProgram.h"

namespace {

ProgramResult orvik3(const QStringList& args) {
    return runProgram(QCoreApplication::applicationDirPath() + "/../bin/orvik3", args);
}
QJsonObject json(const QStringList& args) {
    return QJsonDocument::fromJson(orvik3(args + QStringList{"--json"}).out.toUtf8()).object();
}

// A value as the report writes it: booleans in its words, the unit its field's name ends in.
QString reportValue(const QString& key, const QJsonValue& v) {
    const bool enabled = key.endsWith("enabled");
    if (v.isBool())
        return v.toBool() ? (enabled ? "Enabled" : "ON") : (enabled ? "Disabled" : "OFF");
    const QHash<QString, QString> units = {
        {"hours", " Hrs"}, {"mins", " Mins"}, {"percent", " %"}, {"c", " \u00b0C"}};
    return (key == "temperature_unit" ? "Degrees " : "") +
           (v.isDouble() ? QString::number(v.toDouble()) : v.toString()) +
           units.value(key.section('_', -1));
}

TEST(JsonOutput, CarriesTheValuesOfTheTextOutput) {
    const QString text = orvik3({"--simulate", "status"}).out;
    const QJsonObject status = json({"--simulate", "status"});
    EXPECT_EQ(status["report"].toString().section('\n', 3), text.section('\n', 3));  // date on
    QStringList values;  // the report's values in its order, the serial number first
    for (const QString& line : text.split('\n'))
        if (line.startsWith("Serial Number: ") || line.contains("= "))
            values << line.section(QRegularExpression("^Serial Number: |= "), 1);
    const auto fields = statusFields(StatusRecord{});  // their names in the report's order
    ASSERT_EQ(values.size(), fields.size());
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(reportValue(fields[i].first, status[fields[i].first]), values[i]) << i;

    EXPECT_EQ(json({"--simulate", "pictures"})["pictures_stored"], status["pictures_stored"]);
    EXPECT_EQ(json({"--simulate", "set-time", "--at", "2031-02-03 04:05"})["time_date"],
              "2031-02-03 04:05");
}

TEST(JsonOutput, PortsAndDownloadAndThePngsFacts) {
    camsim::Options unpaced;
    unpaced.paced = false;
    camsim::SimCamera camera(unpaced, camsim::SimCamera::defaultState());
    const QString port = "1=" + QString::fromStdString(camera.devicePath());
    const QJsonValue listed = json({"--port", port, "ports"})["ports"][0];
    EXPECT_EQ(orvik3({"--port", port, "ports"}).out.section('\n', 0, 0),
              QString("1 = %1  (%2, low latency: %3)")
                  .arg(listed["device"].toString(), listed["present"].toBool() ? "present" : "-",
                       listed["low_latency"].toBool() ? "yes" : "no"));
    EXPECT_EQ("1=" + listed["device"].toString(), port);
    QTemporaryDir dir;
    const QString path = dir.filePath("p3.png");
    const QStringList args = {"--port", port, "download", "3", "--out", path};
    const QJsonValue saved = json(args)["pictures"][0];
    EXPECT_EQ(saved["path"].toString() + saved["format"].toString() + saved["palette"].toString(),
              path + "pngGrey scale, white hot");
    EXPECT_EQ(saved["transfer_health"]["packets"], 2400);
    EXPECT_EQ(json(args)["pictures"][0]["result"], "skipped");
    const QJsonValue verified =
        json({"--port", port, "download", "3", "--out", dir.filePath("v.bmp"),
              "--verify"})["pictures"][0]["transfer_health"];
    EXPECT_EQ(verified["packets"], 4800);
    EXPECT_EQ(verified["verification"],
              QJsonValue(QJsonObject{{"downloads", 2},
                                     {"decided", 0},
                                     {"undecided", 0},
                                     {"verdict", "verified: two downloads agree"}}));

    QFile file(path);  // its tEXt chunks, read here: Qt keeps no key with a space in it
    const QByteArray png = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QMap<QString, QString> texts;
    for (qsizetype at = 8, size = 0; at + 12 <= png.size(); at += size + 12) {
        size = qFromBigEndian<quint32>(png.constData() + at);
        const QString chunk = QString::fromLatin1(png.mid(at + 8, size));
        if (png.mid(at + 4, 4) == "tEXt") texts[chunk.section('\0', 0, 0)] = chunk.section('\0', 1);
    }
    const auto h = camsim::SimCamera::defaultState().pictures.at(2).header;
    QString spot;  // value-form digits, 63 for a place left empty
    for (int i = 13; i < 16; ++i) spot += h[i] == 63 ? QString() : QString::number(h[i]);
    EXPECT_EQ(texts["Spot"], spot + (h[16] == 12 ? "\u00b0C" : "\u00b0F"));
    EXPECT_EQ(texts["Creation Time"],
              QString::asprintf("%c%c/%c%c/%c%c %c%c:%c%c:%c%c", h[6], h[7], h[8], h[9], h[10],
                                h[11], h[0], h[1], h[2], h[3], h[4], h[5]));
    EXPECT_EQ(texts["Battery"], QString("%1 of 6").arg(QChar(h[12])));
    EXPECT_EQ(texts["Camera serial number"], "10234");
    EXPECT_EQ("orvik3 " + texts["Software"].section(' ', -1) + "\n", orvik3({"--version"}).out);
}

}  // namespace

// The orvik3 program run as a user runs it, against its own simulated camera.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>

#include "sim/SimCamera.h"
#include "tests/support/RunProgram.h"

namespace {

using Result = ProgramResult;

Result orvik3(const QStringList& args) {
    return runProgram(ORVIK3_PROGRAM, args, QProcessEnvironment::systemEnvironment(), 60000);
}

TEST(CommandLine, StatusPrintsTheSetupSummaryOfTheSimulatedCamera) {
    QTemporaryDir dir;
    const QString saved = dir.filePath("report.txt");
    const Result r = orvik3({"--simulate", "status", "--save", saved});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Orvik\u00ae3 Camera Setup Summary\n")));
    EXPECT_TRUE(r.out.contains("Serial Number: 10234\n"));
    EXPECT_TRUE(r.out.contains("Number of pictures stored:      = 5\n"));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()).replace("\r\n", "\n"), r.out);
}

TEST(CommandLine, ExitCodesTellNoAnswerFromBadUsage) {  // a camera at 19200 hears noise
    camsim::Options at19200;
    at19200.baud = 19200;
    camsim::SimCamera camera(at19200);
    const Result silent =
        orvik3({"--port", "1=" + QString::fromStdString(camera.devicePath()), "status"});
    EXPECT_EQ(silent.code, 1);
    EXPECT_TRUE(
        silent.err.contains("Orvik 3: Communication error with camera\nNothing came back from "
                            "the camera. Check the cable,") &&
        silent.err.contains("(try --speed 19200)."));
    EXPECT_TRUE(silent.out.isEmpty());

    EXPECT_EQ(orvik3({"status", "--speed", "9600"}).code, 2);
}

// Each port error is one message, and nothing reaches the camera.
TEST(CommandLine, PortErrorsSayWhatHappened) {
    camsim::SimCamera camera;
    const QString device = QString::fromStdString(camera.devicePath());
    QSerialPort held(device);  // as another program holds it
    const QString cases[][2] = {
        {"3", "Port 3 means no serial device. The ports there are: 1 = " + device},
        {"1=/dev/orvik3-none", "The serial device /dev/orvik3-none does not exist."},
        {"1",
         "Comm port already open.\n\nCheck to make sure it is not being\nused by another program "
         "and try again\n\n" +
             device + QString(" is in use by e2e_command_lin (process %1).").arg(getpid())}};
    for (const auto& [port, told] : cases) {
        ASSERT_TRUE(port != "1" || held.open(QIODevice::ReadWrite));
        const Result r = orvik3({"--port", "1=" + device, "--port", port, "pictures"});
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("Orvik 3: Error: " + told)) << r.err.toStdString();
        // One message; a machine's own ports may each add that we may not open them.
        EXPECT_EQ(r.err.count("Orvik 3: ") - r.err.count("Permission denied on"), 1);
    }
    EXPECT_TRUE(camera.rawReceived().empty());
    const Result ports = orvik3({"--port", "1=" + device, "--port", "2=/dev/orvik3-none", "ports"});
    EXPECT_TRUE(ports.out.contains("Port list: 1 = " + device + ", 2 = /dev/orvik3-none\n"));
}

TEST(CommandLine, SetTimeIsAcknowledged) {
    const Result r = orvik3({"--simulate", "set-time", "--at", "2020-12-31 23:59"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
}

// check-line prints a line a step as it ends and exits with its verdict; --json says the same,
// and --trace logs every request it made.
TEST(CommandLine, CheckLineNamesTheSpeedAndExitsByItsVerdict) {
    camsim::Options at19200;
    at19200.baud = 19200;
    camsim::SimCamera camera(at19200);
    const QString port = "1=" + QString::fromStdString(camera.devicePath());
    const Result wrong = orvik3({"--port", port, "check-line"});
    EXPECT_EQ(wrong.code, 1);
    EXPECT_TRUE(wrong.out.contains(
        "\nCamera       PROBLEM the camera answers at 19200: use --speed 19200\n"))
        << wrong.out.toStdString();
    QTemporaryDir dir;
    const QString log = dir.filePath("link.log");
    const Result right = orvik3({"--port", port, "--speed", "19200", "check-line", "--count", "4",
                                 "--json", "--trace", log});
    EXPECT_EQ(right.code, 0) << right.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(right.out.toUtf8()).object();
    QStringList names;
    for (const QJsonValue step : o["steps"].toArray()) names << step["name"].toString();
    EXPECT_EQ(names,
              QStringList({"device", "permission", "free", "low_latency", "camera", "quality"}));
    EXPECT_TRUE(o["ok"].toBool());
    EXPECT_EQ(o["steps"][5]["answered_first_time"], 4);
    QFile traced(log);
    ASSERT_TRUE(traced.open(QIODevice::ReadOnly));
    EXPECT_EQ(traced.readAll().count("PC>CAM  status request"), 5);  // camera step and quality
    for (const QStringList& bad :
         {QStringList{"check-line", "--count", "0"}, QStringList{"status", "--loopback"}})
        EXPECT_EQ(orvik3(bad).code, 2);
}

}  // namespace

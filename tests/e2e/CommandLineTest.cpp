// The orvik3 program run as a user runs it, against its own simulated camera.
#include <gtest/gtest.h>
#include <unistd.h>

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

camsim::Options unpaced(int baud) {
    camsim::Options o;
    o.baud = baud, o.paced = false;
    return o;
}

// A camera at 19200 hears only noise from a program at 115200 and answers nothing.
TEST(CommandLine, ExitCodesTellNoAnswerFromBadUsage) {
    camsim::SimCamera camera(unpaced(19200));
    const Result silent =
        orvik3({"--port", "1=" + QString::fromStdString(camera.devicePath()), "status"});
    EXPECT_EQ(silent.code, 1);
    EXPECT_TRUE(silent.err.contains("Orvik 3: Communication error with camera\nNothing came back"));
    EXPECT_TRUE(silent.err.contains("the cable") && silent.err.contains("(try --speed 19200)"));
    EXPECT_TRUE(silent.out.isEmpty());

    EXPECT_EQ(orvik3({"status", "--speed", "9600"}).code, 2);
}

// Each port error is one message and nothing reaches the camera; the port list names devices.
TEST(CommandLine, PortErrorsSayWhatHappened) {
    camsim::SimCamera camera(unpaced(115200));
    const QString device = QString::fromStdString(camera.devicePath());
    QSerialPort held(device);  // as another program holds it
    const QString designed =
        "Comm port already open.\n\nCheck to make sure it is not being\n"
        "used by another program and try again\n\n";
    const struct {
        QString port, told;
    } cases[] = {
        {"3", "Port 3 means no serial device. The ports there are: 1 = " + device},
        {"1=/dev/orvik3-none", "The serial device /dev/orvik3-none does not exist."},
        {"held",
         designed + device + QString(" is in use by e2e_command_lin (process %1).").arg(getpid())}};
    for (const auto& c : cases) {
        ASSERT_TRUE(c.port != "held" || held.open(QIODevice::ReadWrite));
        const Result r = orvik3(
            {"--port", "1=" + device, "--port", c.port == "held" ? "1" : c.port, "pictures"});
        held.close();
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("Orvik 3: Error: " + c.told)) << r.err.toStdString();
        // The one message; a machine's own ports may add a note each that we may not open them.
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

}  // namespace

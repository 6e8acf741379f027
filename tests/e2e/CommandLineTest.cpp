// The orvik3 program run as a user runs it, against its own simulated camera.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

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

TEST(CommandLine, ExitCodesTellNoAnswerFromBadUsage) {
    const Result silent = orvik3({"--port", "1=/dev/orvik3-no-such-device", "status"});
    EXPECT_EQ(silent.code, 1);
    EXPECT_TRUE(silent.err.contains("Orvik 3: Communication error with camera"));
    EXPECT_TRUE(silent.out.isEmpty());

    EXPECT_EQ(orvik3({"status", "--speed", "9600"}).code, 2);
}

TEST(CommandLine, SetTimeIsAcknowledged) {
    const Result r = orvik3({"--simulate", "set-time", "--at", "2020-12-31 23:59"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
}

}  // namespace

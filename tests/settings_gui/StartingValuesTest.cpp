// "Set starting values" from the form and the factory commands of the command line.
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

#include "SettingsBench.h"
#include "cli/CommandLine.h"
#include "cli/CommandLineSettings.h"

namespace {

// A camera far from its starting configuration.
camsim::CameraState newCamera() {
    camsim::CameraState s = camsim::SimCamera::defaultState();
    s.gain = 10, s.offset = 20, s.irisPulseWidth = 3, s.colouration = 5, s.txChannels = 1;
    s.lcdColour = 1, s.lcdBrightness = 2, s.lcdContrast = 3;
    s.thresholds = {1, 2, 3, 4, 5, 6};
    s.customerBits = 0, s.humidityAlarm = 0;
    return s;
}

const std::vector<QByteArray> kRun = {cmd("Bg", {40}),
                                      cmd("Bo", {150}),
                                      cmd("Ds"),
                                      cmd("Fe"),
                                      cmd("Fg"),
                                      cmd("TC"),
                                      cmd("Fc"),
                                      cmd("To", {4}),
                                      cmd("Iw", {8}),
                                      cmd("LB", {5}),
                                      cmd("LC", {5}),
                                      cmd("Lc", {5}),
                                      cmd("Pg"),
                                      cmd("Hr"),
                                      cmd("A", {0x0A, 0x02, 0xA1}),
                                      cmd("A", {0x0B, 0x02, 0x81}),
                                      cmd("A", {0x0C, 0x01, 0xD9}),
                                      cmd("A", {0x0D, 0x02, 0x0E}),
                                      cmd("A", {0x0E, 0x01, 0x7B}),
                                      cmd("A", {0x0F, 0x01, 0xA8}),
                                      cmd("TC"),
                                      cmd("Gi"),
                                      cmd("Dt"),
                                      cmd("Zo"),
                                      cmd("Tt"),
                                      cmd("Ta"),
                                      cmd("A", {'H', 1}),
                                      cmd("TS"),
                                      cmd("Nw")};

// The clock goes out as the PC has it; only its letters and length are fixed.
std::vector<QByteArray> withoutClock(std::vector<QByteArray> payloads) {
    for (QByteArray& p : payloads)
        if (p.startsWith("Ds") && p.size() == 7) p = "Ds";
    return payloads;
}

struct StartRun {
    std::vector<int> progress;
    bool lockedWhileSending = false;
};

StartRun startValues(SettingsBench& b) {
    StartRun run;
    auto* bar = b.find<QProgressBar>("StartPrgBar");
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) {
        if (v > 0) run.progress.push_back(v);
        if (v == 4)
            run.lockedWhileSending = !b.find("SSTab1")->isEnabled() &&
                                     b.find("Start_Up_btn")->testAttribute(Qt::WA_ForceDisabled) &&
                                     b.find("Comms")->testAttribute(Qt::WA_ForceDisabled);
    });
    b.click("Start_Up_btn");
    bar->disconnect();
    return run;
}

void expectUnlocked(SettingsBench& b) {
    EXPECT_TRUE(b.find("SSTab1")->isEnabled());
    for (const char* name : {"Start_Up_btn", "Gain_btn", "Comms", "Label17", "humenable"})
        EXPECT_FALSE(b.find(name)->testAttribute(Qt::WA_ForceDisabled)) << name;
    EXPECT_TRUE(b.find("StartPrgBar")->isHidden());
    EXPECT_TRUE(b.find("StartValueLabel")->isHidden());
}

TEST(StartingValues, PutTheCameraIntoItsStartingConfiguration) {
    SettingsBench b(newCamera());
    const StartRun run = startValues(b);
    EXPECT_EQ(withoutClock(b.heard()), kRun);
    EXPECT_EQ(run.progress, (std::vector<int>{1, 4, 5, 6, 7, 10, 12, 15}));
    EXPECT_TRUE(run.lockedWhileSending);
    expectUnlocked(b);
    EXPECT_EQ(b.find<QLineEdit>("GainText")->text(), "40");
    EXPECT_EQ(b.find<QLineEdit>("OffsetText")->text(), "200");

    b.click("Status_report_request");
    ASSERT_TRUE(b.program.advanced.lastStatus);
    const StatusRecord& r = *b.program.advanced.lastStatus;
    EXPECT_EQ(std::vector<int>({r.GainValue, r.OffsetValue, r.IrisPulseWidthValue, r.LcdColour,
                                r.LcdBrightness, r.LcdContrast, r.TxChannelCount}),
              (std::vector<int>{40, 150, 8, 5, 5, 5, 4}));
    EXPECT_EQ(r.ColourationText, "Grey scale");
    EXPECT_EQ(std::vector<int>({r.HumidityOnThreshold, r.HumidityOffThreshold,
                                r.OverTempLowOnThreshold, r.OverTempLowOffThreshold,
                                r.OverTempHighOnThreshold, r.OverTempHighOffThreshold}),
              (std::vector<int>{673, 641, 473, 526, 379, 424}));
}

TEST(StartingValues, GoToTheEndWhateverTheCameraAnswers) {
    SettingsBench b(newCamera());
    camsim::Faults faults;
    faults.canCommands = {"Bg", "To", "Nw"};
    faults.nakCommands = {"LB", "Hr"};
    b.camera.setFaults(faults);
    const StartRun run = startValues(b);
    EXPECT_EQ(withoutClock(b.heard()), kRun);
    EXPECT_EQ(run.progress.back(), 15);
    expectUnlocked(b);
}

struct ParseCase {
    QStringList args;
    SettingsCommand::Kind kind;
    bool error;
    QStringList rest;
};

TEST(SettingsCommandLine, TakesItsOwnWords) {
    using K = SettingsCommand::Kind;
    const ParseCase cases[] = {
        {{"console", "read", "7"}, K::ConsoleRead, false, {}},
        {{"--simulate", "console", "write", "16", "1", "2", "3", "--port", "1"},
         K::ConsoleWrite,
         false,
         {"--simulate", "--port", "1"}},
        {{"console", "write", "1"}, K::ConsoleWrite, true, {}},
        {{"console", "write", "1", "2", "3", "4", "5"}, K::ConsoleWrite, true, {}},
        {{"console", "read", "256"}, K::ConsoleRead, true, {}},
        {{"console", "read", "-1"}, K::ConsoleRead, true, {}},
        {{"console", "peek", "1"}, K::None, true, {"console", "peek", "1"}},
        {{"start-values"}, K::StartValues, true, {}},
        {{"--yes", "start-values", "--simulate"}, K::StartValues, false, {"--simulate"}},
        {{"status", "--save", "a.txt"}, K::None, false, {"status", "--save", "a.txt"}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QStringList args = c.args;
        const SettingsCommand s = takeSettingsCommand(args);
        EXPECT_EQ(s.kind, c.kind);
        EXPECT_EQ(!s.error.isEmpty(), c.error) << s.error.toStdString();
        if (!c.error) {
            EXPECT_EQ(args, c.rest);
        }
    }
}

TEST(SettingsCommandLine, ConsoleWritesAndReadsRegisters) {
    SettingsBench b;
    SettingsCommand write;
    write.kind = SettingsCommand::Kind::ConsoleWrite;
    write.address = 20;
    write.bytes = {7, 16};
    EXPECT_EQ(runSettingsCommand(b.program, write), kExitOk);
    EXPECT_EQ(b.heard().back(), cmd("BSW", {2, 20, 7, 16}));
    EXPECT_EQ(b.camera.state().registers[21], 16);

    SettingsCommand read;
    read.kind = SettingsCommand::Kind::ConsoleRead;
    read.address = 21;
    EXPECT_EQ(runSettingsCommand(b.program, read), kExitOk);
    EXPECT_EQ(b.find<QLineEdit>("Rx_data_text")->text(), "16");

    camsim::Faults refused;
    refused.canCommands = {"BS"};
    b.camera.setFaults(refused);
    EXPECT_EQ(runSettingsCommand(b.program, read), kExitNoAnswer);
}

}  // namespace

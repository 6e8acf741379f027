// The camera operations without a widget: each one against what the simulated camera took, the
// status read, the register console and the starting values.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Clock.h"
#include "camera/Connection.h"
#include "camera/Console.h"
#include "camera/Pictures.h"
#include "camera/StartingValues.h"
#include "camera/Thresholds.h"
#include "tests/support/SimLink.h"

namespace {

// A payload as the camera takes it: the command letters, then the parameter bytes.
QByteArray cmd(const char* letters, std::initializer_list<int> bytes = {}) {
    QByteArray out(letters);
    for (int b : bytes) out.append(char(b));
    return out;
}

// The rig with the link started as the program starts it.
struct Ops : CameraRig {
    explicit Ops(camsim::CameraState initial = camsim::SimCamera::defaultState())
        : CameraRig(initial, Timing{1000, 2000, 200, 300, 2}) {
        camera::startLink(cam);
    }
};

using camera::Camera;
using Act = std::function<camera::Outcome(Camera&)>;

template <typename F>
Act does(F f) {
    return [f](Camera& c) {
        f(c);
        return camera::Outcome{};
    };
}
Act console(camera::RegisterWrite w, int shows = -1) {
    return [w, shows](Camera& c) {
        const camera::RegisterAnswer a = camera::writeRegister(c, w);
        EXPECT_EQ(a.value ? int(*a.value) : -1, shows);
        return a.outcome;
    };
}

struct OpCase {
    std::string label;
    Act act;
    std::vector<QByteArray> payloads;
    const char* message = nullptr;  // part of the one message it gives
};

// Fixed rows: the row a button sends and the payload the camera takes.
namespace R = camera::Rows;
namespace X = camera::Resets;
// clang-format off
const std::pair<int, QByteArray> kFixedRows[] = {
    {R::KitLockheed, cmd("Ud")}, {R::KitOldBst, cmd("Ua")}, {R::KitAsi, cmd("Uc")},
    {R::Pal, cmd("Up")}, {R::Ntsc, cmd("Un")}, {R::IrisTest, cmd("It")}, {R::OpenIris, cmd("Io")},
    {R::Bars, cmd("St")}, {Row::ReturnToNormal, cmd("Sf")}, {117, cmd("O", {0x8F})},
    {116, cmd("O", {0x8E})}, {24, cmd("Zp")}, {23, cmd("Zo")}, {97, cmd("Gr")}, {98, cmd("Gi")},
    {95, cmd("TS")}, {96, cmd("Ts")}, {59, cmd("TF")}, {58, cmd("TC")}, {38, cmd("Tf")},
    {40, cmd("Tt")}, {43, cmd("Df")}, {42, cmd("Dt")}, {8, cmd("Ta")}, {9, cmd("Tb")},
    {101, cmd("TH")}, {104, cmd("TK")}, {105, cmd("TL")}, {R::ZoomIn, cmd("Zt")},
    {X::ColdWarm, cmd("Rs")}, {X::RunTime, cmd("Rt")}, {X::ResetCamera, cmd("Rm")},
    {X::RestoreDefaults, cmd("Rd")}, {X::WriteFactoryDefaults, cmd("A", {0x04})},
    {X::WriteNvr, cmd("Nw")},
};
// clang-format on

const char* const kRange = "0 to 255";
const char* const kNoData = "No data is to be sent because, there is no data in the text boxs.";

std::vector<OpCase> cases() {
    using namespace camera;
    using O = OptionPair;
    std::vector<OpCase> out;
    for (const auto& [r, payload] : kFixedRows)
        out.push_back({"fixed row", does([r](Camera& c) { sendFixedRow(c, r); }), {payload}});
    // clang-format off
    std::vector<OpCase> more = {
        {"options off", does([](Camera& c) { sendOptions(c, {false, false, true, false}); }), {cmd("Ff"), cmd("Fh"), cmd("TF"), cmd("Fd")}},
        {"options on", does([](Camera& c) { sendOptions(c, {}); }), {cmd("Fe"), cmd("Fg"), cmd("TC"), cmd("Fc")}},
        {"BST new", does([](Camera& c) { prepareNewBstController(c); sendFixedRow(c, Rows::KitNewBst); }),
         {cmd("BSA"), cmd("BSW", {1, 3, 6}), cmd("BSS"), cmd("Ub")}},
        {"gain", [](Camera& c) { return sendGain(c, "77"); }, {cmd("Bg", {77})}},
        {"gain too big", [](Camera& c) { return sendGain(c, "256"); }, {}, kRange},
        {"gain not a number", [](Camera& c) { return sendGain(c, "4x"); }, {}, kRange},
        {"offset 60", [](Camera& c) { return sendOffset(c, "60"); }, {cmd("Bo", {10}), cmd("Bo", {60})}},
        {"offset 40", [](Camera& c) { return sendOffset(c, "40"); }, {cmd("Bo", {40}), cmd("Bo", {40})}},
        {"offset negative", [](Camera& c) { return sendOffset(c, "-5"); }, {}, kRange},
        {"iris width", does([](Camera& c) { sendIrisPulseWidth(c, "12"); }), {cmd("Iw", {12})}},
        {"iris normal", does(irisNormalOperation), {cmd("Ic"), cmd("Is")}},
        {"test card", does([](Camera& c) { sendRowAsIs(c, Rows::TestCard); }), {cmd("Sd")}},
        {"LCD", does([](Camera& c) { sendLcd(c, "3", "7", "9"); }), {cmd("LB", {3}), cmd("LC", {7}), cmd("Lc", {9})}},
        {"2 channels", does([](Camera& c) { sendTxChannels(c, "2"); }), {cmd("To", {2})}},
        {"no channels", does([](Camera& c) { sendTxChannels(c, "OFF"); }), {cmd("To", {0})}},
        {"humidity on", [](Camera& c) { return sendHumidityThreshold(c, O::First); }, {cmd("A", {0x0A, 0x02, 0xA1})}},
        {"humidity off", [](Camera& c) { return sendHumidityThreshold(c, O::Second); }, {cmd("A", {0x0B, 0x02, 0x81})}},
        {"humidity unchosen", [](Camera& c) { return sendHumidityThreshold(c, O::None); }, {}, "\"Enabled\" or \"Disabled\""},
        {"heatsink high", [](Camera& c) { return sendHeatsinkThresholds(c, O::Second); },
         {cmd("A", {0x0C, 0x01, 0xD9}), cmd("A", {0x0E, 0x01, 0x7B})}},
        {"heatsink low", [](Camera& c) { return sendHeatsinkThresholds(c, O::First); },
         {cmd("A", {0x0D, 0x02, 0x0E}), cmd("A", {0x0F, 0x01, 0xA8})}},
        {"heatsink unchosen", [](Camera& c) { return sendHeatsinkThresholds(c, O::None); }, {}, "Overtemp high threshold"},
        {"greatest values", does(resetGreatestValues), {cmd("A", {0x10}), cmd("A", {0x11})}},
        {"console save", does(consoleSave), {cmd("BSS")}},
        {"console att", does(consoleAtt), {cmd("BSA")}},
        {"write two bytes", console({"5", {"1", "2", "3"}, {true, true, false}}, 1), {cmd("BSW", {2, 5, 1, 2})}},
        {"write again", console({"9", {}, {false, true, true}}, 1), {cmd("BSW", {2, 5, 1, 2})}},
        {"write one byte", console({"16", {"16", "0", "0"}, {true, false, true}}, 16), {cmd("BSW", {1, 16, 16})}},
        {"write nothing", console({"Text1", {"1"}}), {}, kNoData},
        {"write too big", console({"4", {"300"}}), {}, kRange},
        // Clock rows in BCD: hour, minute, day, month, year.
        {"clock 2020", does([](Camera& c) { sendTimeDate(c, {23, 59, 31, 12, 2020}); }), {cmd("Ds", {0x23, 0x59, 0x31, 0x12, 0x20})}},
        {"clock 2004", does([](Camera& c) { sendTimeDate(c, {9, 5, 7, 3, 2004}); }), {cmd("Ds", {0x09, 0x05, 0x07, 0x03, 0x04})}},
        {"clock 2099", does([](Camera& c) { sendTimeDate(c, {0, 0, 1, 1, 2099}); }), {cmd("Ds", {0x00, 0x00, 0x01, 0x01, 0x99})}},
    };
    // clang-format on
    out.insert(out.end(), more.begin(), more.end());
    return out;
}

TEST(Operations, EachSendsExactlyItsCommandsOrRefusesWithItsMessage) {
    Ops o;
    for (const OpCase& c : cases()) {
        SCOPED_TRACE(c.label +
                     (c.payloads.empty() ? std::string() : " " + c.payloads[0].toStdString()));
        o.sim.clearLog();
        const camera::Outcome out = c.act(o.cam);
        EXPECT_EQ(o.heard(), c.payloads);
        EXPECT_EQ(out.ok, c.message == nullptr);
        if (c.message) {
            ASSERT_EQ(out.messages.size(), 1u);
            EXPECT_TRUE(out.messages[0].text.contains(c.message))
                << out.messages[0].text.toStdString();
        }
    }
    EXPECT_EQ(o.sim.state().registers[3], 6);  // the new BST controller's sensor
    EXPECT_EQ(o.sim.state().registers[6], 2);
    EXPECT_TRUE(o.dialogs.shown.empty());
}

// DLE bytes in a register write go out doubled.
TEST(Console, StuffsTheLinkEscapeAndShowsOnlyARealRegisterValue) {
    Ops o;
    camera::writeRegister(o.cam, {"16", {"16"}, {true, false, false}});
    const auto raw = o.sim.rawReceived();
    EXPECT_TRUE(QByteArray(reinterpret_cast<const char*>(raw.data()), int(raw.size()))
                    .contains(QByteArray::fromHex("4253570110101010")));

    o.sim.updateState([](camsim::CameraState& s) { s.registers[200] = 0x5A; });
    camsim::Faults clean, garbage, refused;
    garbage.garbageBytes = 3;
    refused.canCommands.insert("BS");
    for (const auto& [faults, value] : {std::pair{clean, 90}, {garbage, 90}, {refused, -1}}) {
        SCOPED_TRACE(value);
        o.sim.setFaults(faults);
        o.sim.clearLog();
        const camera::RegisterAnswer a = camera::readRegister(o.cam, "200");
        EXPECT_EQ(a.value ? int(*a.value) : -1, value);
        EXPECT_EQ(o.heard(), std::vector<QByteArray>{cmd("BSR", {200})});
    }
    o.sim.clearLog();
    EXPECT_FALSE(camera::readRegister(o.cam, "Text1").outcome.ok);  // nothing to read: silent
    EXPECT_TRUE(o.heard().empty());
}

// The read fills the shared values; a silent camera is a communication error and an advanced
// connect forgets a serial number that cannot be right.
TEST(StatusRead, DecodesTheBlockOrSaysTheCameraIsSilent) {
    camsim::CameraState initial = camsim::SimCamera::defaultState();
    initial.pictures.resize(3);
    initial.tempUnit = 0;
    Ops o(initial);
    const camera::StatusRead read = camera::readStatus(o.cam, "1", true);
    ASSERT_TRUE(read.record && read.outcome.ok);
    EXPECT_EQ(o.heard(), std::vector<QByteArray>{"Sr"});
    EXPECT_EQ(read.record->GainValue, initial.gain);
    EXPECT_EQ(o.state.StatusSerialNumber, 10234);
    EXPECT_EQ(o.state.StoredImageCount, 3);
    EXPECT_EQ(o.state.TempUnitLetter, 102);
    EXPECT_TRUE(read.report.contains("Serial Number: 10234\r\n"));
    EXPECT_FALSE(o.state.StatusReadBusy || o.cam.port().portOpen());
    o.sim.clearLog();
    camera::requestReport(o.cam, "1");
    EXPECT_EQ(o.heard(), (std::vector<QByteArray>{"Sr", "Is"}));

    camsim::Faults silent;
    silent.silent = true;
    o.sim.setFaults(silent);
    const camera::StatusRead none = camera::readStatus(o.cam, "1", true);
    EXPECT_FALSE(none.record);
    ASSERT_EQ(none.outcome.messages.size(), 1u);
    EXPECT_EQ(none.outcome.messages[0].text, "Communication error with camera");
    EXPECT_EQ(none.outcome.messages[0].title, "Orvik 3");
    EXPECT_TRUE(o.state.StatusCommsError && none.report.isEmpty());

    o.sim.setFaults({});
    o.sim.updateState([](camsim::CameraState& c) { c.serialNumber = 15001; });
    camera::SerialCheck check;
    camera::connectAdvanced(o.cam, "1", check);
    EXPECT_EQ(check.number, 15001);
    EXPECT_TRUE(check.openEntry);
    EXPECT_EQ(o.state.CameraSerialNumber, 0);
    EXPECT_EQ(o.state.SerialNumberText, "Not Specified");
}

// Noise that starts as a packet does, before a status block or a count reply: the reply is asked
// for again, the log says why, and a reply damaged three times is never taken as the camera's.
TEST(DamagedReplies, AreAskedForAgainUpToThreeTimes) {
    Ops o;
    QTemporaryDir dir;
    const QString log = dir.filePath("link.log");
    ASSERT_TRUE(o.cam.engine().trace().start(log));
    const QByteArray status("Sr"), count = cmd("O", {0x80});
    for (const int falseStarts : {1, 3}) {
        const bool whole = falseStarts < 3;
        camsim::Faults noise;
        noise.falseStarts = falseStarts;
        o.sim.setFaults(noise);
        o.sim.clearLog();
        o.state.StoredImageCount = 99;
        const camera::StatusRead read = camera::readStatus(o.cam, "1", true);
        EXPECT_EQ(bool(read.record), whole);
        EXPECT_EQ(o.state.StoredImageCount, whole ? 5 : 99);
        EXPECT_EQ(o.heard(), std::vector<QByteArray>(falseStarts + 1 - !whole, status));

        noise.falseStarts = falseStarts;
        o.sim.setFaults(noise);
        o.sim.clearLog();
        o.state.NewFirmware = true;
        o.state.StoredImageCount = 99;
        o.dialogs.shown.clear();
        camera::queryImageCount(o.cam);
        EXPECT_EQ(o.state.StoredImageCount, whole ? 5 : 99);
        EXPECT_EQ(o.heard(), std::vector<QByteArray>(falseStarts + 1 - !whole, count));
        EXPECT_EQ(o.dialogs.saw("Communication error with camera"), !whole);
    }
    o.cam.engine().trace().stop();
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_EQ(text.count("status block damaged (bad checksum or misaligned): asking again"), 3);
    EXPECT_EQ(text.count("picture-count reply damaged (bad checksum or misaligned): asking again"), 3);
    EXPECT_TRUE(text.contains("request 3 of 3"));
}

// Damage the checksum cannot see: a plain download takes it for the picture; a verified one has
// a third download decide the differing packet, and says so; none agreeing is not verified.
TEST(VerifiedDownload, DecidesHiddenDamageThatAPlainDownloadMisses) {
    Ops o;
    const std::vector<uint8_t> truth = o.sim.state().pictures.at(0).pixels;
    auto damage = [&](int sendings) {
        camsim::Faults f;
        f.hiddenDamagePackets = {{700, sendings}};
        o.sim.setFaults(f);
    };
    damage(1);
    const camera::Download plain = camera::downloadPicture(o.cam, 1);
    ASSERT_TRUE(plain.picture && plain.outcome.ok);
    EXPECT_EQ(firstDifference(plain.picture->pixels, truth), 700 * 32);

    damage(1);
    const camera::Download verified = camera::downloadVerified(o.cam, 1);
    ASSERT_TRUE(verified.picture && verified.outcome.ok);
    EXPECT_EQ(firstDifference(verified.picture->pixels, truth), -1);
    EXPECT_EQ(o.observer.health.size(), 2u);  // one line for the three downloads
    EXPECT_TRUE(transferHealthLine(verified.health, true)
                    .endsWith("; verified after 1 differing packet was decided by a third download"));

    damage(3);
    const camera::Download doubtful = camera::downloadVerified(o.cam, 1);
    EXPECT_FALSE(doubtful.outcome.ok);
    EXPECT_EQ(doubtful.health.undecided, 1);
}

// A camera far from its starting configuration.
camsim::CameraState newCamera() {
    camsim::CameraState s = camsim::SimCamera::defaultState();
    s.gain = 10, s.offset = 20, s.irisPulseWidth = 3, s.colouration = 5, s.txChannels = 1;
    s.lcdColour = 1, s.lcdBrightness = 2, s.lcdContrast = 3;
    s.thresholds = {1, 2, 3, 4, 5, 6};
    s.customerBits = 0, s.humidityAlarm = 0;
    return s;
}

TEST(StartingValues, GoOutInTheirOrderToTheEndWhateverTheCameraAnswers) {
    // clang-format off
    const std::vector<QByteArray> run = {
        cmd("Bg", {40}), cmd("Bo", {150}), cmd("Ds", {0x08, 0x30, 0x24, 0x06, 0x25}), cmd("Fe"),
        cmd("Fg"), cmd("TC"), cmd("Fc"), cmd("To", {4}), cmd("Iw", {8}), cmd("LB", {5}),
        cmd("LC", {5}), cmd("Lc", {5}), cmd("Pg"), cmd("Hr"), cmd("A", {0x0A, 0x02, 0xA1}),
        cmd("A", {0x0B, 0x02, 0x81}), cmd("A", {0x0C, 0x01, 0xD9}), cmd("A", {0x0D, 0x02, 0x0E}),
        cmd("A", {0x0E, 0x01, 0x7B}), cmd("A", {0x0F, 0x01, 0xA8}), cmd("TC"), cmd("Gi"),
        cmd("Dt"), cmd("Zo"), cmd("Tt"), cmd("Ta"), cmd("A", {'H', 1}), cmd("TS"), cmd("Nw")};
    // clang-format on
    for (bool faulty : {false, true}) {
        SCOPED_TRACE(faulty ? "refusals" : "clean");
        Ops o(newCamera());
        if (faulty) {
            camsim::Faults f;
            f.canCommands = {"Bg", "To", "Nw"};
            f.nakCommands = {"LB", "Hr"};
            o.sim.setFaults(f);
        }
        std::vector<int> progress;
        camera::sendStartingValues(o.cam, {8, 30, 24, 6, 2025}, {true, true, false, false},
                                   [&](int step) { progress.push_back(step); });
        EXPECT_EQ(o.heard(), run);
        EXPECT_EQ(progress, (std::vector<int>{4, 5, 6, 7, 10, 12}));
        const camera::StatusRead read = camera::readStatus(o.cam, "1", false);
        ASSERT_TRUE(read.record);
        EXPECT_EQ(camera::showsStartingValues(*read.record), !faulty)
            << camera::startingValuesText(*read.record).toStdString();
    }
}

}  // namespace

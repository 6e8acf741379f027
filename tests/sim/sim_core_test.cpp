// The camera's protocol core, driven without a line: bytes in at a virtual time, packets out.

#include <gtest/gtest.h>

#include <deque>

#include "sim/CameraCore.h"
#include "sim/SimCamera.h"
#include "sim/StatusBlock.h"

namespace camsim {
namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

const Bytes kAck{0x10, 0x02, 0x54, 0x01, 0x06, 0x10, 0x03, 0x53, 0xAC};
const Bytes kNak{0x10, 0x02, 0x54, 0x01, 0x15, 0x10, 0x03, 0x40, 0xBF};
const Bytes kCan{0x10, 0x02, 0x54, 0x01, 0x18, 0x10, 0x03, 0x4D, 0xB2};
const Bytes kCtrlAck{0x10, 0x02, 0x54, 0x01, 0x43, 0x06, 0x10, 0x03, 0x10, 0xEF};
const Bytes kCtrlNak{0x10, 0x02, 0x54, 0x01, 0x43, 0x15, 0x10, 0x03, 0x03, 0xFC};
const Bytes kCtrlNak1{0x10, 0x02, 0x54, 0x01, 0x43, 0x15, 0x01, 0x10, 0x03, 0x02, 0xFD};
const Bytes kCtrlNak2{0x10, 0x02, 0x54, 0x01, 0x43, 0x15, 0x02, 0x10, 0x03, 0x01, 0xFE};
const Bytes kCtrlEnd{0x10, 0x02, 0x54, 0x01, 0x43, 0x78, 0x10, 0x03, 0x6E, 0x91};

struct Harness {
    CameraCore core{SimCamera::defaultState()};
    TimePoint now{};

    Bytes raw(const Bytes& bytes) {
        Bytes out;
        for (auto& o : core.receive(bytes, now))
            out.insert(out.end(), o.bytes.begin(), o.bytes.end());
        return out;
    }
    Bytes command(const Bytes& payload, bool sync = true) {
        return raw(wire::pcFrame(payload, sync));
    }
    Bytes tickAfter(std::chrono::milliseconds d) {
        now += d;
        Bytes out;
        for (auto& o : core.tick(now)) out.insert(out.end(), o.bytes.begin(), o.bytes.end());
        return out;
    }
    std::array<uint8_t, kStatusBlockSize> status() { return statusBlock(core.state()); }
};

TEST(SimStatusBlock, FieldsSitAtTheirPositions) {
    CameraState s = SimCamera::defaultState();
    s.serialNumber = 0x1234;
    s.runTimeHours = 0x0305;
    s.maxHumidityAdc = 0x03FF;
    s.thresholds[5] = 0x01A8;
    s.colouration = 6;
    s.customSplash = true;
    s.sensorKit = SensorKit::ASi;
    s.pal = false;
    const auto b = statusBlock(s);
    const std::pair<int, uint8_t> expected[] = {
        {1, 0x10},  {2, 0x02},  {3, 0x54},  {4, 0x01},  {5, 0x34},    {6, 0x12},  {8, 3},
        {9, 2},     {11, 0x05}, {36, 0x03}, {15, 40},   {16, 150},    {17, 8},    {20, 0x5D},
        {21, 0x04}, {22, 0x43}, {23, 0x01}, {25, 0xFF}, {26, 0x03},   {31, 1},    {34, 5},
        {41, 0x02}, {42, 0xA1}, {51, 0x01}, {52, 0xA8}, {53, 6 << 3}, {54, 0x10}, {55, 0x03}};
    for (auto [pos, value] : expected) EXPECT_EQ(b[pos - 1], value) << "byte " << pos;
    EXPECT_EQ(b[55], wire::xorOf(std::span(b).subspan(2, 51)));
    EXPECT_EQ(b[56], 0xFF - b[55]);
}

struct AnswerCase {
    const char* name;
    Bytes payload;
    Bytes reply;
};

TEST(SimAnswers, CommandsGetAckNakCanOrTheirReply) {
    const AnswerCase cases[] = {
        {"known command", {'Z', 'o'}, kAck},
        {"unknown command", {'Q', 'q'}, kCan},
        {"stuffed DLE in the command", {'A', 0x10}, kAck},
        {"too many channels", {'T', 'o', 8}, kCan},
        {"iris out of range", {'I', 'w', 16}, kCan},
        {"clock", {'D', 's', 0x23, 0x59, 0x31, 0x12, 0x20}, kAck},
        {"clock digit not BCD", {'D', 's', 0x1A, 0x00, 0x01, 0x01, 0x01}, kCan},
        {"hour out of range", {'D', 's', 0x24, 0x00, 0x01, 0x01, 0x01}, kCan},
        {"delete the splash", {'C', 0x0A, 0}, kCan},
        {"delete a picture not held", {'C', 0x0A, 6}, kCan},
        {"send a picture not held", {'C', 'S', 6}, kCan},
        {"picture count", {'O', 0x80}, {0x10, 0x02, 0x54, 0x01, 5, 0x10, 0x03, 0x50}},
        {"register write answers as a read",
         {'B', 'S', 'W', 2, 0x10, 0xAB, 0xCD},
         {0x10, 0x02, 0x54, 0x01, 0xAB, 0x10, 0x10, 0x03, 0xEE, 0x11}},
        {"register write of four bytes", {'B', 'S', 'W', 4, 0x10, 1, 2, 3, 4}, kCan},
    };
    for (const auto& c : cases) {
        Harness h;
        EXPECT_EQ(h.command(c.payload), c.reply) << c.name;
    }
}

TEST(SimAnswers, BadChecksumGetsNakAndChangesNothing) {
    Harness h;
    Bytes frame = wire::pcFrame({'C', 'D'}, true);
    frame[frame.size() - 2] ^= 1;
    EXPECT_EQ(h.raw(frame), kNak);
    EXPECT_EQ(h.core.state().pictures.size(), 5u);
    EXPECT_EQ(h.core.counters().badChecksums, 1);
    EXPECT_TRUE(h.core.payloads().empty());
}

TEST(SimAnswers, FaultSwitchesOverrideTheAnswer) {
    Harness h;
    h.core.faults().nakCommands = {"Sf"};
    h.core.faults().canCommands = {"Zo"};
    h.core.faults().dropReplies = 1;
    EXPECT_EQ(h.command({'S', 't'}), Bytes{});  // dropped, but applied
    EXPECT_EQ(h.core.state().displayMode, 't');
    EXPECT_EQ(h.command({'S', 'f'}), kNak);
    EXPECT_EQ(h.command({'Z', 'o'}), kCan);
    EXPECT_EQ(h.command({'Z', 'p'}), kAck);
    EXPECT_EQ(h.core.faults().dropReplies, 0);
}

TEST(SimAnswers, StatusRequestWithoutPreambleGetsTheBlock) {
    Harness h;
    const Bytes expected = wire::pcFrame({'S', 'r'}, false);
    EXPECT_EQ(expected, (Bytes{0x10, 0x02, 0x54, 0x01, 0x53, 0x72, 0x10, 0x03, 0x74, 0x8B}));
    const auto block = h.status();
    EXPECT_EQ(h.raw(expected), Bytes(block.begin(), block.end()));
}

struct EffectCase {
    Bytes payload;
    int position;
    uint8_t value;
};

TEST(SimCommands, StatusShowsTheEffectOfEachCommand) {
    const EffectCase cases[] = {
        {{'U', 'd'}, 23, 0x83},
        {{'U', 'n'}, 23, 0x02},
        {{'P', 'f'}, 53, 5 << 3},
        {{'A', 0x0B, 0x02, 0x81}, 43, 0x02},
        {{'A', 0x0B, 0x02, 0x81}, 44, 0x81},
        {{'T', 'F'}, 31, 0},
        {{'T', 'F'}, 20, 0x55},
        {{'Z', 'p'}, 20, 0x5C},
        {{'T', 'o', 3}, 22, 0x33},
        {{'F', 'f'}, 22, 0x42},
        {{'O', 0x8C}, 21, 0x04},
        {{'C', 'z'}, 21, 0x04},
        {{'R', 's'}, 18, 0},
        {{'R', 's'}, 32, 0},
        {{'R', 't'}, 11, 0},
        {{'B', 'g', 77}, 15, 77},
        {{'B', 'o', 0x10}, 16, 0x10},
        {{'S', 'n', 0x39, 0x30, 0}, 5, 0x39},
        {{'L', 'B', 9}, 28, 9},
        {{'C', 'D'}, 34, 0},
        {{'C', 'c'}, 34, 6},
        {{'C', 0x0A, 5}, 34, 4},
        {{'A', 0x10}, 25, 300 & 0xFF},
        {{'A', 0x11}, 39, 700 & 0xFF},
    };
    for (const auto& c : cases) {
        Harness h;
        ASSERT_EQ(h.command(c.payload), kAck) << "command " << c.payload[0] << c.payload[1];
        EXPECT_EQ(h.status()[c.position - 1], c.value)
            << "command " << c.payload[0] << c.payload[1] << ", byte " << c.position;
    }
}

TEST(SimCommands, ClockTakesBcd) {
    Harness h;
    ASSERT_EQ(h.command({'D', 's', 0x09, 0x05, 0x07, 0x03, 0x04}), kAck);
    const CameraClock& c = h.core.state().clock;
    EXPECT_EQ((std::array{c.hour, c.minute, c.second, c.day, c.month, c.year2}),
              (std::array{9, 5, 0, 7, 3, 4}));
}

TEST(SimCommands, DeleteMovesLaterPicturesDownAndStoreStopsAtTwentySix) {
    Harness h;
    const Picture third = h.core.state().pictures[2];
    ASSERT_EQ(h.command({'C', 0x0A, 2}), kAck);
    EXPECT_EQ(h.core.state().pictures[1].pixels, third.pixels);
    for (int i = 0; i < 22; ++i) ASSERT_EQ(h.command({'C', 'c'}), kAck);
    EXPECT_EQ(h.core.state().pictures.size(), 26u);
    EXPECT_EQ(h.command({'C', 'c'}), kCan);
}

TEST(SimScenes, ScenesDifferAndKeepTheirDigitForm) {
    CameraState s = SimCamera::defaultState();
    EXPECT_NE(syntheticPicture(1, s).pixels, syntheticPicture(2, s).pixels);
    EXPECT_EQ(syntheticPicture(7, s).pixels, syntheticPicture(7, s).pixels);
    const Picture p = syntheticPicture(2, s);  // spot 34, ambient 14, clock 12:30:00 15.06.24
    EXPECT_EQ(Bytes(p.header.begin(), p.header.begin() + 12),
              Bytes({'1', '2', '3', '0', '0', '0', '1', '5', '0', '6', '2', '4'}));
    EXPECT_EQ(Bytes(p.header.begin() + 13, p.header.end()), Bytes({63, 3, 4, 12, 63, 1, 0, 4}));
    s.firmwareMinor = 1;
    const Picture old = syntheticPicture(3, s);  // ambient -4 in character codes
    EXPECT_EQ(Bytes(old.header.begin() + 17, old.header.end()), Bytes({'0', 39, 0, '4'}));
}

}  // namespace
}  // namespace camsim

// The camera's protocol core, driven without a line: bytes in at a virtual time, packets out.
// Written from the camera's side only; nothing here comes from the program's link code.

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // Faults{.silent = true}
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

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Rig {
    CameraCore core{SimCamera::defaultState(), 7};
    TimePoint now{};

    static Bytes joined(const std::vector<Outgoing>& out) {
        Bytes all;
        for (const Outgoing& o : out) all = all + o.bytes;
        return all;
    }
    Bytes raw(const Bytes& bytes) { return joined(core.receive(bytes, now)); }
    Bytes command(const Bytes& payload) { return raw(wire::pcFrame(payload, true)); }
    Bytes tickAfter(std::chrono::milliseconds d) { return joined(core.tick(now += d)); }
    uint8_t status(int position) { return statusBlock(core.state())[position - 1]; }
};

TEST(SimStatusBlock, FieldsSitAtTheirPositionsAndPicturesKeepTheirDigitForm) {
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
    s = SimCamera::defaultState();  // the pictures: synthetic scenes, their headers in digits
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

// Each frame's answer and, for an accepted command, its effect on one byte of the status block.
TEST(SimAnswers, CommandsGetAckNakCanOrTheirReplyAndShowInTheStatus) {
    const auto block = statusBlock(SimCamera::defaultState());
    auto cmd = [](Bytes payload) { return wire::pcFrame(payload, true); };
    const struct {
        Bytes frame, reply;
        int position = 0;  // 1-based
        uint8_t value = 0;
    } cases[] = {
        {cmd({'Z', 'o'}), kAck},
        {cmd({'Q', 'q'}), kCan},
        {cmd({'T', 'o', 8}), kCan},   // too many channels
        {cmd({'I', 'w', 16}), kCan},  // iris out of range
        {cmd({'D', 's', 0x23, 0x59, 0x31, 0x12, 0x20}), kAck},
        {cmd({'D', 's', 0x1A, 0x00, 0x01, 0x01, 0x01}), kCan},  // not BCD
        {cmd({'D', 's', 0x24, 0x00, 0x01, 0x01, 0x01}), kCan},  // no such hour
        {cmd({'C', 0x0A, 0}), kCan},                            // delete the splash
        {cmd({'C', 0x0A, 6}), kCan},                            // a picture not held
        {cmd({'C', 'S', 6}), kCan},
        {cmd({'O', 0x80}), {0x10, 0x02, 0x54, 0x01, 5, 0x10, 0x03, 0x50}},  // picture count
        // A register write answers as a read; four bytes are too many.
        {cmd({'B', 'S', 'W', 2, 0x10, 0xAB, 0xCD}),
         {0x10, 0x02, 0x54, 0x01, 0xAB, 0x10, 0x10, 0x03, 0xEE, 0x11}},
        {cmd({'B', 'S', 'W', 4, 0x10, 1, 2, 3, 4}), kCan},
        // The status request comes without preamble; any preamble is skipped; DLE is stuffed.
        {{0x10, 0x02, 0x54, 0x01, 0x53, 0x72, 0x10, 0x03, 0x74, 0x8B},
         Bytes(block.begin(), block.end())},
        {{0xFF, 0xFF, 0x10, 0x02, 0x54, 0x01, 0x41, 0x10, 0x10, 0x10, 0x03, 0x04, 0xFB},
         kAck,
         25,
         300 & 0xFF},
        {{0x10, 0x02, 0x54, 0x01, 0x43, 0x44, 0x10, 0x03, 0x53, 0xAD},
         kNak,
         34,
         5},  // bad checksum
        {cmd({'U', 'd'}), kAck, 23, 0x83},
        {cmd({'U', 'n'}), kAck, 23, 0x02},
        {cmd({'P', 'f'}), kAck, 53, 5 << 3},
        {cmd({'A', 0x0B, 0x02, 0x81}), kAck, 43, 0x02},
        {cmd({'A', 0x0B, 0x02, 0x81}), kAck, 44, 0x81},
        {cmd({'T', 'F'}), kAck, 31, 0},
        {cmd({'T', 'F'}), kAck, 20, 0x55},
        {cmd({'Z', 'p'}), kAck, 20, 0x5C},
        {cmd({'T', 'o', 3}), kAck, 22, 0x33},
        {cmd({'F', 'f'}), kAck, 22, 0x42},
        {cmd({'O', 0x8C}), kAck, 21, 0x04},
        {cmd({'C', 'z'}), kAck, 21, 0x04},
        {cmd({'R', 's'}), kAck, 18, 0},
        {cmd({'R', 's'}), kAck, 32, 0},
        {cmd({'R', 't'}), kAck, 11, 0},
        {cmd({'B', 'g', 77}), kAck, 15, 77},
        {cmd({'B', 'o', 0x10}), kAck, 16, 0x10},
        {cmd({'S', 'n', 0x39, 0x30, 0}), kAck, 5, 0x39},
        {cmd({'L', 'B', 9}), kAck, 28, 9},
        {cmd({'C', 'D'}), kAck, 34, 0},
        {cmd({'C', 'c'}), kAck, 34, 6},
        {cmd({'C', 0x0A, 5}), kAck, 34, 4},
        {cmd({'A', 0x11}), kAck, 39, 700 & 0xFF}};
    for (size_t i = 0; i < std::size(cases); ++i) {
        Rig r;
        EXPECT_EQ(r.raw(cases[i].frame), cases[i].reply) << "case " << i;
        const int at = cases[i].position;
        EXPECT_EQ(at ? r.status(at) : 0, cases[i].value) << "case " << i << ", byte " << at;
    }
}

// State carries from command to command: fault switches, the clock, deleting and storing.
TEST(SimCommands, FaultSwitchesClockDeleteAndStore) {
    Rig r;
    r.core.faults() = {.dropReplies = 1, .nakCommands = {"Sf"}, .canCommands = {"Zo"}};
    EXPECT_EQ(r.command({'S', 't'}), Bytes{});  // dropped, but applied
    EXPECT_EQ(r.core.state().displayMode, 't');
    EXPECT_EQ(r.command({'S', 'f'}), kNak);
    EXPECT_EQ(r.command({'Z', 'o'}), kCan);
    EXPECT_EQ(r.command({'Z', 'p'}), kAck);
    EXPECT_EQ(r.core.faults().dropReplies, 0);
    r.core.faults() = {};
    ASSERT_EQ(r.command({'D', 's', 0x09, 0x05, 0x07, 0x03, 0x04}), kAck);
    const CameraClock& c = r.core.state().clock;
    EXPECT_EQ((std::array{c.hour, c.minute, c.second, c.day, c.month, c.year2}),
              (std::array{9, 5, 0, 7, 3, 4}));
    // Delete moves the later pictures down; storing stops at twenty-six.
    const Picture third = r.core.state().pictures[2];
    ASSERT_EQ(r.command({'C', 0x0A, 2}), kAck);
    EXPECT_EQ(r.core.state().pictures[1].pixels, third.pixels);
    for (int i = 0; i < 22; ++i) ASSERT_EQ(r.command({'C', 'c'}), kAck);
    EXPECT_EQ(r.core.state().pictures.size(), 26u);
    EXPECT_EQ(r.command({'C', 'c'}), kCan);
}

// The PC's picture download, from the design: stop-and-wait with ACK, NAK1 for a gap in the
// numbering (the packet is stored twice), NAK2 for a bad checksum, the last control packet
// repeated after an 800 ms idle time-out; done when all 2400 places are filled.
struct PcDownload : Rig {
    std::deque<uint8_t> inbox;
    const Bytes* last = nullptr;  // the control packet a time-out repeats
    Bytes image = Bytes(kPixelCount);
    std::array<uint8_t, 21> header{};
    bool loseHeaderAck = false;

    void take(const Bytes& out) { inbox.insert(inbox.end(), out.begin(), out.end()); }
    void send(const Bytes& b) { now += 1ms, take(raw(b)); }
    void reply(const Bytes& control) { send(*(last = &control)); }
    // A 40-byte packet (empty when its checksum is bad), or nothing after an idle time-out.
    std::optional<Bytes> receive() {
        while (inbox.size() >= 2 && !(inbox[0] == 0x10 && inbox[1] == 0x02)) inbox.pop_front();
        if (inbox.size() < 40) return take(tickAfter(800ms)), std::nullopt;
        Bytes p(inbox.begin(), inbox.begin() + 40);
        inbox.erase(inbox.begin(), inbox.begin() + 40);
        return wire::xorOf(std::span(p).subspan(2, 34)) == p[38] ? p : Bytes{};
    }

    bool run(int picture) {
        send(wire::pcFrame({'C', 'S', static_cast<uint8_t>(picture)}, true));
        std::optional<Bytes> p;
        for (int tries = 1; !(p = receive()) || p->empty(); send(kCtrlNak))
            if (++tries > 5) return false;
        std::copy(p->begin() + 4, p->begin() + 25, header.begin());
        if (!loseHeaderAck) send(kCtrlAck);
        int expected = -1;
        size_t offset = 0;
        bool repeat = false;
        for (int turns = 0; offset < image.size(); ++turns) {
            if (turns == 10000) return false;
            if (!(p = receive())) {
                if (last) send(*last);
                continue;
            }
            if (p->empty()) {
                reply(kCtrlNak2);
                continue;
            }
            int number = (*p)[2] << 8 | (*p)[3];
            std::copy(p->begin() + 4, p->begin() + 36, image.begin() + offset);
            offset += 32;
            if (repeat && offset < image.size()) {
                std::copy(p->begin() + 4, p->begin() + 36, image.begin() + offset);
                offset += 32;
                ++number, --expected;
                repeat = false;
            }
            if (number != expected + 1) {
                reply(kCtrlNak1);
                offset -= 32;
                repeat = true;
            } else {
                reply(kCtrlAck);
            }
            expected = number;
        }
        send(kCtrlEnd);
        return true;
    }
};

TEST(SimTransfer, PcDownloadAssemblesThePictureDespiteFaults) {
    const struct {
        const char* name;
        int picture;  // 0: the splash
        Faults faults;
        int patchedPlace;                     // holds its neighbour's pixels (NAK1 recovery), or -1
        int64_t nak1, nak2, retransmissions;  // nak1 -1: not counted; nak2 -1: many
        const Bytes* lastBefore = nullptr;    // header ACK lost; the PC last sent this
    } cases[] = {
        {"clean line", 3, {}, -1, 0, 0, 0},
        {"corrupt header and packets", 3, {.corruptPackets = {0xFFFF, 0, 7, 2399}}, -1, 0, 3, 4},
        {"lost packet", 3, {.dropPackets = {100}}, 101, 1, 0, 1},
        {"lost header", 3, {.dropPackets = {0xFFFF}}, -1, 0, 0, 1},
        {"skipped packet", 3, {.skipPackets = {500}}, 501, 1, 0, 0},
        {"skip then corrupt", 3, {.corruptPackets = {41}, .skipPackets = {40}}, 41, 1, 1, 1},
        {"random corruption", 0, {.corruptRate = 0.05}, -1, -1, -1, 0},
        {"header ACK lost after an ACK", 2, {}, -1, -1, 0, 0, &kCtrlAck},
        {"header ACK lost after a NAK1", 2, {}, -1, -1, 0, 0, &kCtrlNak1},
        {"header ACK lost after a NAK2", 2, {}, -1, -1, 0, 0, &kCtrlNak2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PcDownload pc;
        pc.core.faults() = c.faults;
        pc.last = c.lastBefore;
        pc.loseHeaderAck = c.lastBefore;
        ASSERT_TRUE(pc.run(c.picture));
        const CameraState& state = pc.core.state();
        const Picture& want = c.picture ? state.pictures[c.picture - 1] : state.splash;
        Bytes expected = want.pixels;
        if (c.patchedPlace >= 0)
            std::copy_n(want.pixels.begin() + (c.patchedPlace - 1) * 32, 32,
                        expected.begin() + c.patchedPlace * 32);
        EXPECT_EQ(pc.image, expected);
        EXPECT_EQ(pc.header, want.header);
        const Counters& n = pc.core.counters();
        const std::array counted{n.ctrlNak1, n.ctrlNak2, n.retransmissions};
        EXPECT_EQ((c.nak1 < 0 ? counted : std::array{c.nak1, c.nak2, c.retransmissions}), counted);
        EXPECT_GT(c.nak2 < 0 ? n.ctrlNak2 : 51, 50);
        EXPECT_EQ(n.transfersCompleted, 1);
        EXPECT_FALSE(pc.core.transferActive());
    }
    Rig r;  // a transfer the PC abandons is given up after ten quiet seconds
    r.command({'C', 'S', 1});
    r.raw(kCtrlAck);
    EXPECT_EQ(r.tickAfter(9999ms), Bytes{});
    EXPECT_TRUE(r.core.transferActive());
    r.tickAfter(1ms);
    EXPECT_FALSE(r.core.transferActive());
    EXPECT_EQ(r.core.counters().transfersAbandoned, 1);
    EXPECT_EQ(r.raw(kCtrlAck), Bytes{});  // control packets outside a transfer are ignored
}

Bytes blockPacket(char letter, int number, bool corrupt = false) {
    Bytes payload{static_cast<uint8_t>(letter), 'b'};
    for (int i = 0; i < 32; ++i) payload.push_back(static_cast<uint8_t>(number * 7 + i));
    Bytes frame = wire::pcFrame(payload, false);
    if (corrupt) frame[frame.size() - 2] ^= 0x40;
    return frame;
}

// The splash: blocks asked for in turn become picture 0. The FPGA configuration: its first
// request repeats only after a quiet second, and the last block is not answered.
TEST(SimUploads, BlocksAreAskedForInTurn) {
    Rig r;
    const Bytes ask0{0x10, 0x02, 0x54, 0x01, 'c', 0, 0, 0x10, 0x03, 0x36, 0xC9};
    EXPECT_EQ(r.raw({0x10, 0x02, 0x54, 0x01, 0x43, 0x75, 0x10, 0x03, 0x63, 0x9C}), ask0);
    EXPECT_EQ(r.raw(blockPacket('C', 0, true)), ask0);  // a bad block is asked for again
    for (int n = 0; n < kSplashBlocks; ++n) {
        const Bytes ask = r.raw(blockPacket('C', n));
        ASSERT_EQ(ask.size(), 11u);
        ASSERT_EQ((ask[5] << 8 | ask[6]), n + 1);
        ASSERT_EQ(ask[9], 0x36 ^ ask[5] ^ ask[6]);
    }
    const CameraState& s = r.core.state();
    EXPECT_TRUE(s.customSplash);
    EXPECT_EQ(s.splash.pixels[0], 0);
    EXPECT_EQ(s.splash.pixels[kPixelCount - 1], static_cast<uint8_t>(2399 * 7 + 31));
    EXPECT_FALSE(r.core.uploadActive());
    Rig q;  // the FPGA configuration
    const Bytes askFpga{0x10, 0x02, 0x54, 0x01, 'J', 's', 0, 0, 0x10, 0x03, 0x6C, 0x93};
    EXPECT_EQ(q.command({'J', 'a'}), kAck + askFpga);
    EXPECT_EQ(q.tickAfter(999ms), Bytes{});
    EXPECT_EQ(q.tickAfter(1ms), askFpga);
    EXPECT_EQ(q.tickAfter(999ms), Bytes{});
    q.now = TimePoint{} + 1500ms;
    for (int n = 0; n <= kFpgaLastBlock; ++n) {
        q.now += 10ms;
        ASSERT_EQ(q.raw(blockPacket('J', n)).size(), n == kFpgaLastBlock ? 0u : 12u) << n;
    }
    ASSERT_EQ(q.core.state().fpgaImage.size(), static_cast<size_t>(kFpgaBytes));
    EXPECT_EQ(q.core.state().fpgaImage[kFpgaBytes - 1],
              static_cast<uint8_t>(kFpgaLastBlock * 7 + 14));
    EXPECT_EQ(q.tickAfter(5s), Bytes{});
}

}  // namespace
}  // namespace camsim

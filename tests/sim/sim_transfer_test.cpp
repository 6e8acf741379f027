// Picture transfer and uploads from the camera's side, each against a model of the PC's side.

#include <gtest/gtest.h>

#include <deque>

#include "sim/CameraCore.h"
#include "sim/SimCamera.h"

namespace camsim {
namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

const Bytes kCtrlAck{0x10, 0x02, 0x54, 0x01, 0x43, 0x06, 0x10, 0x03, 0x10, 0xEF};
const Bytes kCtrlNak{0x10, 0x02, 0x54, 0x01, 0x43, 0x15, 0x10, 0x03, 0x03, 0xFC};
const Bytes kCtrlNak1{0x10, 0x02, 0x54, 0x01, 0x43, 0x15, 0x01, 0x10, 0x03, 0x02, 0xFD};
const Bytes kCtrlNak2{0x10, 0x02, 0x54, 0x01, 0x43, 0x15, 0x02, 0x10, 0x03, 0x01, 0xFE};
const Bytes kCtrlEnd{0x10, 0x02, 0x54, 0x01, 0x43, 0x78, 0x10, 0x03, 0x6E, 0x91};

// The PC's picture download: stop-and-wait with ACK, NAK1 for a gap in the numbering (the
// packet is stored twice), NAK2 for a bad checksum, the last control packet repeated after an
// 800 ms idle time-out, five errors or five time-outs in a row end it; done when all 2400
// places are filled.
struct PcDownload {
    explicit PcDownload(CameraCore& c) : core(c) {}

    CameraCore& core;
    TimePoint now{};
    std::deque<uint8_t> inbox;
    const Bytes* last = nullptr;
    Bytes image = Bytes(kPixelCount);
    std::array<uint8_t, 21> header{};
    int timeouts = 0;
    bool loseHeaderAck = false;

    void send(const Bytes& b) {
        now += 1ms;
        for (auto& o : core.receive(b, now))
            inbox.insert(inbox.end(), o.bytes.begin(), o.bytes.end());
    }
    // A 40-byte packet, or nothing after an idle time-out.
    std::optional<Bytes> receive() {
        while (inbox.size() >= 2 && !(inbox[0] == 0x10 && inbox[1] == 0x02)) inbox.pop_front();
        if (inbox.size() < 40) {
            now += 800ms;
            for (auto& o : core.tick(now))
                inbox.insert(inbox.end(), o.bytes.begin(), o.bytes.end());
            ++timeouts;
            return std::nullopt;
        }
        Bytes p(inbox.begin(), inbox.begin() + 40);
        inbox.erase(inbox.begin(), inbox.begin() + 40);
        return p;
    }
    static bool good(const Bytes& p) { return wire::xorOf(std::span(p).subspan(2, 34)) == p[38]; }

    bool run(int picture) {
        send(wire::pcFrame({'C', 'S', static_cast<uint8_t>(picture)}, true));
        int errors = 0;
        for (;;) {
            auto p = receive();
            if (p && good(*p)) {
                std::copy(p->begin() + 4, p->begin() + 25, header.begin());
                break;
            }
            if (++errors == 5) return false;
            send(kCtrlNak);
        }
        if (!loseHeaderAck) send(kCtrlAck);
        return data();
    }

    bool data() {
        int expected = -1, errors = 0, resends = 0;
        size_t offset = 0;
        bool repeat = false;
        while (offset < image.size()) {
            auto p = receive();
            if (!p) {
                if (++resends == 5) return false;
                if (last) send(*last);
                continue;
            }
            resends = 0;
            if (!good(*p)) {
                if (++errors == 5) return false;
                send(*(last = &kCtrlNak2));
                continue;
            }
            int number = (*p)[2] << 8 | (*p)[3];
            std::copy(p->begin() + 4, p->begin() + 36, image.begin() + offset);
            offset += 32;
            if (repeat && offset < image.size()) {
                std::copy(p->begin() + 4, p->begin() + 36, image.begin() + offset);
                offset += 32;
                ++number;
                --expected;
                repeat = false;
            }
            if (number != expected + 1) {
                if (++errors == 5) return false;
                send(*(last = &kCtrlNak1));
                expected = number;
                offset -= 32;
                repeat = true;
                continue;
            }
            send(*(last = &kCtrlAck));
            errors = 0;
            expected = number;
        }
        send(kCtrlEnd);
        return true;
    }
};

struct TransferCase {
    const char* name;
    std::set<int> corrupt, drop, skip;
    int patchedPlace;  // place that holds its neighbour's pixels (NAK1 recovery), or -1
    int64_t nak1, nak2, retransmissions;
};

TEST(SimTransfer, PcDownloadAssemblesThePictureDespiteFaults) {
    const TransferCase cases[] = {
        {"clean line", {}, {}, {}, -1, 0, 0, 0},
        {"corrupt header and packets", {0xFFFF, 0, 7, 2399}, {}, {}, -1, 0, 3, 4},
        {"lost packet", {}, {100}, {}, 101, 1, 0, 1},
        {"lost header", {}, {0xFFFF}, {}, -1, 0, 0, 1},
        {"skipped packet", {}, {}, {500}, 501, 1, 0, 0},
        {"corrupt packet in place of a skipped one", {41}, {}, {40}, 41, 1, 1, 1},
    };
    for (const auto& c : cases) {
        CameraCore core(SimCamera::defaultState());
        core.faults().corruptPackets = c.corrupt;
        core.faults().dropPackets = c.drop;
        core.faults().skipPackets = c.skip;
        PcDownload pc(core);
        ASSERT_TRUE(pc.run(3)) << c.name;
        const Picture& want = core.state().pictures[2];
        Bytes expected = want.pixels;
        if (c.patchedPlace >= 0)
            std::copy_n(want.pixels.begin() + (c.patchedPlace - 1) * 32, 32,
                        expected.begin() + c.patchedPlace * 32);
        EXPECT_EQ(pc.image, expected) << c.name;
        EXPECT_EQ(pc.header, want.header) << c.name;
        const Counters& n = core.counters();
        EXPECT_EQ(n.ctrlNak1, c.nak1) << c.name;
        EXPECT_EQ(n.ctrlNak2, c.nak2) << c.name;
        EXPECT_EQ(n.retransmissions, c.retransmissions) << c.name;
        EXPECT_EQ(n.transfersCompleted, 1) << c.name;
        EXPECT_FALSE(core.transferActive()) << c.name;
    }
}

TEST(SimTransfer, LostHeaderAckIsMadeGoodByTheRepeatedControlPacket) {
    for (const Bytes* previous : {&kCtrlAck, &kCtrlNak1, &kCtrlNak2}) {
        CameraCore core(SimCamera::defaultState());
        PcDownload pc(core);
        pc.last = previous;  // what the PC's last transfer ended on
        pc.loseHeaderAck = true;
        ASSERT_TRUE(pc.run(2));
        EXPECT_EQ(pc.image, core.state().pictures[1].pixels);
    }
}

TEST(SimTransfer, RandomCorruptionIsRepairedByNak2) {
    CameraCore core(SimCamera::defaultState(), 7);
    core.faults().corruptRate = 0.05;
    PcDownload pc(core);
    ASSERT_TRUE(pc.run(0));
    EXPECT_EQ(pc.image, core.state().splash.pixels);
    EXPECT_GT(core.counters().ctrlNak2, 50);
}

TEST(SimTransfer, AbandonedAfterTenQuietSeconds) {
    CameraCore core(SimCamera::defaultState());
    TimePoint t{};
    core.receive(wire::pcFrame({'C', 'S', 1}, true), t);
    core.receive(kCtrlAck, t);
    EXPECT_TRUE(core.tick(t + 9999ms).empty());
    EXPECT_TRUE(core.transferActive());
    core.tick(t + 10s);
    EXPECT_FALSE(core.transferActive());
    EXPECT_EQ(core.counters().transfersAbandoned, 1);
    EXPECT_TRUE(core.receive(kCtrlAck, t + 11s).empty());  // control packets outside are ignored
}

Bytes blockPacket(char letter, int number, bool corrupt = false) {
    Bytes payload{static_cast<uint8_t>(letter), 'b'};
    for (int i = 0; i < 32; ++i) payload.push_back(static_cast<uint8_t>(number * 7 + i));
    Bytes frame = wire::pcFrame(payload, false);
    if (corrupt) frame[frame.size() - 2] ^= 0x40;
    return frame;
}

Bytes received(CameraCore& core, const Bytes& in, TimePoint t) {
    Bytes out;
    for (auto& o : core.receive(in, t)) out.insert(out.end(), o.bytes.begin(), o.bytes.end());
    return out;
}

TEST(SimUploads, SplashBlocksAreAskedForInTurnAndBecomePictureZero) {
    CameraCore core(SimCamera::defaultState());
    TimePoint t{};
    const Bytes start{0x10, 0x02, 0x54, 0x01, 0x43, 0x75, 0x10, 0x03, 0x63, 0x9C};
    EXPECT_EQ(received(core, start, t),
              (Bytes{0x10, 0x02, 0x54, 0x01, 'c', 0, 0, 0x10, 0x03, 0x36, 0xC9}));
    EXPECT_EQ(received(core, blockPacket('C', 0, true), t),
              (Bytes{0x10, 0x02, 0x54, 0x01, 'c', 0, 0, 0x10, 0x03, 0x36, 0xC9}));
    for (int n = 0; n < kSplashBlocks; ++n) {
        const Bytes ask = received(core, blockPacket('C', n), t);
        ASSERT_EQ(ask.size(), 11u);
        ASSERT_EQ((ask[5] << 8 | ask[6]), n + 1);
        ASSERT_EQ(ask[9], 0x36 ^ ask[5] ^ ask[6]);
    }
    const CameraState& s = core.state();
    EXPECT_TRUE(s.customSplash);
    EXPECT_EQ(s.splash.pixels[0], 0);
    EXPECT_EQ(s.splash.pixels[kPixelCount - 1], static_cast<uint8_t>(2399 * 7 + 31));
    EXPECT_FALSE(core.uploadActive());
}

TEST(SimUploads, FpgaRequestRepeatsOnlyAfterAQuietSecond) {
    CameraCore core(SimCamera::defaultState());
    TimePoint t{};
    const Bytes ask0{0x10, 0x02, 0x54, 0x01, 'J', 's', 0, 0, 0x10, 0x03, 0x6C, 0x93};
    Bytes ackThenAsk = received(core, wire::pcFrame({'J', 'a'}, true), t);
    EXPECT_EQ(Bytes(ackThenAsk.begin(), ackThenAsk.begin() + 9),
              (Bytes{0x10, 0x02, 0x54, 0x01, 0x06, 0x10, 0x03, 0x53, 0xAC}));
    EXPECT_EQ(Bytes(ackThenAsk.begin() + 9, ackThenAsk.end()), ask0);
    EXPECT_TRUE(core.tick(t + 999ms).empty());
    const auto again = core.tick(t + 1s);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].bytes, ask0);
    EXPECT_TRUE(core.tick(t + 1999ms).empty());
    t += 1500ms;
    for (int n = 0; n <= kFpgaLastBlock; ++n) {
        t += 10ms;
        const Bytes ask = received(core, blockPacket('J', n), t);
        ASSERT_EQ(ask.size(), n == kFpgaLastBlock ? 0u : 12u) << n;
    }
    const CameraState& s = core.state();
    ASSERT_EQ(s.fpgaImage.size(), static_cast<size_t>(kFpgaBytes));
    EXPECT_EQ(s.fpgaImage[kFpgaBytes - 1], static_cast<uint8_t>(kFpgaLastBlock * 7 + 14));
    EXPECT_TRUE(core.tick(t + 5s).empty());
}

}  // namespace
}  // namespace camsim

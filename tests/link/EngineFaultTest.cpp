// The transaction engine against a misbehaving simulated camera: refusals, silence, bad, lost and
// skipped packets, a camera that goes quiet mid-transfer, garbage and a noisy line.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // Faults{.silent = true}
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "link/Packet.h"
#include "tests/support/SimLink.h"

namespace {

TEST(PlainCommand, NakOrCanTurnsTheIndicatorRed) {
    SimLink link;
    link.camera.setFaults({.nakCommands = {"Sf"}, .canCommands = {"It"}});
    link.send(Row::ReturnToNormal);
    link.send(13);
    EXPECT_EQ(link.observer.indicators,
              (std::vector{Indicator::Red, Indicator::Grey, Indicator::Red, Indicator::Grey}));
}

TEST(Timeouts, SilentCameraAtTheRealDurations) {
    SimLink link(SimLink::unpaced(), 1.0);
    link.camera.setFaults({.silent = true});
    QElapsedTimer t;

    t.start();  // plain reply: 2000 ms, then green as designed
    link.send(Row::ReturnToNormal);
    EXPECT_GE(t.elapsed(), 2000 + 1296);
    EXPECT_EQ(link.observer.indicators.front(), Indicator::Green);
    EXPECT_TRUE(link.state.LastReply.isEmpty());
    // The green lamp is not read as a confirmation.
    EXPECT_EQ(link.observer.notes, std::vector<QString>{CommsEngine::kNoConfirmation});

    t.restart();  // packet idle time-out: 800 ms, "Resend"
    link.port.setPortOpen(true);
    EXPECT_EQ(link.engine.ReceivePacket(57), kResend);
    EXPECT_GE(t.elapsed(), 800);
    EXPECT_EQ(link.state.ResendCount, 1);

    t.restart();  // short reply: 200 ms, counted by the splash wait
    link.state.SplashReplyMode = true;
    link.state.SplashReplyLength = 11;
    link.engine.Receive();
    EXPECT_GE(t.elapsed(), 200);
    EXPECT_EQ(link.state.SplashTimeoutCount, 1);
    EXPECT_TRUE(link.state.SplashReply.isEmpty());
    link.state.SplashReplyMode = false;

    t.restart();  // bulk reply: 7000 ms, then back without touching the indicator
    const size_t shown = link.observer.indicators.size();
    link.state.BulkReplyMode = true;
    link.send(Row::ReturnToNormal);
    EXPECT_GE(t.elapsed(), 7000);
    EXPECT_EQ(link.observer.indicators.size(), shown);
}

TEST(ReceivePacket, FiveTimeoutsInARowGiveUpWithTheMessage) {
    SimLink link;
    link.camera.setFaults({.silent = true});
    link.port.setPortOpen(true);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(link.engine.ReceivePacket(40), kResend);
    EXPECT_EQ(link.engine.ReceivePacket(40), kCommsTimeout);
    ASSERT_EQ(link.dialogs.shown.size(), 1u);
    EXPECT_EQ(link.dialogs.shown[0].title, "Error");
    EXPECT_EQ(link.dialogs.shown[0].text, "Comms Timeout 1");
    EXPECT_EQ(link.state.ResendCount, 0);
}

enum class Outcome { Exact, Patched, ExactOrSaysSo, Fails, TimesOut };

struct FaultCase {
    const char* name;
    camsim::Faults faults;
    Outcome outcome;
    int nak2 = 0;           // checksum repairs asked for and made (-1: not counted)
    int quietAfterMs = -1;  // the camera goes quiet this long into the transfer
};

class PictureUnderFault : public testing::TestWithParam<FaultCase> {};

TEST_P(PictureUnderFault, IsExactOrSaysWhatItPatchedOrGivesUp) {
    const FaultCase& c = GetParam();
    SimLink link;
    link.camera.setFaults(c.faults);
    if (c.quietAfterMs >= 0)
        QTimer::singleShot(c.quietAfterMs, [&] { link.camera.setFaults({.silent = true}); });
    requestPicture(link, 3);
    const LinkHealth& h = link.state.TransferHealth;
    std::vector<uint8_t> expected = cameraPicture(link, 3);
    switch (c.outcome) {
        case Outcome::Patched:  // the place after the lost packet holds a copy of its neighbour
            std::copy_n(expected.begin() + 100 * 32, 32, expected.begin() + 101 * 32);
            EXPECT_EQ(std::pair(h.patched, h.nak1), std::pair(1, 1));
            [[fallthrough]];
        case Outcome::Exact:
            ASSERT_TRUE(link.state.ImageTransferComplete);
            EXPECT_EQ(firstDifference(receivedPicture(link), expected), -1);
            break;
        case Outcome::ExactOrSaysSo:
            if (link.state.ImageTransferComplete && h.patched == 0)
                EXPECT_EQ(firstDifference(receivedPicture(link), expected), -1);
            break;
        case Outcome::TimesOut:
            EXPECT_EQ(link.state.TransferResult, kCommsTimeout);
            ASSERT_FALSE(link.dialogs.shown.empty());
            EXPECT_TRUE(link.dialogs.shown.back().text.startsWith("Comms Timeout"));
            [[fallthrough]];
        case Outcome::Fails:
            EXPECT_FALSE(link.state.ImageTransferComplete);
            break;
    }
    if (c.outcome == Outcome::Exact)  // repairs are asked for at once, not after a time-out
        EXPECT_EQ(std::pair(h.patched, h.timeouts), std::pair(0, 0));
    if (c.nak2 >= 0)
        EXPECT_EQ(std::pair(h.nak2, int(link.camera.counters().ctrlNak2)),
                  std::pair(c.nak2, c.nak2));
    if (!c.faults.dropPackets.empty()) EXPECT_GE(h.timeouts, 1);
    // Whatever happened, the engine is usable afterwards with the normal reply handling.
    EXPECT_FALSE(link.state.BulkReplyMode);
    link.camera.setFaults({});
    link.send(Row::ReturnToNormal);
    EXPECT_EQ(link.state.LastReply, cameraAck());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PictureUnderFault,
    testing::Values(FaultCase{"bad checksums, header and last packet included",
                              {.corruptPackets = {0xFFFF, 0, 1, 17, 1200, 2398, 2399}},
                              Outcome::Exact,
                              6},
                    FaultCase{"lost packet", {.dropPackets = {100}}, Outcome::Patched},
                    FaultCase{"skipped packet", {.skipPackets = {100}}, Outcome::Patched},
                    FaultCase{"garbage and split packets",
                              {.garbageBytes = 5, .splitChunks = 3},
                              Outcome::Exact},
                    FaultCase{"five errors in a row", {.corruptRate = 1.0}, Outcome::Fails, -1},
                    FaultCase{"camera gone mid-transfer", {}, Outcome::TimesOut, 0, 30},
                    FaultCase{"noisy line",
                              {.garbageBytes = 3, .splitChunks = 3, .bitFlipRate = 0.0005},
                              Outcome::ExactOrSaysSo,
                              -1}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name) ch = std::isalnum(uint8_t(ch)) ? ch : '_';
        return name;
    });

}  // namespace

// The transaction engine against a misbehaving simulated camera: refusals, silence, bad and lost packets.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "link/Packet.h"
#include "tests/support/SimLink.h"

namespace {

TEST(PlainCommand, NakOrCanTurnsTheIndicatorRed) {
    SimLink link;
    camsim::Faults f;
    f.nakCommands = {"Sf"};
    f.canCommands = {"It"};
    link.camera.setFaults(f);
    link.send(Row::ReturnToNormal);
    link.send(13);
    EXPECT_EQ(link.observer.indicators, (std::vector{Indicator::Red, Indicator::Grey, Indicator::Red,
                                                     Indicator::Grey}));
}

TEST(Timeouts, SilentCameraAtTheRealDurations) {
    SimLink link(SimLink::unpaced(), 1.0);
    camsim::Faults silent;
    silent.silent = true;
    link.camera.setFaults(silent);
    QElapsedTimer t;

    t.start();  // plain reply: 2000 ms, then green as designed
    link.send(Row::ReturnToNormal);
    EXPECT_GE(t.elapsed(), 2000 + 1296);
    EXPECT_EQ(link.observer.indicators.front(), Indicator::Green);
    EXPECT_TRUE(link.state.LastReply.isEmpty());
    ASSERT_FALSE(link.observer.notes.empty());  // the green lamp is not read as a confirmation
    EXPECT_EQ(link.observer.notes.back(), CommsEngine::kNoConfirmation);

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
    camsim::Faults silent;
    silent.silent = true;
    link.camera.setFaults(silent);
    link.port.setPortOpen(true);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(link.engine.ReceivePacket(40), kResend);
    EXPECT_EQ(link.engine.ReceivePacket(40), kCommsTimeout);
    ASSERT_EQ(link.dialogs.shown.size(), 1u);
    EXPECT_EQ(link.dialogs.shown[0].title, "Error");
    EXPECT_EQ(link.dialogs.shown[0].text, "Comms Timeout 1");
    EXPECT_EQ(link.state.ResendCount, 0);
}

TEST(PictureTransfer, BadChecksumsAreRepairedExactlyTheLastPacketIncluded) {
    SimLink link;
    camsim::Faults f;
    f.corruptPackets = {0xFFFF, 0, 1, 17, 1200, 2398, 2399};
    link.camera.setFaults(f);
    requestPicture(link, 1);
    EXPECT_TRUE(link.state.ImageTransferComplete);
    EXPECT_EQ(firstDifference(receivedPicture(link), cameraPicture(link, 1)), -1);
    EXPECT_EQ(link.state.TransferHealth.nak2, 6);
    EXPECT_EQ(link.camera.counters().ctrlNak2, 6);
    EXPECT_EQ(link.state.TransferHealth.patched, 0);
}

TEST(PictureTransfer, LostPacketsArePatchedByTheirNeighbourAndSaidSo) {
    for (bool dropped : {false, true}) {
        SimLink link;
        camsim::Faults f;
        (dropped ? f.dropPackets : f.skipPackets) = {100};
        link.camera.setFaults(f);
        requestPicture(link, 3);
        EXPECT_TRUE(link.state.ImageTransferComplete);
        EXPECT_EQ(link.state.TransferHealth.patched, 1);
        EXPECT_EQ(link.state.TransferHealth.nak1, 1);
        // The place after the lost packet holds a copy of its neighbour; all else is exact.
        std::vector<uint8_t> expected = cameraPicture(link, 3);
        std::copy_n(expected.begin() + 100 * 32, 32, expected.begin() + 101 * 32);
        EXPECT_EQ(firstDifference(receivedPicture(link), expected), -1) << "dropped=" << dropped;
        if (dropped) {
            EXPECT_GE(link.state.TransferHealth.timeouts, 1);
        }
    }
}

TEST(PictureTransfer, GivesUpAfterFiveErrorsInARowOrWhenTheCameraGoesSilent) {
    SimLink link;
    camsim::Faults f;
    f.corruptRate = 1.0;
    link.camera.setFaults(f);
    requestPicture(link, 1);
    EXPECT_FALSE(link.state.ImageTransferComplete);
    EXPECT_FALSE(link.state.BulkReplyMode);

    link.camera.setFaults({});
    QTimer::singleShot(30, [&] {
        camsim::Faults silent;
        silent.silent = true;
        link.camera.setFaults(silent);
    });
    requestPicture(link, 1);
    EXPECT_FALSE(link.state.ImageTransferComplete);
    EXPECT_EQ(link.state.TransferResult, kCommsTimeout);
    ASSERT_FALSE(link.dialogs.shown.empty());
    EXPECT_TRUE(link.dialogs.shown.back().text.startsWith("Comms Timeout"));
}

TEST(PictureTransfer, GarbageAndSplitPacketsStillGiveTheExactPicture) {
    SimLink link;
    camsim::Faults f;
    f.garbageBytes = 5;
    f.splitChunks = 3;
    link.camera.setFaults(f);
    requestPicture(link, 4);
    EXPECT_TRUE(link.state.ImageTransferComplete);
    EXPECT_EQ(firstDifference(receivedPicture(link), cameraPicture(link, 4)), -1);
}

TEST(PictureTransfer, SurvivesANoisyLineWithoutReadingOutOfBounds) {
    SimLink link;
    camsim::Faults f;
    f.garbageBytes = 3;
    f.bitFlipRate = 0.0005;
    f.splitChunks = 3;
    link.camera.setFaults(f);
    requestPicture(link, 4);
    // A finished transfer is exact or says what it patched; the engine is usable afterwards.
    if (link.state.ImageTransferComplete && link.state.TransferHealth.patched == 0) {
        EXPECT_EQ(firstDifference(receivedPicture(link), cameraPicture(link, 4)), -1);
    }
    link.camera.setFaults({});
    link.send(Row::ReturnToNormal);
    EXPECT_EQ(link.state.LastReply, cameraAck());
}

}  // namespace

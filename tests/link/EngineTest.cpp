// The transaction engine against the simulated camera, through the real serial layer.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "link/Packet.h"
#include "tests/support/SimLink.h"

namespace {

TEST(PlainCommand, AckEndsTheWaitAtOnceAndShowsGreenThenGrey) {
    SimLink link(SimLink::unpaced(), 1.0);  // real reply time-out
    QElapsedTimer t;
    t.start();
    link.state.CommandIndex = Row::ReturnToNormal;
    link.engine.Transmit();
    // The reply ends the wait long before the 2000 ms time-out (the 1296 ms indicator follows).
    EXPECT_LT(t.elapsed(), 1296 + 1000);
    EXPECT_EQ(link.state.LastReply, cameraAck());
    EXPECT_EQ(link.observer.indicators, (std::vector{Indicator::Green, Indicator::Grey}));
    ASSERT_FALSE(link.camera.receivedPayloads().empty());
    EXPECT_EQ(link.camera.receivedPayloads().back(), (std::vector<uint8_t>{'S', 'f'}));
    EXPECT_FALSE(link.port.portOpen());
}

TEST(PlainCommand, StuffedCommandByteReachesTheCameraOnce) {
    SimLink link;
    link.send(107);  // A 0x10
    ASSERT_FALSE(link.camera.receivedPayloads().empty());
    EXPECT_EQ(link.camera.receivedPayloads().back(), (std::vector<uint8_t>{'A', 0x10}));
    EXPECT_EQ(link.state.LastReply, cameraAck());
}

TEST(PictureTransfer, CleanTransferFillsTheBufferPixelForPixel) {
    SimLink link;
    requestPicture(link, 2);
    EXPECT_TRUE(link.state.ImageTransferComplete);
    EXPECT_EQ(firstDifference(receivedPicture(link), cameraPicture(link, 2)), -1);
    EXPECT_EQ(link.state.TransferResult, "none");
    EXPECT_EQ(link.state.TransferHealth.packets, kImagePackets);
    EXPECT_EQ(link.state.TransferHealth.patched, 0);
    const auto header = link.camera.state().pictures.at(1).header;
    EXPECT_EQ(link.state.ImageHeader[0], header[0]);
    EXPECT_EQ(link.state.ImageHeader[20], header[20]);
    EXPECT_FALSE(link.state.BulkReplyMode);
    EXPECT_FALSE(link.state.PacketTransferMode);
    // The end packet, then again after each of the three empty waits that follow it.
    const std::vector<uint8_t> raw = link.camera.rawReceived();
    const QByteArray wire(reinterpret_cast<const char*>(raw.data()), qsizetype(raw.size()));
    EXPECT_EQ(wire.count(QByteArray::fromHex("10025401437810036E91")), 4);
    EXPECT_FALSE(link.observer.progressVisible);
    EXPECT_EQ(link.observer.lastProgress, kImagePackets);
    // A plain command afterwards gets its normal reply handling.
    link.send(Row::ReturnToNormal);
    EXPECT_EQ(link.state.LastReply, cameraAck());
}

TEST(PictureTransfer, ASecondExchangeWhileWaitingIsRefusedNotInterleaved) {
    SimLink link;
    size_t payloadsAtClick = 0;
    QTimer::singleShot(50, [&] {
        payloadsAtClick = link.camera.receivedPayloads().size();
        link.send(Row::ReturnToNormal);
    });
    requestPicture(link, 1);
    EXPECT_TRUE(link.state.ImageTransferComplete);
    EXPECT_EQ(firstDifference(receivedPicture(link), cameraPicture(link, 1)), -1);
    ASSERT_EQ(link.observer.notes.size(), 1u);
    EXPECT_EQ(link.observer.notes[0], CommsEngine::kBusyNote);
    for (size_t i = payloadsAtClick; i < link.camera.receivedPayloads().size(); ++i)
        EXPECT_NE(link.camera.receivedPayloads()[i], (std::vector<uint8_t>{'S', 'f'}));
}

}  // namespace

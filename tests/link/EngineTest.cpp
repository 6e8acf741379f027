// The transaction engine and its link log against the simulated camera, through the real serial
// layer: what the camera received, what the window was shown, what the log says happened.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // Faults{.silent = true}
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "link/Packet.h"
#include "tests/support/SimLink.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(PlainCommand, ReplyEndsTheWaitAndShowsGreenThenGrey) {
    const struct {
        int row;
        Bytes payload;
    } cases[] = {{Row::ReturnToNormal, {'S', 'f'}}, {107, {'A', 0x10}}};
    for (const auto& c : cases) {
        // A reply time-out far beyond the test's own: only the reply can end this wait.
        Timing slow = Timing{}.scaled(0.01);
        slow.plainReplyMs = 3600 * 1000;
        SimLink link(SimLink::unpaced(), slow, camsim::SimCamera::defaultState());
        link.send(c.row);
        EXPECT_EQ(link.state.LastReply, cameraAck()) << c.row;
        EXPECT_EQ(link.observer.indicators, (std::vector{Indicator::Green, Indicator::Grey}));
        EXPECT_EQ(link.camera.receivedPayloads(), std::vector<Bytes>{c.payload}) << c.row;
        EXPECT_FALSE(link.port.portOpen());
    }
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
    EXPECT_FALSE(link.state.BulkReplyMode || link.state.PacketTransferMode);
    // The end packet, then again after each of the three empty waits that follow it.
    const Bytes raw = link.camera.rawReceived();
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
    EXPECT_EQ(link.observer.notes, std::vector<QString>{CommsEngine::kBusyNote});
    for (size_t i = payloadsAtClick; i < link.camera.receivedPayloads().size(); ++i)
        EXPECT_NE(link.camera.receivedPayloads()[i], (Bytes{'S', 'f'}));
}

TEST(LinkLog, AFaultyTransferShowsEveryNakAndTimeOutWhereTheCameraCountedThem) {
    SimLink link;
    QTemporaryDir dir;
    ASSERT_TRUE(link.engine.trace().open(dir.filePath("link.txt")));
    link.camera.setFaults({.corruptPackets = {5, 700}, .dropPackets = {9}});
    link.send(Row::ReturnToNormal);
    requestPicture(link, 1);
    link.engine.trace().close();
    ASSERT_TRUE(link.state.ImageTransferComplete);

    QFile f(dir.filePath("link.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    const camsim::Counters c = link.camera.counters();
    const LinkHealth& h = link.state.TransferHealth;
    const std::pair<QString, int> counts[] = {
        {"PC>CAM  command S f, checksum good", 1},
        {"CAM>PC  reply ACK", 1},
        {"PC>CAM  command C S, parameters 01", 1},
        {"picture header, checksum good", 1},
        {"picture packet 5, checksum bad", 1},
        {"picture packet 700, checksum bad", 1},
        {"control NAK2", int(c.ctrlNak2)},
        {"control NAK1", int(c.ctrlNak1)},
        {"idle time-out", h.timeouts + 3},
        {"end of transfer", 4},
        // A pseudo-terminal has no low-latency mode; said once, not at every exchange.
        {"port 1 open at 115200,N,8,1, low latency: no", 1},
        {"transfer complete: " + healthText(h), 1},
    };
    for (const auto& [text, n] : counts)
        EXPECT_EQ(lines.filter(text).size(), n) << text.toStdString();

    // The health the window and the command line show is the same count.
    ASSERT_EQ(link.observer.health.size(), 1u);
    const LinkHealth& shown = link.observer.health[0];
    EXPECT_TRUE(link.observer.healthComplete);
    EXPECT_EQ(shown.packets + shown.patched,
              kImagePackets);  // a patched place came without its packet
    EXPECT_EQ(std::tuple(shown.nak2, shown.nak1, shown.patched), std::tuple(2, int(c.ctrlNak1), 1));
    EXPECT_GE(shown.timeouts, 1);
    EXPECT_EQ(healthText(shown), healthText(h));
}

TEST(LinkLog, DescribesRepliesByWhatTheLinkWaitedFor) {
    EXPECT_EQ(describeCameraReply(cameraCan(), 9), "reply CAN");
    EXPECT_EQ(describeCameraReply(QByteArray(), 9), "nothing");
    EXPECT_EQ(describeCameraReply(QByteArray::fromHex("1002540107100356"), 8), "picture count 7");
    EXPECT_EQ(describeCameraReply(QByteArray::fromHex("1002540105"), 40),
              "5 bytes: 10 02 54 01 05");
    EXPECT_EQ(describePcPayload(QByteArray::fromHex("4110"), true), "command A 0x10");
    EXPECT_EQ(describePcPayload("Sr", false), "status request");
}

}  // namespace

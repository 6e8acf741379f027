// The link log and the transfer health against the simulated camera: what the log says happened
// is what the camera counted.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "link/Packet.h"
#include "tests/support/SimLink.h"

namespace {

QStringList logLines(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

int count(const QStringList& lines, const QString& text) {
    int n = 0;
    for (const QString& l : lines) n += l.contains(text);
    return n;
}

TEST(LinkLog, AFaultyTransferShowsEveryNakAndTimeOutWhereTheCameraCountedThem) {
    SimLink link;
    QTemporaryDir dir;
    const QString path = dir.filePath("link.txt");
    ASSERT_TRUE(link.engine.trace().open(path));
    camsim::Faults f;
    f.corruptPackets = {5, 700};
    f.dropPackets = {9};
    link.camera.setFaults(f);
    link.send(Row::ReturnToNormal);
    requestPicture(link, 1);
    link.engine.trace().close();
    ASSERT_TRUE(link.state.ImageTransferComplete);

    const QStringList lines = logLines(path);
    const camsim::Counters c = link.camera.counters();
    EXPECT_EQ(count(lines, "PC>CAM  command S f, checksum good"), 1);
    EXPECT_EQ(count(lines, "CAM>PC  reply ACK"), 1);
    EXPECT_EQ(count(lines, "PC>CAM  command C S, parameters 01"), 1);
    EXPECT_EQ(count(lines, "picture header, checksum good"), 1);
    EXPECT_EQ(count(lines, "picture packet 5, checksum bad"), 1);
    EXPECT_EQ(count(lines, "picture packet 700, checksum bad"), 1);
    EXPECT_EQ(count(lines, "control NAK2"), int(c.ctrlNak2));
    EXPECT_EQ(count(lines, "control NAK1"), int(c.ctrlNak1));
    EXPECT_EQ(count(lines, "idle time-out"), link.state.TransferHealth.timeouts + 3);
    EXPECT_EQ(count(lines, "end of transfer"), 4);
    // A pseudo-terminal has no low-latency mode; said once, not at every exchange.
    EXPECT_EQ(count(lines, "port 1 open at 115200,N,8,1, low latency: no"), 1);

    // The health the window and the command line show is the same count.
    ASSERT_EQ(link.observer.health.size(), 1u);
    const LinkHealth& h = link.observer.health[0];
    EXPECT_TRUE(link.observer.healthComplete);
    EXPECT_EQ(h.packets + h.patched, kImagePackets);  // a patched place came without its packet
    EXPECT_EQ(h.nak2, 2);
    EXPECT_EQ(h.nak1, int(c.ctrlNak1));
    EXPECT_EQ(h.patched, 1);
    EXPECT_GE(h.timeouts, 1);
    EXPECT_EQ(count(lines, "transfer complete: " + healthText(h)), 1);
}

TEST(LinkLog, DescribesRepliesByWhatTheLinkWaitedFor) {
    EXPECT_EQ(describeCameraReply(cameraCan(), 9), "reply CAN");
    EXPECT_EQ(describeCameraReply(QByteArray(), 9), "nothing");
    EXPECT_EQ(describeCameraReply(QByteArray::fromHex("1002540107100356"), 8), "picture count 7");
    EXPECT_EQ(describeCameraReply(QByteArray::fromHex("1002540105"), 40), "5 bytes: 10 02 54 01 05");
    EXPECT_EQ(describePcPayload(QByteArray::fromHex("4110"), true), "command A 0x10");
    EXPECT_EQ(describePcPayload("Sr", false), "status request");
}

}  // namespace

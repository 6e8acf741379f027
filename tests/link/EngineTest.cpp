// A second exchange while one waits, through the real serial layer; the link log's words.
#include <gtest/gtest.h>

#include <QTimer>

#include "link/Packet.h"
#include "tests/support/SimLink.h"

namespace {

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
        EXPECT_NE(link.camera.receivedPayloads()[i], (std::vector<uint8_t>{'S', 'f'}));
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

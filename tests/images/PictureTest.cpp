// Rendering's refusals and the picture header; the rendered pixels are checked against the
// camera's own in PictureOpsTest.
#include <gtest/gtest.h>

#include <vector>

#include "images/ImageHeader.h"
#include "images/Render.h"

using namespace images;

TEST(Render, StoredImageHasItsStripAndNeedsAPictureAndAPalette) {
    std::vector<std::uint8_t> buffer(kImageBufferSize, 255);
    const ImageHeader header{};
    const QImage image = RenderStoredImage(buffer, 1, header, {});
    ASSERT_EQ(image.size(), QSize(320, 290));
    EXPECT_EQ(image.pixel(319, 239), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(319, 240), qRgb(192, 192, 192));
    EXPECT_EQ(image.pixel(319, 289), qRgb(192, 192, 192));
    EXPECT_TRUE(RenderStoredImage(std::span(buffer).first(76799), 1, header, {}).isNull());
    EXPECT_TRUE(RenderStoredImage(buffer, 5, header, {}).isNull());
}

// Only 51 in a reading's first digit becomes the blank 0; the unit byte 12 means Celsius.
TEST(Header, TakenFromPacketBytesFiveToTwentyFive) {
    // Framing and packet number, then clock, date, battery, spot, unit 12, ambient (d20 = '9').
    QByteArray packet = QByteArray("\x10\x02\xff\xff", 4) + "140530120324" + "3" + "325" + "\x0c" +
                        "31" + "9" + "8" + QByteArray(11, '\0');
    const ImageHeader want = {'1', '4', '0', '5', '3', '0', '1', '2', '0', '3', '2',
                              '4', '3', 0,   '2', '5', 12,  0,   '1', '9', '8'};
    EXPECT_EQ(ImageHeaderFromPacket(packet), want);
    EXPECT_EQ(HeaderUnitLetter(want), 12);
    EXPECT_EQ(AmbientDigits(want).third, '8');  // d20 is skipped
    EXPECT_EQ(ImageHeaderFromPacket(packet.left(24)), ImageHeader{});

    packet[17] = '0', packet[20] = 13, packet[21] = 63;
    const ImageHeader other = ImageHeaderFromPacket(packet);
    EXPECT_EQ(SpotDigits(other).first, '0');
    EXPECT_EQ(AmbientDigits(other).first, 63);
    EXPECT_EQ(HeaderUnitLetter(other), 15);
}

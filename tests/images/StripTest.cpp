// The picture header, and the information strip's texts and pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "images/ImageHeader.h"
#include "images/InfoStrip.h"

using namespace images;

namespace {

ImageHeader header(const char* clock, const char* date, int battery, ReadingDigits spot, int unit,
                   ReadingDigits ambient) {
    ImageHeader h{};
    for (int i = 0; i < 6; ++i) h[kClockFirst + i] = clock[i];
    for (int i = 0; i < 6; ++i) h[kDateFirst + i] = date[i];
    h[kBattery] = battery;
    h[kSpotFirst] = spot.first, h[kSpotFirst + 1] = spot.second, h[kSpotFirst + 2] = spot.third;
    h[kUnit] = unit;
    h[kAmbientFirst] = ambient.first, h[kAmbientFirst + 1] = ambient.second;
    h[kUnused] = '9';
    h[kAmbientThird] = ambient.third;
    return h;
}

}  // namespace

TEST(Strip, TextsInCodeAndValueForm) {
    struct Case {
        ImageHeader h;
        StripOptions options;
        const char* want;  // clock, date, battery cells, [spot], [ambient]
    };
    // clang-format off
    const std::vector<Case> cases = {
        {header("140530", "311224", '3', {'0', '2', '5'}, 15, {'0', '0', '7'}), {false, "C"},
         "14:05:30 31/12/24 3 [ 25°C] [  7°C]"},
        {header("2A:0/9", "010100", 0, {0, '0', '5'}, 12, {39, '1', '2'}), {false, "F"},
         "20:00:09 01/01/00 0 [] [-12°F]"},
        {header("000000", "000000", '6', {63, 2, 5}, 12, {0, 0, 7}), {true, "F"},
         "00:00:00 00/00/00 6 [ 25°C] [ 07°C]"},
        {header("235959", "290224", '7', {40, 1, 0}, 15, {0, '0', 63}), {true, "C"},
         "23:59:59 29/02/24 0 [+10°F] []"},
        {header("120000", "150624", '1', {'1', '0', '0'}, 12, {'0', '0', '0'}), {false, "C"},
         "12:00:00 15/06/24 1 [100°C] [  0°C]"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const StripTexts t = InfoStripTexts(c.h, c.options);
        EXPECT_EQ(QString("%1 %2 %3 [%4] [%5]")
                      .arg(t.clock, t.date, QString::number(t.batteryCells), t.spot, t.ambient),
                  QString(c.want));
    }
}

// Every pixel of the strip as drawn before, code and value form: a fault in drawing (grey,
// glyph place, size or order) changes the sum.
TEST(Strip, DrawnPixelsAreUnchanged) {
    const ImageHeader h = header("140530", "311224", '3', {'0', '2', '5'}, 12, {39, '1', '2'});
    std::vector<quint16> sums;
    for (bool valueForm : {false, true}) {
        QImage image(320, 290, QImage::Format_RGB32);
        image.fill(Qt::white);
        DrawImageInfoStrip(image, h, {valueForm, "F"});
        const QImage strip = image.copy(0, 239, 320, 51);
        sums.push_back(qChecksum(QByteArrayView(strip.constBits(), strip.sizeInBytes())));
    }
    EXPECT_EQ(sums, (std::vector<quint16>{1796, 57821}));
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

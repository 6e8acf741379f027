// The pure parts of the uploads: pixel reduction, splash file checks and order, the camera's
// requests, the FPGA blocks and text conversion, serial-number texts.
#include <gtest/gtest.h>

#include <QImage>

#include "images/Bitmap.h"
#include "camera/FpgaUpload.h"
#include "camera/SerialNumber.h"
#include "uploads/SplashImage.h"
#include "uploads/UploadPackets.h"

using namespace uploads;

namespace {

QImage pattern(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 7 + y, y * 3, x ^ y));
    return image;
}

TEST(SplashPixel, KeepsTheTwoTopBitsOfEachColour) {
    struct Case {
        int r, g, b, expected;
    };
    for (const Case& c : {Case{255, 0, 0, 0xC0},
                          {255, 255, 255, 0xFC},
                          {0, 0, 255, 0x0C},
                          {0x7F, 0x80, 0xFF, 0x6C},
                          {0, 0x40, 0, 0x10},
                          {0x3F, 0x3F, 0x3F, 0}})
        EXPECT_EQ(SplashPixel(c.r, c.g, c.b), c.expected) << c.r << "," << c.g << "," << c.b;
}

TEST(SplashFile, TopLeftPixelLeadsTheCameraPictureWhateverTheRowOrderOfTheFile) {
    const QImage image = pattern(320, 240);
    QByteArray bottomUp = images::EncodeBmp24(image);
    // The same picture stored top row first: negative height, rows reversed.
    QByteArray topDown = bottomUp.left(54);
    const qint32 negative = -240;
    topDown.replace(22, 4, reinterpret_cast<const char*>(&negative), 4);
    for (int row = 239; row >= 0; --row) topDown += bottomUp.mid(54 + row * 960, 960);
    for (const QByteArray& file : {bottomUp, topDown}) {
        const auto pixels = LoadSplashPixels(file, nullptr);
        ASSERT_TRUE(pixels);
        const std::vector<uint8_t> camera = ConvertSplash(*pixels);
        ASSERT_EQ(camera.size(), 76800u);
        for (int i : {0, 319, 320, 76479, 76799}) {
            const QRgb c = image.pixel(i % 320, i / 320);
            EXPECT_EQ(camera[i], SplashPixel(qRed(c), qGreen(c), qBlue(c))) << i;
        }
    }
}

TEST(SplashFile, OtherFilesAreRefusedSayingWhatTheyAre) {
    QByteArray compressed = images::EncodeBmp24(pattern(320, 240));
    compressed[30] = 1;
    QByteArray eightBit = images::EncodeBmp24(pattern(320, 240));
    eightBit[28] = 8;
    struct Case {
        QByteArray file;
        QString what;
    };
    for (const Case& c :
         {Case{images::EncodeBmp24(pattern(640, 480)),
               "a bitmap of 640 x 480 pixels, 24 bits per pixel"},
          {eightBit, "a bitmap of 320 x 240 pixels, 8 bits per pixel"},
          {compressed, "a bitmap of 320 x 240 pixels, 24 bits per pixel, compressed"},
          {images::EncodeBmp24(pattern(320, 240)).left(5000),
           "a bitmap of 320 x 240 pixels, 24 bits per pixel (bitmap file is truncated)"},
          {QByteArray("GIF89a plus some more bytes to make it long enough").repeated(3),
           "not a Windows bitmap"}}) {
        QString what;
        EXPECT_FALSE(LoadSplashPixels(c.file, &what));
        EXPECT_EQ(what, c.what);
    }
    EXPECT_TRUE(SplashRefusal("x.bmp", "not a Windows bitmap")
                    .contains("320 x 240 pixels, 24 bits per pixel, uncompressed"));
}

QByteArray splashRequest(int hi, int lo, int checksum) {
    return QByteArray::fromHex("1002540163") + char(hi) + char(lo) + QByteArray::fromHex("1003") +
           char(checksum) + char(~checksum);
}

TEST(SplashReply, OnlyAWholeRequestWithAGoodChecksumCounts) {
    const QByteArray good = splashRequest(0x09, 0x5F, 0x36 ^ 0x09 ^ 0x5F);
    EXPECT_EQ(ScanSplashReply(good).kind, SplashReplyScan::Complete);
    EXPECT_EQ(ScanSplashReply("\x01\x02" + good).at, 2);
    EXPECT_EQ(ScanSplashReply(splashRequest(0, 5, 0x36)).kind, SplashReplyScan::Bad);
    EXPECT_EQ(ScanSplashReply(good.left(7)).kind, SplashReplyScan::Partial);
    EXPECT_EQ(ScanSplashReply(good.left(4)).kind, SplashReplyScan::Bad);
    EXPECT_EQ(ScanSplashReply(QByteArray()).kind, SplashReplyScan::Bad);
    // A stale request before the newest: the newest is the camera's present wish.
    const SplashReplyScan two =
        ScanSplashReply(splashRequest(0, 4, 0x32) + splashRequest(0, 5, 0x33));
    EXPECT_EQ(two.lo, 5);
}

TEST(SplashReply, NextBlockNeverSkipsAhead) {
    struct Case {
        int old, asked, next;
    };
    for (const Case& c :
         {Case{3, 4, 4}, {3, 5, 4}, {3, 2, 2}, {3, 3, 3}, {3, 0, 3}, {0, 0, 0}, {2399, 2400, 2400}})
        EXPECT_EQ(NextSplashBlock(c.old, c.asked), c.next) << c.old << " " << c.asked;
}

TEST(FpgaBlocks, LastBlockIsPaddedAndNothingLiesBeyondIt) {
    std::vector<uint8_t> rbf(kFpgaFileSize);
    for (int i = 0; i < kFpgaFileSize; ++i) rbf[i] = uint8_t(i * 13);
    const std::vector<uint8_t> last = fpgaBlockData(rbf, 1850);
    EXPECT_TRUE(std::equal(last.begin(), last.begin() + 15, rbf.begin() + 59200));
    EXPECT_EQ(std::vector<uint8_t>(last.begin() + 15, last.end()), std::vector<uint8_t>(17, 0xAA));
    EXPECT_EQ(fpgaBlockData(rbf, 1900), last);
    EXPECT_EQ(RbfDataFromFile(QByteArray(10, 'x')).size(), size_t(kFpgaFileSize));
    EXPECT_EQ(RbfDataFromFile(QByteArray(70000, 'x')).back(), 'x');
}

TEST(FpgaReplies, AcknowledgementAndRequests) {
    EXPECT_TRUE(FpgaAckIsAck(QByteArray::fromHex("001002540106100353AC")));
    EXPECT_FALSE(FpgaAckIsAck(QByteArray::fromHex("1002540115100340BF")));
    EXPECT_FALSE(FpgaAckIsAck(QByteArray()));
    const QByteArray request = QByteArray::fromHex("100254014A7303A01003");
    EXPECT_EQ(FpgaRequestedBlock(request), 928);
    EXPECT_EQ(FpgaRequestedBlock(request + char(0x6C ^ 0x03 ^ 0xA0) + char(0)), 928);
    EXPECT_EQ(FpgaRequestedBlock(request + char(0x00) + char(0)), std::nullopt);
    EXPECT_EQ(FpgaRequestedBlock(request.left(7)), std::nullopt);
}

TEST(FpgaConversion, BitReversedItemsTenALine) {
    std::vector<uint8_t> rbf(kFpgaFileSize, 0);
    rbf[0] = 0x01;
    rbf[1] = 0xF0;
    rbf[10] = 0x10;
    const QByteArray text = FpgaConversionText(rbf);
    EXPECT_TRUE(
        text.startsWith("DB 0x80,0x0F,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,\r\nDB 0x08,"));
    EXPECT_EQ(text.count("\r\n"), 5921);  // 59 215 items
    EXPECT_TRUE(text.endsWith("\r\nDB 0x00,0x00,0x00,0x00,0x00,"));
    EXPECT_EQ(text.size(), 59215 * 5 + 5922 * 3 + 5921 * 2);
}

// Leading zeros add nothing: only the value decides "too large".
TEST(SerialNumberText, WholeNumbersBelow65535Only) {
    struct Case {
        QString text;
        std::optional<int> value;
        QString refusal;
    };
    for (const Case& c : {Case{"65534", 65534, ""},
                          {" 0 ", 0, ""},
                          {"000123", 123, ""},
                          {"0000065534", 65534, ""},
                          {"000000", 0, ""},
                          {"065535", {}, camera::kSerialTooLarge},
                          {"99999999999", {}, camera::kSerialTooLarge},
                          {"", {}, camera::kSerialEmpty},
                          {"12a", {}, camera::kSerialNotANumber},
                          {"-5", {}, camera::kSerialNotANumber},
                          {"1.5", {}, camera::kSerialNotANumber}}) {
        QString refusal;
        EXPECT_EQ(camera::serialNumberFromText(c.text, &refusal), c.value) << c.text.toStdString();
        EXPECT_EQ(refusal, c.refusal);
    }
}

}  // namespace

// The pure parts of the uploads: pixel reduction, splash file checks and order, the FPGA text
// conversion, serial-number texts. The camera's requests and the blocks are met on the line in
// SplashTest, FpgaTest and, damaged, split and lost, in the fault suite.
#include <gtest/gtest.h>

#include <QImage>

#include "camera/FpgaUpload.h"
#include "camera/SerialNumber.h"
#include "images/Bitmap.h"
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
    const std::vector<std::array<int, 4>> cases = {{255, 0, 0, 0xC0},        {255, 255, 255, 0xFC},
                                                   {0, 0, 255, 0x0C},        {0, 0x40, 0, 0x10},
                                                   {0x7F, 0x80, 0xFF, 0x6C}, {0x3F, 0x3F, 0x3F, 0}};
    for (auto [r, g, b, want] : cases) EXPECT_EQ(SplashPixel(r, g, b), want) << r << g << b;
}

// The camera's picture starts at the top left, whichever row order the file has.
TEST(SplashFile, TopDownFileGivesTheSamePicture) {
    const QByteArray bottomUp = images::EncodeBmp24(pattern(320, 240));
    QByteArray topDown = bottomUp.left(54);
    topDown.replace(22, 4, QByteArray("\x10\xff\xff\xff", 4));  // height -240
    for (int row = 239; row >= 0; --row) topDown += bottomUp.mid(54 + row * 960, 960);
    const auto a = LoadSplashPixels(bottomUp, nullptr), b = LoadSplashPixels(topDown, nullptr);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(ConvertSplash(*a), ConvertSplash(*b));
}

TEST(SplashFile, OtherFilesAreRefusedSayingWhatTheyAre) {
    const QByteArray good = images::EncodeBmp24(pattern(320, 240));
    const QString bits = "a bitmap of 320 x 240 pixels, ";
    const std::vector<std::pair<QByteArray, QString>> cases = {
        {images::EncodeBmp24(pattern(640, 480)), "a bitmap of 640 x 480 pixels, 24 bits per pixel"},
        {QByteArray(good).replace(28, 1, "\x08"), bits + "8 bits per pixel"},
        {QByteArray(good).replace(30, 1, "\x01"), bits + "24 bits per pixel, compressed"},
        {good.left(5000), bits + "24 bits per pixel (bitmap file is truncated)"},
        {QByteArray("GIF89a plus some more bytes to make it long enough").repeated(3),
         "not a Windows bitmap"}};
    for (const auto& [file, want] : cases) {
        QString what;
        EXPECT_FALSE(LoadSplashPixels(file, &what));
        EXPECT_EQ(what, want);
    }
    EXPECT_TRUE(SplashRefusal("x.bmp", "not a Windows bitmap")
                    .contains("320 x 240 pixels, 24 bits per pixel, uncompressed"));
}

TEST(FpgaConversion, BitReversedItemsTenALine) {
    std::vector<uint8_t> rbf(kFpgaFileSize, 0);
    rbf[0] = 0x01, rbf[1] = 0xF0, rbf[10] = 0x10;
    const QByteArray text = FpgaConversionText(rbf);
    EXPECT_TRUE(
        text.startsWith("DB 0x80,0x0F,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,\r\nDB 0x08,"));
    EXPECT_EQ(text.count("\r\n"), 5921);  // 59 215 items
    EXPECT_TRUE(text.endsWith("\r\nDB 0x00,0x00,0x00,0x00,0x00,"));
    EXPECT_EQ(text.size(), 59215 * 5 + 5922 * 3 + 5921 * 2);
}

// Leading zeros add nothing: only the value decides "too large".
TEST(SerialNumberText, WholeNumbersBelow65535Only) {
    const QString big = camera::kSerialTooLarge, nan = camera::kSerialNotANumber;
    const std::vector<std::tuple<QString, std::optional<int>, QString>> cases = {
        {"65534", 65534, ""},
        {" 0 ", 0, ""},
        {"000123", 123, ""},
        {"0000065534", 65534, ""},
        {"000000", 0, ""},
        {"065535", {}, big},
        {"99999999999", {}, big},
        {"12a", {}, nan},
        {"-5", {}, nan},
        {"1.5", {}, nan},
        {"", {}, camera::kSerialEmpty}};
    for (const auto& [text, value, refused] : cases) {
        QString refusal;
        EXPECT_EQ(camera::serialNumberFromText(text, &refusal), value) << text.toStdString();
        EXPECT_EQ(refusal, refused);
    }
}

}  // namespace

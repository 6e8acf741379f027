// The bitmap writer's exact header and bottom-up rows, and what the reader takes. Failed saves
// are tests/files' part.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "images/Bitmap.h"
#include "images/Render.h"

using namespace images;

namespace {

quint32 u32(const QByteArray& b, int at) {
    return quint8(b[at]) | quint8(b[at + 1]) << 8 | quint8(b[at + 2]) << 16 |
           quint32(quint8(b[at + 3])) << 24;
}

QImage savedPicture() {
    std::vector<std::uint8_t> buffer(kImageBufferSize);
    for (int k = 0; k < kPicturePixels; ++k) buffer[k] = std::uint8_t(k * 7 + k / 320);
    ImageHeader header{};
    header.fill('5');
    return RenderStoredImage(buffer, 17, header, {});
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(Bitmap, SavedPictureIsA24BitBottomUpFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("picture");  // saved under the name as typed
    const QImage image = savedPicture();
    ASSERT_TRUE(SaveBitmapFile(path, image));
    const QByteArray file = readAll(path);
    ASSERT_EQ(file.size(), 54 + 960 * 290);
    EXPECT_EQ(file.left(2), "BM");
    // Sizes, reserved words, pixel offset, header size, width, height, 1 plane and 24 bits,
    // no compression, image size, no colour table.
    const std::vector<std::pair<int, quint32>> fields = {
        {2, 54 + 960 * 290}, {6, 0},  {10, 54},        {14, 40}, {18, 320}, {22, 290},
        {26, 1 | 24 << 16},  {30, 0}, {34, 960 * 290}, {46, 0},  {50, 0}};
    for (auto [at, want] : fields) EXPECT_EQ(u32(file, at), want) << "offset " << at;
    int mismatches = 0;
    for (int row = 0; row < 290; ++row) {
        for (int x = 0; x < 320; ++x) {
            const QRgb want = image.pixel(x, 289 - row);
            const int at = 54 + row * 960 + 3 * x;
            mismatches += quint8(file[at]) != qBlue(want) || quint8(file[at + 1]) != qGreen(want) ||
                          quint8(file[at + 2]) != qRed(want);
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(quint8(file[54]), 192);  // the file starts with the strip's bottom row
    EXPECT_EQ(ReadBitmapFile(path), image);
    EXPECT_EQ(QImage(path, "BMP").convertToFormat(QImage::Format_RGB32), image);  // another reader
}

TEST(Bitmap, ReaderTakesTopDownAndPaddedRowsAndRefusesOthers) {
    QImage small(3, 2, QImage::Format_RGB32);
    small.setPixel(0, 0, qRgb(1, 2, 3));
    small.setPixel(2, 1, qRgb(250, 251, 252));
    QByteArray file = EncodeBmp24(small);
    ASSERT_EQ(file.size(), 54 + 12 * 2);
    EXPECT_EQ(DecodeBmp24(file), small);

    QByteArray topDown = file;
    topDown.replace(22, 4, QByteArray("\xfe\xff\xff\xff", 4));  // height -2
    topDown.replace(54, 24, file.mid(66, 12) + file.mid(54, 12));
    EXPECT_EQ(DecodeBmp24(topDown), small);

    const std::vector<std::pair<int, QByteArray>> spoil = {{0, "XM"},
                                                           {28, QByteArray("\x08\x00", 2)},
                                                           {30, QByteArray("\x01", 1)},
                                                           {18, QByteArray("\x00\x00\x01\x00", 4)},
                                                           {10, QByteArray("\xff\xff", 2)}};
    for (const auto& [at, bytes] : spoil) {
        QString why;
        EXPECT_FALSE(DecodeBmp24(QByteArray(file).replace(at, bytes.size(), bytes), &why)) << at;
        EXPECT_FALSE(why.isEmpty());
    }
    EXPECT_FALSE(DecodeBmp24(file.left(file.size() - 4)));

    EXPECT_FALSE(ReadBitmapFile("/nonexistent/x.bmp"));
}

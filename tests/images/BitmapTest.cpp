// The bitmap writer's exact header and bottom-up rows. The reader is met through the splash
// files (UploadUnitTest, tests/files), failed saves in tests/files.
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

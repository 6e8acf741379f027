#include "images/Bitmap.h"

#include <QFile>
#include <cstdint>

#include "app/FileSave.h"

namespace images {

namespace {

constexpr int kBitsPerPixel = 24;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dots per inch
constexpr std::int64_t kMaxSide = 32768;

void putU16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xff));
    out.append(static_cast<char>(v >> 8));
}

void putU32(QByteArray& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.append(static_cast<char>((v >> shift) & 0xff));
}

std::uint32_t getU32(const QByteArray& in, int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(in[at + i]);
    return v;
}

std::uint16_t getU16(const QByteArray& in, int at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(in[at]) |
                                      static_cast<std::uint8_t>(in[at + 1]) << 8);
}

std::int64_t rowStride(std::int64_t width) {
    return (width * 3 + 3) / 4 * 4;
}

void putHeaders(QByteArray& out, int width, int height) {
    const auto imageSize = static_cast<std::uint32_t>(rowStride(width) * height);
    out.append("BM", 2);
    putU32(out, kBmpPixelOffset + imageSize);
    putU16(out, 0);
    putU16(out, 0);
    putU32(out, kBmpPixelOffset);
    putU32(out, kBmpInfoHeaderSize);
    putU32(out, static_cast<std::uint32_t>(width));
    putU32(out, static_cast<std::uint32_t>(height));
    putU16(out, 1);  // planes
    putU16(out, kBitsPerPixel);
    putU32(out, 0);  // no compression
    putU32(out, imageSize);
    putU32(out, kPixelsPerMetre);
    putU32(out, kPixelsPerMetre);
    putU32(out, 0);  // colours used
    putU32(out, 0);  // colours important
}

bool fail(QString* why, const QString& reason) {
    if (why) *why = reason;
    return false;
}

struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows, always positive
    bool bottomUp = true;
    std::int64_t offset = 0;
};

// Checks everything the pixel copy relies on, so a hostile file cannot make it read outside
// the data or allocate without bound.
bool readLayout(const QByteArray& file, BmpLayout& layout, QString* why) {
    if (file.size() < kBmpPixelOffset || !file.startsWith("BM")) {
        return fail(why, QStringLiteral("not a Windows bitmap"));
    }
    const std::uint32_t infoSize = getU32(file, 14);
    const auto width = static_cast<std::int32_t>(getU32(file, 18));
    const auto height = static_cast<std::int32_t>(getU32(file, 22));
    if (infoSize < kBmpInfoHeaderSize || kBmpFileHeaderSize + std::int64_t(infoSize) > file.size())
        return fail(why, QStringLiteral("unsupported bitmap header"));
    if (getU16(file, 26) != 1 || getU16(file, 28) != kBitsPerPixel)
        return fail(why, QStringLiteral("not a 24-bit bitmap (%1 bits)").arg(getU16(file, 28)));
    if (getU32(file, 30) != 0) return fail(why, QStringLiteral("compressed bitmap"));
    layout.width = width;
    layout.height = height < 0 ? -std::int64_t(height) : height;
    layout.bottomUp = height > 0;
    layout.offset = getU32(file, 10);
    if (layout.width <= 0 || layout.height <= 0 || layout.width > kMaxSide ||
        layout.height > kMaxSide)
        return fail(why, QStringLiteral("bad bitmap size"));
    const std::int64_t needed =
        layout.offset + rowStride(layout.width) * (layout.height - 1) + layout.width * 3;
    if (layout.offset < kBmpFileHeaderSize + infoSize || needed > file.size())
        return fail(why, QStringLiteral("bitmap file is truncated"));
    return true;
}

}  // namespace

QByteArray EncodeBmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const auto stride = static_cast<int>(rowStride(width));
    QByteArray out;
    out.reserve(kBmpPixelOffset + stride * height);
    putHeaders(out, width, height);
    QByteArray row(stride, '\0');
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<char>(qBlue(line[x]));
            row[3 * x + 1] = static_cast<char>(qGreen(line[x]));
            row[3 * x + 2] = static_cast<char>(qRed(line[x]));
        }
        out.append(row);
    }
    return out;
}

std::optional<QImage> DecodeBmp24(const QByteArray& file, QString* why) {
    BmpLayout layout;
    if (!readLayout(file, layout, why)) return std::nullopt;
    const auto width = static_cast<int>(layout.width);
    const auto height = static_cast<int>(layout.height);
    QImage image(width, height, QImage::Format_RGB32);
    const auto* data = reinterpret_cast<const std::uint8_t*>(file.constData());
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const std::uint8_t* src = data + layout.offset + rowStride(width) * fileRow;
        const int y = layout.bottomUp ? height - 1 - fileRow : fileRow;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, src += 3) line[x] = qRgb(src[2], src[1], src[0]);
    }
    return image;
}

bool SaveBitmapFile(const QString& path, const QImage& image, QString* why) {
    if (image.isNull()) return fail(why, QStringLiteral("no picture to save"));
    return saveWholeFile(path, EncodeBmp24(image), why);
}

std::optional<QImage> ReadBitmapFile(const QString& path, QString* why) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(why, file.errorString());
        return std::nullopt;
    }
    return DecodeBmp24(file.readAll(), why);
}

}  // namespace images

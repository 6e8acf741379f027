#pragma once
// Uncompressed 24-bit Windows bitmaps: the saved picture and the splash source file.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace images {

constexpr int kBmpFileHeaderSize = 14;
constexpr int kBmpInfoHeaderSize = 40;
constexpr int kBmpPixelOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize;  // 54

// The whole file: 14-byte file header, 40-byte information header with a positive height (rows
// stored bottom row first), no colour table, blue-green-red pixels, rows padded to 4 bytes.
QByteArray EncodeBmp24(const QImage& image);

// The pixels of a 24-bit uncompressed bitmap (bottom-up or top-down), as a Format_RGB32 image.
// Any other file gives nothing, with the reason in `why` when given.
std::optional<QImage> DecodeBmp24(const QByteArray& file, QString* why = nullptr);

// Writes the bitmap through a temporary file that replaces `path` only once complete, so a
// failed save leaves any earlier file as it was. False, with the reason in `why`, on failure.
bool SaveBitmapFile(const QString& path, const QImage& image, QString* why = nullptr);

// Reads and decodes a 24-bit bitmap file.
std::optional<QImage> ReadBitmapFile(const QString& path, QString* why = nullptr);

}  // namespace images

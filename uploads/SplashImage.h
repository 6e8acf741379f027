#pragma once
// The splash picture: a 320 x 240, 24-bit bitmap reduced to the camera's one byte a pixel
// (RRGGBB00) and put in the camera's order, top row first. No I/O here.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace uploads {

constexpr int kSplashWidth = 320;
constexpr int kSplashHeight = 240;
constexpr int kSplashPixels = kSplashWidth * kSplashHeight;
constexpr int kSplashBlocks = kSplashPixels / 32;  // 2 400

using Bgr = std::array<uint8_t, 3>;  // blue, green, red as the file holds them

// The two most significant bits of red, green and blue, in that order, then two zero bits.
uint8_t SplashPixel(uint8_t red, uint8_t green, uint8_t blue);

// The pixels of a splash source file in file order (bottom row first). Anything but a 320 x 240,
// 24-bit, uncompressed Windows bitmap gives nothing, with `what` saying what the file is
// ("a bitmap of 640 x 480 pixels, 24 bits per pixel").
std::optional<std::vector<Bgr>> LoadSplashPixels(const QByteArray& file, QString* what);
// The message refusing such a file: what it is and what is needed.
QString SplashRefusal(const QString& fileTitle, const QString& what);

// The camera's picture from the file's pixels: picture row t comes from file row 239 - t.
std::vector<uint8_t> ConvertSplash(const std::vector<Bgr>& filePixels);

// The file's pixels as a picture for the preview.
QImage SplashPreview(const std::vector<Bgr>& filePixels);

}  // namespace uploads

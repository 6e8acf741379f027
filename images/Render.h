#pragma once
// A downloaded picture through a palette into an RGB image, with its information strip.

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <span>

#include "images/ImageHeader.h"
#include "images/InfoStrip.h"
#include "images/Palettes.h"

namespace images {

constexpr int kPictureWidth = 320;
constexpr int kPictureHeight = 240;
constexpr int kPicturePixels = kPictureWidth * kPictureHeight;  // 76 800
constexpr int kImageBufferSize = kPicturePixels + 1;            // the designed 76 801 bytes

// Buffer byte k becomes pixel (k mod 320, k div 320), row 0 at the top. A 320 x 240
// Format_RGB32 image; a null image when the buffer holds fewer than 76 800 bytes.
QImage RenderThermalImage(std::span<const std::uint8_t> buffer, const ImagePalette& palette);

// The picture as shown and saved: 320 x 290, the rendered picture over its information strip.
// A null image when the buffer is short or the palette number names no usable palette.
QImage RenderStoredImage(std::span<const std::uint8_t> buffer, const ImagePalette& palette,
                         const ImageHeader& header, const StripOptions& options);
QImage RenderStoredImage(std::span<const std::uint8_t> buffer, int paletteNumber,
                         const ImageHeader& header, const StripOptions& options);

inline std::span<const std::uint8_t> BufferBytes(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

}  // namespace images

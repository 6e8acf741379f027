#include "images/Render.h"

#include <algorithm>

namespace images {

QImage RenderThermalImage(std::span<const std::uint8_t> buffer, const ImagePalette& palette) {
    if (buffer.size() < static_cast<std::size_t>(kPicturePixels)) return {};
    std::array<QRgb, kPaletteEntries> colours{};
    for (int i = 0; i < kPaletteEntries; ++i) {
        colours[i] = qRgb(palette[i].red, palette[i].green, palette[i].blue);
    }
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    const std::uint8_t* pixel = buffer.data();
    for (int y = 0; y < kPictureHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kPictureWidth; ++x) line[x] = colours[*pixel++];
    }
    return image;
}

QImage RenderStoredImage(std::span<const std::uint8_t> buffer, const ImagePalette& palette,
                         const ImageHeader& header, const StripOptions& options) {
    const QImage picture = RenderThermalImage(buffer, palette);
    if (picture.isNull()) return {};
    QImage image(kPictureWidth, kPictureHeightWithStrip, QImage::Format_RGB32);
    for (int y = 0; y < kPictureHeight; ++y) {
        std::copy_n(reinterpret_cast<const QRgb*>(picture.constScanLine(y)), kPictureWidth,
                    reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    DrawImageInfoStrip(image, header, options);
    return image;
}

QImage RenderStoredImage(std::span<const std::uint8_t> buffer, int paletteNumber,
                         const ImageHeader& header, const StripOptions& options) {
    const std::optional<ImagePalette> palette = LoadImagePalette(paletteNumber);
    if (!palette) return {};
    return RenderStoredImage(buffer, *palette, header, options);
}

}  // namespace images

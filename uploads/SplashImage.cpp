#include "uploads/SplashImage.h"

#include "images/Bitmap.h"

namespace uploads {

namespace {

uint32_t u32(const QByteArray& file, int at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(file[at + i]);
    return v;
}

int32_t i32(const QByteArray& file, int at) {
    return static_cast<int32_t>(u32(file, at));
}

// What the file is, in the terms the user needs to fix it.
QString describe(const QByteArray& file, const QString& why) {
    if (file.size() < images::kBmpPixelOffset || !file.startsWith("BM"))
        return QStringLiteral("not a Windows bitmap");
    const int bits = static_cast<uint8_t>(file[28]) | static_cast<uint8_t>(file[29]) << 8;
    const int64_t height = i32(file, 22);
    QString what = QStringLiteral("a bitmap of %1 x %2 pixels, %3 bits per pixel")
                       .arg(i32(file, 18))
                       .arg(height < 0 ? -height : height)
                       .arg(bits);
    if (u32(file, 30) != 0) what += QStringLiteral(", compressed");
    if (!why.isEmpty() && bits == 24 && u32(file, 30) == 0) what += " (" + why + ")";
    return what;
}

// The usual layout: pixels from byte 54, rows bottom first, 960 bytes a row.
bool usualLayout(const QByteArray& file) {
    return u32(file, 10) == uint32_t(images::kBmpPixelOffset) &&
           static_cast<int32_t>(u32(file, 22)) > 0;
}

}  // namespace

QString SplashRefusal(const QString& fileTitle, const QString& what) {
    return QStringLiteral(
               "\"%1\" cannot be sent as a splash screen: it is %2.\n\n"
               "A splash screen must be a Windows bitmap of 320 x 240 pixels, "
               "24 bits per pixel, uncompressed.")
        .arg(fileTitle, what);
}

uint8_t SplashPixel(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<uint8_t>((red & 0xC0) | ((green & 0xC0) >> 2) | ((blue & 0xC0) >> 4));
}

std::optional<std::vector<Bgr>> LoadSplashPixels(const QByteArray& file, QString* what) {
    QString why;
    const std::optional<QImage> image = images::DecodeBmp24(file, &why);
    if (!image || image->width() != kSplashWidth || image->height() != kSplashHeight) {
        if (what) *what = describe(file, image ? QString() : why);
        return std::nullopt;
    }
    std::vector<Bgr> pixels(kSplashPixels);
    if (usualLayout(file)) {
        const auto* data =
            reinterpret_cast<const uint8_t*>(file.constData()) + images::kBmpPixelOffset;
        for (int k = 0; k < kSplashPixels; ++k)
            pixels[k] = {data[3 * k], data[3 * k + 1], data[3 * k + 2]};
        return pixels;
    }
    // Another header size or top-down rows: the decoded picture, put in the same file order.
    for (int k = 0; k < kSplashPixels; ++k) {
        const QRgb c = image->pixel(k % kSplashWidth, kSplashHeight - 1 - k / kSplashWidth);
        pixels[k] = {uint8_t(qBlue(c)), uint8_t(qGreen(c)), uint8_t(qRed(c))};
    }
    return pixels;
}

std::vector<uint8_t> ConvertSplash(const std::vector<Bgr>& filePixels) {
    std::vector<uint8_t> out(kSplashPixels, 0);
    if (filePixels.size() < size_t(kSplashPixels)) return out;
    for (int t = 0; t < kSplashHeight; ++t) {
        for (int x = 0; x < kSplashWidth; ++x) {
            const Bgr& p = filePixels[kSplashWidth * (kSplashHeight - 1 - t) + x];
            out[kSplashWidth * t + x] = SplashPixel(p[2], p[1], p[0]);
        }
    }
    return out;
}

QImage SplashPreview(const std::vector<Bgr>& filePixels) {
    QImage image(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    if (filePixels.size() < size_t(kSplashPixels)) return image;
    for (int k = 0; k < kSplashPixels; ++k) {
        const Bgr& p = filePixels[k];
        image.setPixel(k % kSplashWidth, kSplashHeight - 1 - k / kSplashWidth,
                       qRgb(p[2], p[1], p[0]));
    }
    return image;
}

}  // namespace uploads

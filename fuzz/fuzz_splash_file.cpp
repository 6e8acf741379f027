// The splash bitmap loader: any file is either refused with a description or gives exactly the
// camera's 76 800 pixels.
#include "fuzz/FuzzSupport.h"
#include "images/Bitmap.h"
#include "uploads/SplashImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    const QByteArray file = fuzz::bytesOf(data, size);
    QString what;
    const std::optional<std::vector<uploads::Bgr>> pixels = uploads::LoadSplashPixels(file, &what);
    if (!pixels) {
        fuzz::require(!what.isEmpty());
        fuzz::require(!uploads::SplashRefusal("x.bmp", what).isEmpty());
    } else {
        fuzz::require(pixels->size() == size_t(uploads::kSplashPixels));
        fuzz::require(uploads::ConvertSplash(*pixels).size() == size_t(uploads::kSplashPixels));
        fuzz::require(uploads::SplashPreview(*pixels).size() == QSize(320, 240));
    }
    // The general reader the picture viewer uses on the same kind of file.
    QString why;
    if (const std::optional<QImage> image = images::DecodeBmp24(file, &why))
        fuzz::require(!image->isNull());
    else
        fuzz::require(!why.isEmpty());
    return 0;
}

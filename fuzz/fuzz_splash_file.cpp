// Splash and picture bitmap readers: any file is refused with a reason or read to full size.
#include "fuzz/FuzzSupport.h"
#include "images/Bitmap.h"
#include "uploads/SplashImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace uploads;
    fuzz::ensureApplication();
    const QByteArray file = fuzz::bytesOf(data, size);
    QString what, why;
    if (const auto pixels = LoadSplashPixels(file, &what)) {
        fuzz::require(pixels->size() == size_t(kSplashPixels));
        fuzz::require(ConvertSplash(*pixels).size() == size_t(kSplashPixels));
        fuzz::require(SplashPreview(*pixels).size() == QSize(320, 240));
    } else {
        fuzz::require(!what.isEmpty() && !SplashRefusal("x.bmp", what).isEmpty());
    }
    const std::optional<QImage> image = images::DecodeBmp24(file, &why);
    fuzz::require(image ? !image->isNull() : !why.isEmpty());
    return 0;
}

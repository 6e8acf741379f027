#include "images/ImageHeader.h"

namespace images {

namespace {
// A hundreds digit of 51 stands for no hundreds; 0 draws it blank.
constexpr std::int16_t kNoHundreds = 51;
}  // namespace

ImageHeader ImageHeaderFromBytes(std::span<const std::uint8_t, kHeaderFields> bytes) {
    ImageHeader header{};
    for (int i = 0; i < kHeaderFields; ++i) header[i] = bytes[i];
    for (int first : {kSpotFirst, kAmbientFirst}) {
        if (header[first] == kNoHundreds) header[first] = 0;
    }
    return header;
}

ImageHeader ImageHeaderFromPacket(const QByteArray& packet) {
    constexpr int kOffset = 4;  // position 5 counted from 1
    if (packet.size() < kOffset + kHeaderFields) return {};
    const auto* data = reinterpret_cast<const std::uint8_t*>(packet.constData()) + kOffset;
    return ImageHeaderFromBytes(std::span<const std::uint8_t, kHeaderFields>(data, kHeaderFields));
}

std::int16_t HeaderUnitLetter(const ImageHeader& header) {
    return header[kUnit] == 12 ? 12 : 15;
}

ReadingDigits SpotDigits(const ImageHeader& header) {
    return {header[kSpotFirst], header[kSpotFirst + 1], header[kSpotFirst + 2]};
}

ReadingDigits AmbientDigits(const ImageHeader& header) {
    return {header[kAmbientFirst], header[kAmbientFirst + 1], header[kAmbientThird]};
}

}  // namespace images

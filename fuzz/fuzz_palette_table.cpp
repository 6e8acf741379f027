// The palette table parser and the palette builder, on any text.
#include "fuzz/FuzzSupport.h"
#include "images/Palettes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(fuzz::bytesOf(data, size));
    const auto entries = images::ParsePaletteTable(text);
    fuzz::require(entries[0].isEmpty());
    for (const QString& entry : entries) images::BuildImagePalette(entry);
    if (images::BuildImagePalette(text))
        fuzz::require(text.count(QLatin1Char(',')) >= 4 * images::kPaletteEntries - 1);
    return 0;
}

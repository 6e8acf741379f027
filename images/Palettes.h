#pragma once
// The twenty palettes the program carries as its string table, and the choice of palette by
// the PC colour list.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace images {

constexpr int kPaletteCount = 20;
constexpr int kPaletteEntries = 256;

// One palette entry in the order the table holds it.
struct PaletteEntry {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

using ImagePalette = std::array<PaletteEntry, kPaletteEntries>;

// The text of string-table entry 1 to 20 ("b,g,r,0,b,g,r,0,..."); empty for any other number
// and for the entries no list selects (5, 6, 13 to 16).
QString PaletteResource(int number);

// The table text: one entry a line, its number (1 to 20), a space, then the entry's text; lines
// starting with '#' are comments. Entry 0 and entries no line gives stay empty.
std::array<QString, kPaletteCount + 1> ParsePaletteTable(const QString& table);

// Entry i takes numbers 4i to 4i+3 of the comma-separated text. A text with fewer than 1 024
// numbers, or one that is not a number 0 to 255 among them, gives no palette.
std::optional<ImagePalette> BuildImagePalette(const QString& text);

// BuildImagePalette(PaletteResource(number)).
std::optional<ImagePalette> LoadImagePalette(int number);

// The sixteen entries of the PC colour list, in list order, and the palette each selects.
struct ColourChoice {
    const char* text;
    int palette;
};
extern const std::array<ColourChoice, 16> kColouriseChoices;

// Palette number for a `Colourise_combo` index; no selection (-1) or any index out of the list
// gives palette 1, grey scale white hot.
int SelectColourSetup(int colouriseIndex);

}  // namespace images

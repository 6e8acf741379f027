#pragma once
// The camera's 6 x 8 bitmap font, drawn at twice its size under the picture.

#include <QImage>
#include <array>
#include <cstdint>
#include <string_view>

namespace images {

// clang-format off
enum class Glyph : std::uint8_t {
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    LetterC, LetterF,
    BatteryLeftEnd, BatteryTwoCells, BatteryOneCell, BatteryEmpty, BatteryRightEnd,
    SpotSymbol, AmbientSymbol,
    Colon, Slash, Degree, Plus, Minus,
};
// clang-format on
constexpr int kGlyphCount = 24;
constexpr int kGlyphColumns = 6;
constexpr int kGlyphRows = 8;

// Each glyph is 48 characters '0' and '1': 8 rows of 6, top row first, '1' for ink.
extern const std::array<std::string_view, kGlyphCount> GlyphTable;

inline std::string_view GlyphText(Glyph g) {
    return GlyphTable[static_cast<int>(g)];
}

// Digit glyph for a character code: '1'..'9' give 1..9, every other code gives 0.
Glyph GlyphForDigitCode(int code);
// Digit glyph for a plain value: 1..9 give 1..9, every other value gives 0.
Glyph GlyphForDigitValue(int value);

// Draws glyph text g at twice its size: ink in column c, row r of the glyph blackens pixels
// x+2c+1..x+2c+2, y+2r..y+2r+1. Other pixels are left alone, as are positions a short text
// lacks and pixels outside the image.
void DrawGlyph(QImage& image, int x, int y, std::string_view g);

}  // namespace images

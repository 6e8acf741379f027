#pragma once
// The information strip under a downloaded picture: clock, date, battery gauge and the spot
// and ambient readings, drawn from the picture's header in the camera's font.

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "images/Glyphs.h"
#include "images/ImageHeader.h"

namespace images {

constexpr int kStripTop = 240;
constexpr int kStripSecondLine = 272;
constexpr int kPictureHeightWithStrip = 290;
constexpr QRgb kStripGrey = 0xffc0c0c0;  // red, green and blue 192

struct PlacedGlyph {
    int x = 0;
    int y = 0;
    Glyph glyph = Glyph::Digit0;
    friend bool operator==(const PlacedGlyph&, const PlacedGlyph&) = default;
};
using StripGlyphs = std::vector<PlacedGlyph>;

// What the strip needs besides the header.
struct StripOptions {
    bool newFirmware = false;    // readings in value form
    QString tempUnitText = "F";  // the status read's unit, "C" or "F": the letter in code form
};

enum class ReadingKind { Spot, Ambient };

// Each adds the glyphs of one item, at its place in the strip, to `out`.
void DrawTimeDigits(StripGlyphs& out, std::span<const std::int16_t, 6> codes);
void DrawDateDigits(StripGlyphs& out, std::span<const std::int16_t, 6> codes);
void DrawBatteryLevel(StripGlyphs& out, std::int16_t code);
void DrawTemperatureReading(StripGlyphs& out, ReadingKind kind, ReadingDigits digits,
                            DigitForm form, Glyph unitLetter);

// The unit letter of the readings: in value form the picture's own unit byte decides (12 is
// Celsius), in code form the status read's unit text.
Glyph StripUnitLetter(const ImageHeader& header, const StripOptions& options);

// Every glyph of the strip for this header, in drawing order.
StripGlyphs InfoStripGlyphs(const ImageHeader& header, const StripOptions& options);

// Paints rows 240 to the bottom of `image` light grey and draws the strip's glyphs on it.
// `image` is the whole picture box, normally 320 x 290.
void DrawImageInfoStrip(QImage& image, const ImageHeader& header, const StripOptions& options);

// The strip's items as text, one character per glyph place ('°' for the degree sign, a space
// for a place left empty), for showing or checking what the strip says.
struct StripTexts {
    QString clock;         // "14:05:30"
    QString date;          // "12/03/24"
    int batteryCells = 0;  // 0 to 6
    QString spot;          // e.g. " 25°C", "-12°F"; empty when only the symbol is drawn
    QString ambient;
};
StripTexts InfoStripTexts(const ImageHeader& header, const StripOptions& options);

}  // namespace images

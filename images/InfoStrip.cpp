#include "images/InfoStrip.h"

#include <algorithm>
#include <optional>

namespace images {

namespace {

constexpr std::array<int, 8> kClockX = {12, 24, 36, 48, 60, 72, 84, 96};
constexpr std::array<int, 8> kDateX = {204, 216, 228, 240, 252, 264, 278, 290};
constexpr int kBatteryX = 0;
constexpr int kSpotX = 144;
constexpr int kAmbientX = 228;
constexpr int kGlyphStep = 12;

void place(StripGlyphs& out, int x, int y, std::optional<Glyph> g) {
    if (g) out.push_back({x, y, *g});
}

// Two-digit groups with a separator glyph between them, at the given places.
void drawDigitGroups(StripGlyphs& out, std::span<const std::int16_t, 6> codes,
                     const std::array<int, 8>& xs, Glyph separator) {
    int digit = 0;
    for (int slot = 0; slot < 8; ++slot) {
        const bool isSeparator = slot == 2 || slot == 5;
        place(out, xs[slot], kStripTop,
              isSeparator ? separator : GlyphForDigitCode(codes[digit++]));
    }
}

// A reading digit other than the blanks: sign, nothing for an empty place, or a digit.
std::optional<Glyph> readingGlyph(std::int16_t digit, DigitForm form) {
    if (digit == kMinusDigit) return Glyph::Minus;
    if (digit == kPlusDigit) return Glyph::Plus;
    if (form == DigitForm::Value) {
        if (digit == kEmptyPlace) return std::nullopt;
        return GlyphForDigitValue(digit);
    }
    return GlyphForDigitCode(digit);
}

std::array<Glyph, 3> batterySections(std::int16_t code) {
    using enum Glyph;
    switch (code) {
        case '1':
            return {BatteryOneCell, BatteryEmpty, BatteryEmpty};
        case '2':
            return {BatteryTwoCells, BatteryEmpty, BatteryEmpty};
        case '3':
            return {BatteryTwoCells, BatteryOneCell, BatteryEmpty};
        case '4':
            return {BatteryTwoCells, BatteryTwoCells, BatteryEmpty};
        case '5':
            return {BatteryTwoCells, BatteryTwoCells, BatteryOneCell};
        case '6':
            return {BatteryTwoCells, BatteryTwoCells, BatteryTwoCells};
        default:
            return {BatteryEmpty, BatteryEmpty, BatteryEmpty};
    }
}

QChar glyphChar(Glyph g) {
    const int n = static_cast<int>(g);
    if (g <= Glyph::Digit9) return QLatin1Char(static_cast<char>('0' + n));
    switch (g) {
        case Glyph::LetterC:
            return QLatin1Char('C');
        case Glyph::LetterF:
            return QLatin1Char('F');
        case Glyph::Colon:
            return QLatin1Char(':');
        case Glyph::Slash:
            return QLatin1Char('/');
        case Glyph::Degree:
            return QChar(0x00B0);
        case Glyph::Plus:
            return QLatin1Char('+');
        case Glyph::Minus:
            return QLatin1Char('-');
        default:
            return QLatin1Char('?');
    }
}

// One character per place; a space where nothing is drawn.
QString textAt(const StripGlyphs& glyphs, int y, std::span<const int> xs) {
    QString text;
    for (int x : xs) {
        const auto it = std::find_if(glyphs.begin(), glyphs.end(),
                                     [&](const PlacedGlyph& p) { return p.x == x && p.y == y; });
        text += it == glyphs.end() ? QLatin1Char(' ') : glyphChar(it->glyph);
    }
    return text;
}

QString readingText(const StripGlyphs& glyphs, int symbolX) {
    std::array<int, 5> xs{};
    for (int i = 0; i < 5; ++i) xs[i] = symbolX + kGlyphStep * (i + 1);
    const QString text = textAt(glyphs, kStripSecondLine, xs);
    return text.trimmed().isEmpty() ? QString() : text;
}

int cellCount(const StripGlyphs& glyphs) {
    int cells = 0;
    for (const PlacedGlyph& p : glyphs) {
        if (p.glyph == Glyph::BatteryTwoCells) cells += 2;
        if (p.glyph == Glyph::BatteryOneCell) cells += 1;
    }
    return cells;
}

}  // namespace

void DrawTimeDigits(StripGlyphs& out, std::span<const std::int16_t, 6> codes) {
    drawDigitGroups(out, codes, kClockX, Glyph::Colon);
}

void DrawDateDigits(StripGlyphs& out, std::span<const std::int16_t, 6> codes) {
    drawDigitGroups(out, codes, kDateX, Glyph::Slash);
}

void DrawBatteryLevel(StripGlyphs& out, std::int16_t code) {
    const std::array<Glyph, 3> sections = batterySections(code);
    place(out, kBatteryX, kStripSecondLine, Glyph::BatteryLeftEnd);
    for (int i = 0; i < 3; ++i) {
        place(out, kBatteryX + kGlyphStep * (i + 1), kStripSecondLine, sections[i]);
    }
    place(out, kBatteryX + 4 * kGlyphStep, kStripSecondLine, Glyph::BatteryRightEnd);
}

// Leading zeros are left blank: a first digit of 0 or '0' draws nothing, nor does a second '0'
// after it. After a first digit of 0 (the camera's "no hundreds") a second '0' ends the
// reading, which then shows its symbol alone.
void DrawTemperatureReading(StripGlyphs& out, ReadingKind kind, ReadingDigits digits,
                            DigitForm form, Glyph unitLetter) {
    constexpr std::int16_t kCodeZero = '0';
    const bool spot = kind == ReadingKind::Spot;
    const int x = spot ? kSpotX : kAmbientX;
    const int y = kStripSecondLine;
    place(out, x, y, spot ? Glyph::SpotSymbol : Glyph::AmbientSymbol);

    const bool firstBlank = digits.first == 0 || digits.first == kCodeZero;
    if (!firstBlank) place(out, x + kGlyphStep, y, readingGlyph(digits.first, form));
    bool secondBlank = false;
    if (digits.second != kCodeZero) {
        place(out, x + 2 * kGlyphStep, y, readingGlyph(digits.second, form));
    } else if (digits.first != kCodeZero) {
        if (firstBlank) {
            secondBlank = true;
        } else {
            place(out, x + 2 * kGlyphStep, y, Glyph::Digit0);
        }
    }
    if (firstBlank && secondBlank) return;
    place(out, x + 3 * kGlyphStep, y, readingGlyph(digits.third, form));
    place(out, x + 4 * kGlyphStep, y, Glyph::Degree);
    place(out, x + 5 * kGlyphStep, y, unitLetter);
}

Glyph StripUnitLetter(const ImageHeader& header, const StripOptions& options) {
    const bool celsius = options.newFirmware ? HeaderUnitLetter(header) == 12
                                             : options.tempUnitText == QLatin1String("C");
    return celsius ? Glyph::LetterC : Glyph::LetterF;
}

StripGlyphs InfoStripGlyphs(const ImageHeader& header, const StripOptions& options) {
    StripGlyphs out;
    const std::span<const std::int16_t, kHeaderFields> fields(header);
    DrawTimeDigits(out, fields.subspan<kClockFirst, 6>());
    DrawDateDigits(out, fields.subspan<kDateFirst, 6>());
    DrawBatteryLevel(out, header[kBattery]);
    const DigitForm form = ReadingForm(options.newFirmware);
    const Glyph unit = StripUnitLetter(header, options);
    DrawTemperatureReading(out, ReadingKind::Spot, SpotDigits(header), form, unit);
    DrawTemperatureReading(out, ReadingKind::Ambient, AmbientDigits(header), form, unit);
    return out;
}

void DrawImageInfoStrip(QImage& image, const ImageHeader& header, const StripOptions& options) {
    for (int y = kStripTop; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, kStripGrey);
    }
    for (const PlacedGlyph& p : InfoStripGlyphs(header, options)) {
        DrawGlyph(image, p.x, p.y, GlyphText(p.glyph));
    }
}

StripTexts InfoStripTexts(const ImageHeader& header, const StripOptions& options) {
    const StripGlyphs glyphs = InfoStripGlyphs(header, options);
    StripTexts texts;
    texts.clock = textAt(glyphs, kStripTop, kClockX);
    texts.date = textAt(glyphs, kStripTop, kDateX);
    texts.batteryCells = cellCount(glyphs);
    texts.spot = readingText(glyphs, kSpotX);
    texts.ambient = readingText(glyphs, kAmbientX);
    return texts;
}

}  // namespace images

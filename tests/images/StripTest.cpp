#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "images/InfoStrip.h"

using namespace images;

namespace {

QStringList art(const QImage& image) {
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x)
            row += image.pixel(x, y) == qRgb(0, 0, 0) ? '#' : '.';
        rows << row;
    }
    return rows;
}

QImage blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

ImageHeader header(const char* clock, const char* date, int battery, ReadingDigits spot, int unit,
                   ReadingDigits ambient) {
    ImageHeader h{};
    for (int i = 0; i < 6; ++i) h[kClockFirst + i] = clock[i];
    for (int i = 0; i < 6; ++i) h[kDateFirst + i] = date[i];
    h[kBattery] = battery;
    h[kSpotFirst] = spot.first, h[kSpotFirst + 1] = spot.second, h[kSpotFirst + 2] = spot.third;
    h[kUnit] = unit;
    h[kAmbientFirst] = ambient.first, h[kAmbientFirst + 1] = ambient.second;
    h[kUnused] = '9';
    h[kAmbientThird] = ambient.third;
    return h;
}

}  // namespace

TEST(Glyphs, DrawnAtTwiceTheirSizeOneColumnIn) {
    QImage one = blank(14, 16);
    DrawGlyph(one, 0, 0, GlyphText(Glyph::Digit1));
    const QStringList wantOne = {
        "..............", "..............", ".......##.....", ".......##.....",
        ".....####.....", ".....####.....", ".......##.....", ".......##.....",
        ".......##.....", ".......##.....", ".......##.....", ".......##.....",
        ".......##.....", ".......##.....", ".....######...", ".....######...",
    };
    EXPECT_EQ(art(one), wantOne);

    DrawGlyph(one, 0, 0, "0000001");  // a short text paints only what it holds
    EXPECT_EQ(art(one)[2], ".##....##.....");
    DrawGlyph(one, 6, 8, GlyphText(Glyph::Digit8));  // clipped at the edges
    EXPECT_EQ(art(one)[10], ".......##..###");
}

TEST(Strip, TextsInCodeAndValueForm) {
    struct Case {
        ImageHeader h;
        StripOptions options;
        const char* want;  // clock, date, battery cells, [spot], [ambient]
    };
    // clang-format off
    const std::vector<Case> cases = {
        {header("140530", "311224", '3', {'0', '2', '5'}, 15, {'0', '0', '7'}), {false, "C"},
         "14:05:30 31/12/24 3 [ 25°C] [  7°C]"},
        {header("2A:0/9", "010100", 0, {0, '0', '5'}, 12, {39, '1', '2'}), {false, "F"},
         "20:00:09 01/01/00 0 [] [-12°F]"},
        {header("000000", "000000", '6', {63, 2, 5}, 12, {0, 0, 7}), {true, "F"},
         "00:00:00 00/00/00 6 [ 25°C] [ 07°C]"},
        {header("235959", "290224", '7', {40, 1, 0}, 15, {0, '0', 63}), {true, "C"},
         "23:59:59 29/02/24 0 [+10°F] []"},
        {header("120000", "150624", '1', {'1', '0', '0'}, 12, {'0', '0', '0'}), {false, "C"},
         "12:00:00 15/06/24 1 [100°C] [  0°C]"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const StripTexts t = InfoStripTexts(c.h, c.options);
        EXPECT_EQ(QString("%1 %2 %3 [%4] [%5]")
                      .arg(t.clock, t.date, QString::number(t.batteryCells), t.spot, t.ambient),
                  QString(c.want));
    }
}

TEST(Strip, GlyphPlaces) {
    const ImageHeader h = header("140530", "311224", '3', {'0', '2', '5'}, 12, {39, '1', '2'});
    std::vector<std::pair<int, Glyph>> date, second;
    for (const PlacedGlyph& p : InfoStripGlyphs(h, {true, "F"})) {
        if (p.y == 240 && p.x >= 200) date.emplace_back(p.x, p.glyph);
        if (p.y == 272) second.emplace_back(p.x, p.glyph);
    }
    using enum Glyph;
    const std::vector<std::pair<int, Glyph>> wantDate = {{204, Digit3}, {216, Digit1}, {228, Slash},
                                                         {240, Digit1}, {252, Digit2}, {264, Slash},
                                                         {278, Digit2}, {290, Digit4}};
    EXPECT_EQ(date, wantDate);
    const std::vector<std::pair<int, Glyph>> wantSecond = {
        {0, BatteryLeftEnd},   {12, BatteryTwoCells}, {24, BatteryOneCell}, {36, BatteryEmpty},
        {48, BatteryRightEnd}, {144, SpotSymbol},     {168, Digit0},        {180, Digit0},
        {192, Degree},         {204, LetterC},        {228, AmbientSymbol}, {240, Minus},
        {252, Digit0},         {264, Digit0},         {276, Degree},        {288, LetterC}};
    EXPECT_EQ(second, wantSecond);  // value form reads '2', '5', '1' as plain values: 0
}

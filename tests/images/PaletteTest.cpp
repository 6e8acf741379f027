#include <gtest/gtest.h>

#include <vector>

#include "images/Palettes.h"

using namespace images;

namespace {

struct Point {
    int index, red, green, blue;
};

// The listed points of the piecewise palettes; every entry between two points lies on the line.
const std::vector<std::pair<int, std::vector<Point>>> kListed = {
    {1, {{0, 0, 0, 0}, {255, 255, 255, 255}}},
    {2, {{0, 255, 255, 255}, {255, 0, 0, 0}}},
    {3, {{0, 0, 0, 0},       {31, 0, 0, 248},    {32, 0, 0, 255},    {43, 0, 88, 255},
         {52, 0, 151, 255},  {61, 0, 205, 255},  {67, 0, 235, 255},  {72, 0, 255, 255},
         {77, 0, 255, 235},  {83, 0, 255, 205},  {92, 0, 255, 151},  {101, 0, 255, 88},
         {112, 0, 255, 0},   {123, 88, 255, 0},  {132, 151, 255, 0}, {141, 205, 255, 0},
         {147, 235, 255, 0}, {152, 255, 255, 0}, {157, 255, 235, 0}, {163, 255, 205, 0},
         {172, 255, 151, 0}, {181, 255, 88, 0},  {192, 255, 0, 0},   {255, 255, 252, 252}}},
    {4, {{0, 255, 255, 255}, {1, 255, 252, 252}, {64, 255, 0, 0},    {75, 255, 88, 0},
         {84, 255, 151, 0},  {93, 255, 205, 0},  {99, 255, 235, 0},  {104, 255, 255, 0},
         {109, 235, 255, 0}, {115, 205, 255, 0}, {124, 151, 255, 0}, {133, 88, 255, 0},
         {144, 0, 255, 0},   {155, 0, 255, 88},  {164, 0, 255, 151}, {173, 0, 255, 205},
         {179, 0, 255, 235}, {184, 0, 255, 255}, {189, 0, 235, 255}, {195, 0, 205, 255},
         {204, 0, 151, 255}, {213, 0, 88, 255},  {224, 0, 0, 255},   {225, 0, 0, 248},
         {255, 0, 0, 8}}},
    {7, {{0, 255, 255, 255}, {1, 254, 254, 254}, {128, 0, 254, 0}, {255, 0, 0, 0}}},
    {8, {{0, 0, 0, 0}, {127, 0, 254, 0}, {254, 254, 254, 254}, {255, 255, 255, 255}}},
    {9, {{0, 255, 255, 255}, {223, 32, 32, 32}, {224, 38, 31, 31}, {255, 255, 0, 0}}},
    {10, {{0, 0, 0, 0}, {223, 223, 223, 223}, {224, 224, 217, 217}, {255, 255, 0, 0}}},
    {11,
     {{0, 0, 0, 0},
      {192, 192, 192, 192},
      {223, 223, 223, 6},
      {224, 224, 217, 0},
      {255, 255, 0, 0}}},
    {12,
     {{0, 255, 255, 255},
      {191, 64, 64, 64},
      {222, 250, 250, 33},
      {223, 255, 255, 32},
      {224, 255, 248, 31},
      {255, 255, 0, 0}}},
};

int along(int a, int b, int i, int i0, int i1) {
    return a + (b - a) * (i - i0) / (i1 - i0);
}

PaletteEntry rgb(unsigned hex) {
    return {quint8(hex), quint8(hex >> 8), quint8(hex >> 16), 0};
}

}  // namespace

TEST(Palettes, PiecewisePalettesFollowTheirListedPointsExactly) {
    for (const auto& [number, points] : kListed) {
        const auto palette = LoadImagePalette(number);
        ASSERT_TRUE(palette) << number;
        for (size_t p = 0; p + 1 < points.size(); ++p) {
            const Point a = points[p], b = points[p + 1];
            for (int i = a.index; i <= b.index; ++i) {
                const PaletteEntry want{quint8(along(a.blue, b.blue, i, a.index, b.index)),
                                        quint8(along(a.green, b.green, i, a.index, b.index)),
                                        quint8(along(a.red, b.red, i, a.index, b.index)), 0};
                EXPECT_EQ((*palette)[i], want) << "palette " << number << " entry " << i;
            }
        }
    }
}

TEST(Palettes, FullTablesAndTheirReverses) {
    const auto p17 = LoadImagePalette(17), p18 = LoadImagePalette(18);
    const auto p19 = LoadImagePalette(19), p20 = LoadImagePalette(20);
    ASSERT_TRUE(p17 && p18 && p19 && p20);
    for (auto [index, hex17, hex19] : {std::tuple{0, 0xFFFFFFu, 0xFF4F4Fu},
                                       {4, 0xFFFEDEu, 0xFF3B3Bu},
                                       {127, 0xE64517u, 0x00E638u},
                                       {200, 0x72009Du, 0x0053E7u},
                                       {252, 0x000012u, 0x000003u}}) {
        EXPECT_EQ((*p17)[index], rgb(hex17)) << index;
        EXPECT_EQ((*p19)[index], rgb(hex19)) << index;
    }
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ((*p18)[i], (*p17)[255 - i]) << i;
        EXPECT_EQ((*p20)[i], (*p19)[255 - i]) << i;
    }
}

TEST(Palettes, ColourListSelectsPalettes) {
    const std::vector<int> expected = {1, 2, 10, 9, 11, 12, 8, 7, 3, 4, 3, 4, 18, 17, 20, 19};
    for (int index = 0; index < 16; ++index) {
        EXPECT_EQ(SelectColourSetup(index), expected[index]) << index;
        EXPECT_TRUE(LoadImagePalette(SelectColourSetup(index))) << index;
    }
    EXPECT_EQ(SelectColourSetup(-1), 1);
    EXPECT_EQ(SelectColourSetup(16), 1);
}

TEST(Palettes, UnusableTextsGiveNoPalette) {
    const QString full = PaletteResource(1);
    EXPECT_FALSE(BuildImagePalette(full.left(full.lastIndexOf(','))));  // 1 023 numbers
    EXPECT_FALSE(BuildImagePalette(QString(full).replace(0, 1, "256")));
    EXPECT_FALSE(BuildImagePalette(QString(full).replace(0, 1, "x")));
    EXPECT_TRUE(BuildImagePalette(full + ",9,9"));  // extra numbers are not read
    for (int number : {0, 5, 6, 13, 16, 21}) EXPECT_FALSE(LoadImagePalette(number)) << number;
}

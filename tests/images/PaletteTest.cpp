#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "images/Palettes.h"

using namespace images;

namespace {

PaletteEntry rgb(unsigned hex) {
    return {quint8(hex), quint8(hex >> 8), quint8(hex >> 16), 0};
}

}  // namespace

// Entries 0, 37, 100, 150, 200, 230 and 255 of the piecewise palettes, on the lines between
// their designed points (red green blue).
TEST(Palettes, PiecewisePalettesAtSampledEntries) {
    const int at[] = {0, 37, 100, 150, 200, 230, 255};
    const std::vector<std::pair<int, std::array<unsigned, 7>>> samples = {
        {1, {0x000000, 0x252525, 0x646464, 0x969696, 0xC8C8C8, 0xE6E6E6, 0xFFFFFF}},
        {2, {0xFFFFFF, 0xDADADA, 0x9B9B9B, 0x696969, 0x373737, 0x191919, 0x000000}},
        {3, {0x000000, 0x0028FF, 0x00FF5F, 0xF7FF00, 0xFF2020, 0xFF9898, 0xFFFCFC}},
        {4, {0xFFFFFF, 0xFF6C6C, 0xFFEF00, 0x00FF30, 0x00AFFF, 0x0000D0, 0x000008}},
        {7, {0xFFFFFF, 0xB6FEB6, 0x38FE38, 0x00D200, 0x006E00, 0x003200, 0x000000}},
        {8, {0x000000, 0x004A00, 0x00C800, 0x2EFE2E, 0x92FE92, 0xCEFECE, 0xFFFFFF}},
        {9, {0xFFFFFF, 0xDADADA, 0x9B9B9B, 0x696969, 0x373737, 0x501919, 0xFF0000}},
        {10, {0x000000, 0x252525, 0x646464, 0x969696, 0xC8C8C8, 0xE6AFAF, 0xFF0000}},
        {11, {0x000000, 0x252525, 0x646464, 0x969696, 0xC8C890, 0xE6AF00, 0xFF0000}},
        {12, {0xFFFFFF, 0xDADADA, 0x9B9B9B, 0x696969, 0x767637, 0xFFC819, 0xFF0000}},
    };
    for (const auto& [number, hex] : samples) {
        const auto palette = LoadImagePalette(number);
        ASSERT_TRUE(palette) << number;
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ((*palette)[at[i]], rgb(hex[i])) << "palette " << number << " entry " << at[i];
    }
}

TEST(Palettes, FullTablesAndTheirReverses) {
    const auto p17 = LoadImagePalette(17), p18 = LoadImagePalette(18);
    const auto p19 = LoadImagePalette(19), p20 = LoadImagePalette(20);
    ASSERT_TRUE(p17 && p18 && p19 && p20);
    // clang-format off
    for (auto [index, hex17, hex19] : {std::tuple{0, 0xFFFFFFu, 0xFF4F4Fu}, {4, 0xFFFEDEu, 0xFF3B3Bu},
             {127, 0xE64517u, 0x00E638u}, {200, 0x72009Du, 0x0053E7u}, {252, 0x000012u, 0x000003u}}) {
        // clang-format on
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

#include "images/Palettes.h"

#include <QStringList>
#include <QStringView>

#include "PaletteTable.inc"

namespace images {

std::array<QString, kPaletteCount + 1> ParsePaletteTable(const QString& table) {
    std::array<QString, kPaletteCount + 1> entries;
    for (const QString& line : table.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        bool ok = false;
        const int number = line.left(space).trimmed().toInt(&ok);
        if (!ok || number < 1 || number > kPaletteCount || space < 0) continue;
        entries[number] = line.mid(space + 1).trimmed();
    }
    return entries;
}

const std::array<ColourChoice, 16> kColouriseChoices = {{
    {"Grey scale, white hot", 1},
    {"Grey scale, black hot", 2},
    {"Red hot, white", 10},
    {"Red hot, black", 9},
    {"Soft red hot, white", 11},
    {"Soft red hot, black", 12},
    {"Green scale, white hot", 8},
    {"Green scale, black hot", 7},
    {"Half colour, white", 3},
    {"Half colour, black", 4},
    {"Full colour 1, white", 3},
    {"Full colour 1, black", 4},
    {"Full colour 2, white", 18},
    {"Full colour 2, black", 17},
    {"Full colour 3, white", 20},
    {"Full colour 3, black", 19},
}};

QString PaletteResource(int number) {
    // Split once into its twenty entries.
    static const std::array<QString, kPaletteCount + 1> entries =
        ParsePaletteTable(QString::fromLatin1(kPaletteTableText));
    if (number < 1 || number > kPaletteCount) return {};
    return entries[number];
}

std::optional<ImagePalette> BuildImagePalette(const QString& text) {
    const QList<QStringView> numbers = QStringView(text).split(QLatin1Char(','));
    if (numbers.size() < 4 * kPaletteEntries) return std::nullopt;
    std::array<std::uint8_t, 4 * kPaletteEntries> bytes{};
    for (int i = 0; i < 4 * kPaletteEntries; ++i) {
        bool ok = false;
        const int value = numbers[i].trimmed().toInt(&ok);
        if (!ok || value < 0 || value > 255) return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(value);
    }
    ImagePalette palette;
    for (int i = 0; i < kPaletteEntries; ++i) {
        palette[i] = {bytes[4 * i], bytes[4 * i + 1], bytes[4 * i + 2], bytes[4 * i + 3]};
    }
    return palette;
}

std::optional<ImagePalette> LoadImagePalette(int number) {
    return BuildImagePalette(PaletteResource(number));
}

int SelectColourSetup(int colouriseIndex) {
    if (colouriseIndex < 0 || colouriseIndex >= static_cast<int>(kColouriseChoices.size())) {
        return 1;
    }
    return kColouriseChoices[colouriseIndex].palette;
}

}  // namespace images

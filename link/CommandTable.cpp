#include "link/CommandTable.h"

#include "app/SharedState.h"

namespace {

struct FixedRow {
    uint8_t row;
    uint8_t first, second;
};

// Every fixed two-byte command and the row that holds it.
constexpr FixedRow kFixedRows[] = {
    {3, 'S', 'f'},   {8, 'T', 'a'},   {9, 'T', 'b'},   {10, 'S', 't'},   {11, 'P', 'r'},
    {12, 'S', 'd'},  {13, 'I', 't'},  {14, 'H', 'r'},  {15, 'I', 'o'},   {16, 'I', 'C'},
    {17, 'I', 'c'},  {18, 'P', 'c'},  {19, 'H', 'b'},  {20, 'I', 's'},   {21, 'Z', 't'},
    {22, 'Z', 'f'},  {23, 'Z', 'o'},  {24, 'Z', 'p'},  {28, 'K', 'f'},   {29, 'K', 'o'},
    {30, 'F', 'a'},  {31, 'F', 'b'},  {32, 'F', 'c'},  {35, 'F', 'd'},   {36, 'F', 'e'},
    {37, 'F', 'f'},  {38, 'T', 'f'},  {39, 'Z', 't'},  {40, 'T', 't'},   {41, 'T', 'C'},
    {42, 'D', 't'},  {43, 'D', 'f'},  {44, 'P', 'r'},  {45, 'P', 'c'},   {46, 'P', 'c'},
    {47, 'N', 'w'},  {51, 'I', 'b'},  {53, 'C', 'D'},  {55, 'R', 'm'},   {56, 'I', 's'},
    {58, 'T', 'C'},  {59, 'T', 'F'},  {61, 'U', 'c'},  {62, 'U', 'b'},   {63, 'U', 'a'},
    {64, 'U', 'd'},  {65, 'U', 'n'},  {66, 'U', 'p'},  {71, 'F', 'r'},   {72, 'R', 'd'},
    {77, 'G', 'c'},  {78, 'C', 'D'},  {86, 'R', 't'},  {87, 'R', 's'},   {88, 'T', 'c'},
    {89, 'T', 'd'},  {90, 'F', 'g'},  {91, 'F', 'h'},  {92, 'A', 0x02},  {93, 'J', 'a'},
    {94, 'J', 'b'},  {95, 'T', 'S'},  {96, 'T', 's'},  {97, 'G', 'r'},   {98, 'G', 'i'},
    {99, 'A', 0x04}, {100, 'S', 'f'}, {101, 'T', 'H'}, {102, 'T', 'I'},  {103, 'T', 'J'},
    {104, 'T', 'K'}, {105, 'T', 'L'}, {107, 'A', 0x10}, {108, 'A', 0x11}, {109, 'C', 'z'},
    {110, 'A', 0x15}, {111, 'A', 0x16}, {112, 'R', 'm'}, {113, 'O', 0x80}, {114, 'O', 0x8C},
    {115, 'O', 0x8D}, {116, 'O', 0x8E}, {117, 'O', 0x8F},
    {118, 'C', 'c'},  // store a picture: a free row of our own
};

void put(SharedState& s, int row, std::initializer_list<uint8_t> bytes) {
    int column = 1;
    for (uint8_t b : bytes) s.CommandTable[row][column++] = b;
    s.CommandLength = static_cast<int16_t>(bytes.size() - 1);
}

uint8_t byteOf(const QString& text) { return static_cast<uint8_t>(textValue(text) & 0xFF); }

}  // namespace

long long textValue(const QString& text) {
    int i = 0;
    while (i < text.size() && text[i].isSpace()) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i].isDigit() && v < 1000000000; ++i) v = v * 10 + text[i].digitValue();
    return negative ? -v : v;
}

uint8_t toBcd(int value) { return static_cast<uint8_t>(((value / 10) % 10) << 4 | (value % 10)); }

void Constants(SharedState& s) {
    for (const FixedRow& r : kFixedRows) {
        s.CommandTable[r.row][1] = r.first;
        s.CommandTable[r.row][2] = r.second;
    }
    s.CommandLength = 1;
    s.SyncByte = 255;
    s.DLE = 16;
    s.STX = 2;
    s.PacketTag = 84;
    s.PacketAddress = 1;
    s.ETX = 3;
}

void BSTOffset_Constants(SharedState& s, const QString& offsetText, bool offsetFlag) {
    uint8_t v = byteOf(offsetText);
    if (!offsetFlag && v >= 50) v -= 50;
    put(s, Row::Offset, {'B', 'o', v});
}

void BSTGain_Constants(SharedState& s, const QString& gainText) {
    put(s, Row::Gain, {'B', 'g', byteOf(gainText)});
}

void BSTIrisPulseWidth_Constants(SharedState& s, const QString& irisText) {
    put(s, Row::IrisPulse, {'I', 'w', byteOf(irisText)});
}

void TxChannel_Constants(SharedState& s, const QString& txChnText) {
    int n = -1;
    if (txChnText == "OFF") n = 0;
    else if (txChnText.size() == 1 && txChnText[0] >= '1' && txChnText[0] <= '4')
        n = txChnText[0].digitValue();
    if (n < 0) return;  // the row goes out as it was
    put(s, Row::TxChannels, {'T', 'o', static_cast<uint8_t>(n)});
}

void ImageTransferConstants(SharedState& s, const QString& viewImageText) {
    const uint8_t n = viewImageText == "Splash" ? 0 : byteOf(viewImageText);
    put(s, Row::ImageTransfer, {'C', 'S', n});
}

bool ViewImage_Constants(SharedState& s, int n, int storedImageCount) {
    if (n > storedImageCount) return false;
    put(s, Row::ViewImage, {'C', 'y', static_cast<uint8_t>(n)});
    return true;
}

void DeleteImage_Constants(SharedState& s, int listIndex) {
    put(s, Row::DeleteImage, {'C', 0x0A, static_cast<uint8_t>(listIndex)});
}

void LCDSetup_Constants(SharedState& s, const QString& brightness, const QString& contrast,
                        const QString& colour) {
    put(s, Row::LcdContrast, {'L', 'C', byteOf(contrast)});
    put(s, Row::LcdColour, {'L', 'c', byteOf(colour)});
    put(s, Row::LcdBrightness, {'L', 'B', byteOf(brightness)});
}

void TimeSetupConstants(SharedState& s, int hour, int minute, int day, int month, int year) {
    s.CommandTable[Row::TimeDate][0] = 8;
    put(s, Row::TimeDate, {'D', 's', toBcd(hour), toBcd(minute), toBcd(day), toBcd(month),
                           toBcd(year % 100)});
}

void HumiditySettings_Constants(SharedState& s, OptionPair humidity) {
    if (humidity == OptionPair::First) put(s, Row::Humidity, {'A', 0x0A, 0x02, 0xA1});
    else if (humidity == OptionPair::Second) put(s, Row::Humidity, {'A', 0x0B, 0x02, 0x81});
}

void Heatsink_settings_LowThreshold_constant(SharedState& s, OptionPair overtemp) {
    if (overtemp == OptionPair::First) put(s, Row::Heatsink, {'A', 0x0D, 0x02, 0x0E});
    else if (overtemp == OptionPair::Second) put(s, Row::Heatsink, {'A', 0x0C, 0x01, 0xD9});
}

void Heatsink_settings_HighThreshold_constants(SharedState& s, OptionPair overtemp) {
    if (overtemp == OptionPair::First) put(s, Row::Heatsink, {'A', 0x0F, 0x01, 0xA8});
    else if (overtemp == OptionPair::Second) put(s, Row::Heatsink, {'A', 0x0E, 0x01, 0x7B});
}

void HumidityFlagConstans(SharedState& s) { put(s, Row::HumidityFlag, {'A', 'H', 0x01}); }

void PictureColour_Constants(SharedState& s, int listIndex) {
    static constexpr char kLetters[] = "gvorcfst";
    if (listIndex < 0 || listIndex > 7) return;
    put(s, Row::PictureColour, {'P', static_cast<uint8_t>(kLetters[listIndex])});
}

void SerialNumber_Constants(SharedState& s, int serialNumber) {
    // The fifth byte is column 5, which nothing else writes.
    s.CommandTable[Row::SerialNumber][1] = 'S';
    s.CommandTable[Row::SerialNumber][2] = 'n';
    s.CommandTable[Row::SerialNumber][3] = static_cast<uint8_t>(serialNumber & 0xFF);
    s.CommandTable[Row::SerialNumber][4] = static_cast<uint8_t>((serialNumber >> 8) & 0xFF);
    s.CommandLength = 4;
}

void BSTVemraSave_constant(SharedState& s) { put(s, Row::VemraSave, {'B', 'S', 'S'}); }
void BSTVemraAtt_constant(SharedState& s) { put(s, Row::VemraAtt, {'B', 'S', 'A'}); }

void ReadFromVemra_Constants(SharedState& s, const QString& addressText) {
    put(s, Row::VemraRead, {'B', 'S', 'R', byteOf(addressText)});
}

void TalkToVemra(SharedState& s, int address, const uint8_t* data, int k) {
    if (k < 1 || k > 3) return;
    auto& row = s.CommandTable[Row::VemraWrite];
    row[1] = 'B';
    row[2] = 'S';
    row[3] = 'W';
    row[4] = static_cast<uint8_t>(k);
    row[5] = static_cast<uint8_t>(address);
    for (int i = 0; i < k; ++i) row[6 + i] = data[i];
    s.CommandLength = static_cast<int16_t>(4 + k);
}


#pragma once
// Hand-made status blocks: a plausible camera, changed byte by byte per case.

#include <QByteArray>
#include <initializer_list>
#include <utility>

using ByteEdits = std::initializer_list<std::pair<int, int>>;  // 1-based position, value

// Serial 1234, micro v3.2, BST 200 / PAL, 100 h 5 min, humidity now 40 %, heatsink now 26.5 C.
inline QByteArray statusBlock(ByteEdits edits = {}) {
    QByteArray b(57, '\0');
    auto set = [&b](int position, int value) { b[position - 1] = static_cast<char>(value); };
    const ByteEdits base = {{1, 0x10},  {2, 0x02},  {3, 0x54},  {4, 0x01},  {5, 0xD2},  {6, 0x04},
                            {7, 7},     {8, 3},     {9, 2},     {10, 5},    {11, 100},  {12, 5},
                            {13, 0x21}, {14, 0x03}, {15, 12},   {16, 34},   {17, 9},    {18, 0x2C},
                            {19, 0x01}, {20, 0x55}, {21, 0x04}, {22, 0x31}, {23, 0x80}, {24, 1},
                            {25, 0x31}, {26, 0x02}, {27, 4},    {28, 6},    {29, 8},    {31, 1},
                            {32, 0x10}, {33, 0x00}, {34, 3},    {37, 0xA2}, {38, 0x01}, {39, 0xE8},
                            {40, 0x03}, {41, 0x02}, {42, 0x80}, {43, 0x02}, {44, 0x58}, {45, 0x01},
                            {46, 0x00}, {47, 0x00}, {48, 0xF0}, {49, 0x03}, {50, 0x20}, {51, 0x03},
                            {52, 0x00}, {53, 0x28}, {54, 0x10}, {55, 0x03}};
    for (const auto& [position, value] : base) set(position, value);
    for (const auto& [position, value] : edits) set(position, value);
    int sum = 0;
    for (int position = 3; position <= 53; ++position) sum ^= static_cast<uint8_t>(b[position - 1]);
    set(56, sum);
    set(57, 255 - sum);
    return b;
}

#pragma once
// The 21-byte header that comes ahead of every downloaded picture: clock, date, battery,
// the spot and ambient readings and the unit.

#include <QByteArray>
#include <array>
#include <cstdint>
#include <span>

namespace images {

constexpr int kHeaderFields = 21;

// Field i holds header byte d(i+1) as a 16-bit value; the same shape as the shared state's.
using ImageHeader = std::array<std::int16_t, kHeaderFields>;

// Indices of the fields (d1 is index 0).
enum HeaderField : int {
    kClockFirst = 0,     // d1..d6: hour, minute, second digits as character codes
    kDateFirst = 6,      // d7..d12: three two-digit groups as character codes
    kBattery = 12,       // d13: '1'..'6' cells filled
    kSpotFirst = 13,     // d14..d16: hundreds, tens, units
    kUnit = 16,          // d17: 12 for Celsius, anything else Fahrenheit
    kAmbientFirst = 17,  // d18, d19: hundreds, tens
    kUnused = 19,        // d20
    kAmbientThird = 20,  // d21: units
};

// Reading digits are character codes with old firmware and plain values 0..9 with new.
enum class DigitForm { Code, Value };

inline DigitForm ReadingForm(bool newFirmware) {
    return newFirmware ? DigitForm::Value : DigitForm::Code;
}

// Special reading digits, the same in both forms (kEmptyPlace only in value form).
constexpr std::int16_t kMinusDigit = 39;
constexpr std::int16_t kPlusDigit = 40;
constexpr std::int16_t kEmptyPlace = 63;

// The header as taken from its 21 bytes: each byte kept as it is, except that a first reading
// digit of 51 becomes 0 (the blank) for the spot and the ambient reading alike.
ImageHeader ImageHeaderFromBytes(std::span<const std::uint8_t, kHeaderFields> bytes);

// The same from a received header packet, whose bytes 5 to 25 (counted from 1) carry the
// header. An empty header when the packet is shorter than that.
ImageHeader ImageHeaderFromPacket(const QByteArray& packet);

// The picture's own unit as the design keeps it in `TempUnitLetter`: 12 Celsius, 15 Fahrenheit.
std::int16_t HeaderUnitLetter(const ImageHeader& header);

struct ReadingDigits {
    std::int16_t first = 0;
    std::int16_t second = 0;
    std::int16_t third = 0;
};
ReadingDigits SpotDigits(const ImageHeader& header);
ReadingDigits AmbientDigits(const ImageHeader& header);

}  // namespace images

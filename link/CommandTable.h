#pragma once
// The command catalogue: the fixed rows written by Constants and the row-filling procedures that
// write a row from what a control holds. None of them sends anything.

#include <QString>
#include <cstdint>

struct SharedState;

// The integer value of a control's text as the program reads it: leading blanks, an optional
// sign and the digits that follow; anything else ends the number ("" and "abc" give 0).
long long textValue(const QString& text);
uint8_t toBcd(int value);

// Writes every fixed row, sets CommandLength to 1 and sets the framing constants.
void Constants(SharedState& s);

// Row numbers callers refer to by meaning.
namespace Row {
constexpr int ReturnToNormal = 3, StatusFollowUp = 56, ImageCount = 113, DownloadReturnToNormal = 100;
constexpr int Offset = 16, Gain = 17, TxChannels = 49, TimeDate = 48, PictureColour = 52;
constexpr int ImageTransfer = 53, DeleteAll = 53, StoreImage = 118, LcdContrast = 33, LcdColour = 34;
constexpr int LcdBrightness = 60, SerialNumber = 63, IrisPulse = 67, ViewImage = 68, DeleteImage = 70;
constexpr int VemraSave = 81, VemraAtt = 82, VemraRead = 84, VemraWrite = 85, Humidity = 57;
constexpr int Heatsink = 106, HumidityFlag = 112;
}  // namespace Row

// Tri-state of a pair of option buttons: which one is selected, if either.
enum class OptionPair { None, First, Second };

void BSTOffset_Constants(SharedState& s, const QString& offsetText, bool offsetFlag);
void BSTGain_Constants(SharedState& s, const QString& gainText);
void BSTIrisPulseWidth_Constants(SharedState& s, const QString& irisText);
void TxChannel_Constants(SharedState& s, const QString& txChnText);
void ImageTransferConstants(SharedState& s, const QString& viewImageText);
// False (row untouched) when n exceeds the stored image count; the caller tells the user.
bool ViewImage_Constants(SharedState& s, int n, int storedImageCount);
void DeleteImage_Constants(SharedState& s, int listIndex);
void LCDSetup_Constants(SharedState& s, const QString& brightness, const QString& contrast,
                        const QString& colour);
void TimeSetupConstants(SharedState& s, int hour, int minute, int day, int month, int year);
inline void CustomerTimeSetUpConstants(SharedState& s, int hour, int minute, int day, int month,
                                       int year) {
    TimeSetupConstants(s, hour, minute, day, month, year);
}
// First = humenable, Second = humdisable.
void HumiditySettings_Constants(SharedState& s, OptionPair humidity);
// First = Overtemp_disable, Second = Overtemp_enable.
void Heatsink_settings_LowThreshold_constant(SharedState& s, OptionPair overtemp);
void Heatsink_settings_HighThreshold_constants(SharedState& s, OptionPair overtemp);
void HumidityFlagConstans(SharedState& s);
void PictureColour_Constants(SharedState& s, int listIndex);
inline void CustomerPictureColourconstant(SharedState&) {}  // row 52 goes out as last written
void SerialNumber_Constants(SharedState& s, int serialNumber);
void BSTVemraSave_constant(SharedState& s);
void BSTVemraAtt_constant(SharedState& s);
void ReadFromVemra_Constants(SharedState& s, const QString& addressText);
// k = 1 to 3 data bytes.
void TalkToVemra(SharedState& s, int address, const uint8_t* data, int k);

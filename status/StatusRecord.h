#pragma once
// The camera's 57-byte status block, decoded. Plain data in, plain data out: the advanced form
// copies these values into its controls and the shared state, and the setup summary is built
// from them.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

constexpr int kStatusBlockLength = 57;

// Values a status read keeps from the read before it (the camera may leave them unsaid).
struct StatusCarryOver {
    int32_t CameraSerialNumber = 0;
    int32_t StatusSerialNumber = 0;
    QString SerialNumberText;
    bool NewFirmware = false;
    bool OldFirmware = false;
};

struct StatusRecord {
    // Serial number (bytes 5, 6) and versions (bytes 7 to 10).
    int32_t CameraSerialNumber = 0;
    int32_t StatusSerialNumber = 0;
    QString SerialNumberText;
    bool SerialNumberInBlock = false;  // false: bytes 5 and 6 were both 0
    int CameraFpgaVersion = 0;
    QString CameraFpgaVersionText;  // "v7"
    int MicroVersionMajor = 0;
    int MicroVersionMinor = 0;
    QString MicroVersionText;  // "v3.2"
    int LensFpgaVersion = 0;
    QString LensFpgaVersionText;
    bool NewFirmware = false;
    bool OldFirmware = false;

    // Counters.
    uint16_t RunTimeHours = 0;  // bytes 36 (high) and 11 (low), unsigned
    int RunTimeMinutes = 0;
    int WarmStartCount = 0;
    int ColdStartCount = 0;

    // Factory and customer settings.
    int GainValue = 0;
    int OffsetValue = 0;
    int IrisPulseWidthValue = 0;          // at most 15
    bool CustomerZoom = false;            // byte 20 bit 0: Zoom_On / Zoom_Off
    bool CustomerAmbientDisplay = false;  // bit 1
    bool CustomerSpotDisplay = false;     // bit 2: TempSen_On / TempSen_Off
    bool CustomerDisplayCelsius = false;  // bit 3: TempUnit_C / TempUnit_F
    bool CustomerTransmitter = false;     // bit 4: Transmitter_On / Transmitter_Off
    bool CustomerTimeDate = false;        // bit 6: TimeDate_on / TimeDate_off
    bool CustomSplashScreen = false;      // byte 21 bit 2
    bool FactorySpotSensor = false;       // byte 22 bit 0
    bool FactoryAmbientSensor = false;    // byte 22 bit 1
    int TxChannelCount = 0;               // byte 22 bits 4 to 6, 0 to 7
    bool FactoryTransmitter = false;      // one channel or more

    // Sensor kit and video standard (byte 23).
    QString SensorKit;           // as decoded: "BST 200", "ASi", "Vox", "BST 205", or not listed
    QString SensorKitAfterRead;  // what the form keeps afterwards: anything else becomes "New BST"
    bool VideoPal = false;
    QString VideoStandardText;  // "PAL" / "NTSC"

    // Humidity and heatsink.
    bool HumidityAlarmEnabled = false;         // byte 24 == 1
    int MaxHumidityPercent = 0;                // whole number, at most 100
    double MaxHeatsinkCelsius = 0.0;           // one decimal
    std::optional<double> HumidityNowPercent;  // empty: "Reading not specified"
    std::optional<double> HeatsinkNowCelsius;  // empty: "Reading not specified"
    int HumidityOnThreshold = 0;               // ADC thresholds, at most 1023
    int HumidityOffThreshold = 0;
    int OverTempLowOnThreshold = 0;
    int OverTempLowOffThreshold = 0;
    int OverTempHighOnThreshold = 0;
    int OverTempHighOffThreshold = 0;

    // Display.
    int LcdColour = 0;
    int LcdBrightness = 0;
    int LcdContrast = 0;
    bool UnitCelsius = false;    // byte 31 == 1: optC, else optF
    QString TempUnitText;        // "C" / "F"
    int16_t TempUnitLetter = 0;  // 99 / 102
    int ColourationNumber = 0;   // byte 53 bits 3 to 5; list index of SetupImageColour
    QString ColourationText;

    // Picture store and warnings.
    int16_t StoredImageCount = 0;  // 0 to 26
    int StoredImageCountRaw = 0;   // the whole byte 34
    int WarningByte = 0;
    QString WarningText;

    bool ChecksumOk = false;  // the block's own checksum; the decode does not depend on it

    // Tx_chn1_on to Tx_chn4_on are usable up to the number of channels fitted.
    bool TxChannelButtonEnabled(int channel) const { return channel <= TxChannelCount; }
};

// Decodes a status block (57 bytes, DLE STX first). Returns nothing when fewer than 57 bytes
// arrived; bytes after the 57th are ignored.
std::optional<StatusRecord> decodeStatusBlock(const QByteArray& block57,
                                              const StatusCarryOver& previous);

// Percent relative humidity for an ADC count, rounded to one decimal (half to even).
double HumidityFromAdc(int count);
// Degrees Celsius for a heatsink ADC count, rounded to one decimal (half to even); 0 when the
// count is out of the sensor's range.
double HeatsinkTempFromAdc(int count);

QString onOffText(bool on);  // "ON" / "OFF"
// The serial number as the report shows it: the number read, or the kept text when it is 0.
QString serialNumberShown(int32_t number, const QString& text);
QString sensorKitText(int byte23);
QString colourationText(int number);

#include "status/StatusRecord.h"

#include <algorithm>
#include <cmath>

namespace {

// Byte at a 1-based position, as the block's layout numbers them.
class Block {
  public:
    explicit Block(const QByteArray& bytes) : bytes_(bytes) {}
    int at(int position) const { return static_cast<uint8_t>(bytes_.at(position - 1)); }
    bool bit(int position, int bit) const { return (at(position) >> bit) & 1; }
    int lowFirst(int low, int high) const { return 256 * at(high) + at(low); }
    int highFirst(int high, int low) const { return 256 * at(high) + at(low); }

  private:
    const QByteArray& bytes_;
};

// num / den rounded to the nearest integer, ties to even; den > 0.
int64_t divideHalfEven(int64_t num, int64_t den) {
    int64_t q = num / den;
    int64_t r = num % den;
    if (r < 0) {  // floor division
        q -= 1;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1) != 0)) {
        q += 1;
    }
    return q;
}

// Humidity in tenths of a percent. The conversion (count x 0.002441 x 2 - 0.8) x 8500 / 263.75
// is exactly 17 (4882 count - 800000) / 527500, so it is done in integers: the rounding then
// sees true ties as ties.
int64_t humidityTenths(int count) {
    if (count == 0) {
        return 0;
    }
    const int64_t n = 4882 * static_cast<int64_t>(count) - 800000;
    return divideHalfEven(17 * n, 52750);
}

double roundTenthHalfEven(double value) {
    return std::nearbyint(value * 10.0) / 10.0;  // default rounding mode: ties to even
}

int clampThreshold(int value) {
    return value > 1023 ? 1023 : value;
}

QString versionText(int number) {
    return QStringLiteral("v%1").arg(number);
}

QString warningText(int warningByte, const QString& sensorKit) {
    if (warningByte != 1) {
        return QStringLiteral("No failure listed");
    }
    if (sensorKit == QLatin1String("BST 200") || sensorKit == QLatin1String("BST 205")) {
        return QStringLiteral("Lens fail");
    }
    if (sensorKit == QLatin1String("ASi")) {
        return QStringLiteral("Asi sensor interface error");
    }
    return QStringLiteral("No failure listed");
}

QString sensorKitAfterRead(const QString& kit) {
    static const QString kKept[] = {QStringLiteral("Old BST"), QStringLiteral("New BST"),
                                    QStringLiteral("ASi"), QStringLiteral("Vox")};
    for (const QString& kept : kKept) {
        if (kit == kept) {
            return kit;
        }
    }
    return QStringLiteral("New BST");
}

void decodeSerialAndVersions(const Block& b, const StatusCarryOver& previous, StatusRecord& r) {
    const int serial = b.lowFirst(5, 6);
    r.SerialNumberInBlock = serial != 0;
    r.CameraSerialNumber = previous.CameraSerialNumber;
    r.StatusSerialNumber = previous.StatusSerialNumber;
    r.SerialNumberText = previous.SerialNumberText;
    if (serial != 0) {
        r.CameraSerialNumber = serial;
        r.StatusSerialNumber = serial;
    } else if (r.CameraSerialNumber == 0) {
        r.SerialNumberText = QStringLiteral("Not Specified");
    }

    r.CameraFpgaVersion = b.at(7);
    r.CameraFpgaVersionText = versionText(r.CameraFpgaVersion);
    r.MicroVersionMajor = b.at(8);
    r.MicroVersionMinor = b.at(9);
    r.MicroVersionText = QStringLiteral("v%1.%2").arg(r.MicroVersionMajor).arg(r.MicroVersionMinor);
    r.LensFpgaVersion = b.at(10);
    r.LensFpgaVersionText = versionText(r.LensFpgaVersion);

    // 3.0 and 3.1 say nothing either way: the flags stay as the last read left them.
    r.NewFirmware = previous.NewFirmware;
    r.OldFirmware = previous.OldFirmware;
    if (r.MicroVersionMajor < 3) {
        r.NewFirmware = false;
        r.OldFirmware = true;
    } else if (r.MicroVersionMinor >= 2) {
        r.NewFirmware = true;
        r.OldFirmware = false;
    }
}

void decodeSettings(const Block& b, StatusRecord& r) {
    r.FactorySpotSensor = b.bit(22, 0);
    r.FactoryAmbientSensor = b.bit(22, 1);
    r.TxChannelCount = (b.at(22) >> 4) & 7;
    r.FactoryTransmitter = r.TxChannelCount >= 1;

    r.CustomerZoom = b.bit(20, 0);
    r.CustomerAmbientDisplay = b.bit(20, 1);
    r.CustomerSpotDisplay = b.bit(20, 2);
    r.CustomerDisplayCelsius = b.bit(20, 3);
    r.CustomerTransmitter = b.bit(20, 4);
    r.CustomerTimeDate = b.bit(20, 6);
    r.CustomSplashScreen = b.bit(21, 2);

    r.GainValue = b.at(15);
    r.OffsetValue = b.at(16);
    r.IrisPulseWidthValue = std::min(b.at(17), 15);
    r.LcdColour = b.at(27);
    r.LcdBrightness = b.at(28);
    r.LcdContrast = b.at(29);

    r.UnitCelsius = b.at(31) == 1;
    r.TempUnitText = r.UnitCelsius ? QStringLiteral("C") : QStringLiteral("F");
    r.TempUnitLetter = r.UnitCelsius ? 99 : 102;
    r.ColourationNumber = (b.at(53) >> 3) & 7;
    r.ColourationText = colourationText(r.ColourationNumber);
}

void decodeCountersAndKit(const Block& b, StatusRecord& r) {
    r.StoredImageCountRaw = b.at(34);
    r.StoredImageCount = static_cast<int16_t>(std::min(b.at(34) & 31, 26));
    r.RunTimeHours = static_cast<uint16_t>(b.lowFirst(11, 36));
    r.RunTimeMinutes = b.at(12);
    r.WarmStartCount = b.lowFirst(18, 19);
    r.ColdStartCount = b.lowFirst(32, 33);

    r.SensorKit = sensorKitText(b.at(23));
    r.SensorKitAfterRead = sensorKitAfterRead(r.SensorKit);
    r.VideoPal = b.bit(23, 7);
    r.VideoStandardText = r.VideoPal ? QStringLiteral("PAL") : QStringLiteral("NTSC");
    r.WarningByte = b.at(35);
    r.WarningText = warningText(r.WarningByte, r.SensorKit);
}

int maxHumidityPercent(const Block& b) {
    const int high = b.at(26) > 4 ? 3 : b.at(26);
    const int count = std::min(256 * high + b.at(25), 1024);
    const int64_t whole = divideHalfEven(humidityTenths(count), 10);
    return static_cast<int>(std::min<int64_t>(whole, 100));
}

std::optional<double> humidityNow(int count) {
    const double percent = std::min(HumidityFromAdc(count), 100.0);
    if (percent <= 0.0) {
        return std::nullopt;
    }
    return percent;
}

std::optional<double> heatsinkNow(int count) {
    const double celsius = count == 0 ? 0.0 : HeatsinkTempFromAdc(count);
    if (celsius <= 0.0) {
        return std::nullopt;
    }
    return celsius;
}

void decodeEnvironment(const Block& b, StatusRecord& r) {
    r.HumidityAlarmEnabled = b.at(24) == 1;
    r.MaxHumidityPercent = maxHumidityPercent(b);
    r.MaxHeatsinkCelsius = HeatsinkTempFromAdc(b.lowFirst(13, 14));
    r.HumidityNowPercent = humidityNow(b.lowFirst(37, 38));
    r.HeatsinkNowCelsius = heatsinkNow(b.lowFirst(39, 40));
    r.HumidityOnThreshold = clampThreshold(b.highFirst(41, 42));
    r.HumidityOffThreshold = clampThreshold(b.highFirst(43, 44));
    r.OverTempLowOnThreshold = clampThreshold(b.highFirst(45, 46));
    r.OverTempLowOffThreshold = clampThreshold(b.highFirst(47, 48));
    r.OverTempHighOnThreshold = clampThreshold(b.highFirst(49, 50));
    r.OverTempHighOffThreshold = clampThreshold(b.highFirst(51, 52));
}

bool blockChecksumOk(const Block& b) {
    int sum = 0;
    for (int position = 3; position <= 53; ++position) {
        sum ^= b.at(position);
    }
    return sum == b.at(56);
}

}  // namespace

std::optional<StatusRecord> decodeStatusBlock(const QByteArray& block57,
                                              const StatusCarryOver& previous) {
    if (block57.size() < kStatusBlockLength) {
        return std::nullopt;
    }
    const Block b(block57);
    StatusRecord r;
    decodeSerialAndVersions(b, previous, r);
    decodeSettings(b, r);
    decodeCountersAndKit(b, r);
    decodeEnvironment(b, r);
    r.ChecksumOk = blockChecksumOk(b);
    return r;
}

double HumidityFromAdc(int count) {
    return static_cast<double>(humidityTenths(count)) / 10.0;
}

double HeatsinkTempFromAdc(int count) {
    const double volts = count * 0.002441;
    const double ratio = (volts * 1703652390.0) / ((3.3 - volts) * 10000.0);
    if (!(ratio > 0.0) || !std::isfinite(ratio)) {
        return 0.0;
    }
    const double celsius = 3920.0 / std::log(ratio) - 273.0;
    if (!std::isfinite(celsius)) {
        return 0.0;
    }
    return roundTenthHalfEven(celsius);
}

QString serialNumberShown(int32_t number, const QString& text) {
    return number != 0 ? QString::number(number) : text;
}

QString onOffText(bool on) {
    return on ? QStringLiteral("ON") : QStringLiteral("OFF");
}

QString sensorKitText(int byte23) {
    switch (byte23 & 7) {
        case 0:
            return QStringLiteral("BST 200");
        case 1:
            return QStringLiteral("ASi");
        case 3:
            return QStringLiteral("Vox");
        case 2:
            return QStringLiteral("BST 205");
        default:
            return QStringLiteral("Sensor kit type is not listed");
    }
}

QString colourationText(int number) {
    static const char* const kTexts[] = {"Grey scale",    "Red spot",     "Soft red spot",
                                         "Green scale",   "Half colour",  "Full colour",
                                         "Full colour 2", "Full colour 3"};
    return QString::fromLatin1(kTexts[number & 7]);
}

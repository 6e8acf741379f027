#include "sim/StatusBlock.h"

#include <algorithm>

#include "sim/Wire.h"

namespace camsim {

namespace {

uint8_t lo(unsigned v) {
    return static_cast<uint8_t>(v & 0xFF);
}
uint8_t hi(unsigned v) {
    return static_cast<uint8_t>((v >> 8) & 0xFF);
}

uint8_t factoryByte(const CameraState& s) {
    return static_cast<uint8_t>((s.spotSensorFitted ? 0x01 : 0) |
                                (s.ambientSensorFitted ? 0x02 : 0) | ((s.txChannels & 0x07) << 4));
}

uint8_t displayByte(const CameraState& s) {
    return static_cast<uint8_t>((s.displayBits & ~0x04) | (s.customSplash ? 0x04 : 0));
}

}  // namespace

uint8_t sensorKitBits(SensorKit kit) {
    switch (kit) {
        case SensorKit::Bst200:
            return 0x00;
        case SensorKit::Bst205:
            return 0x02;
        case SensorKit::ASi:
            return 0x01;
        case SensorKit::Vox:
            return 0x03;
    }
    return 0;
}

std::array<uint8_t, kStatusBlockSize> statusBlock(const CameraState& s) {
    std::array<uint8_t, kStatusBlockSize> b{};
    auto at = [&b](int pos) -> uint8_t& { return b[pos - 1]; };
    at(1) = wire::kDle;
    at(2) = wire::kStx;
    at(3) = wire::kTag;
    at(4) = wire::kAddress;
    at(5) = lo(s.serialNumber);
    at(6) = hi(s.serialNumber);
    at(7) = s.cameraFpgaVersion;
    at(8) = s.firmwareMajor;
    at(9) = s.firmwareMinor;
    at(10) = s.lensFpgaVersion;
    at(11) = lo(s.runTimeHours);
    at(12) = s.runTimeMinutes;
    at(13) = lo(s.maxHeatsinkAdc);
    at(14) = hi(s.maxHeatsinkAdc);
    at(15) = s.gain;
    at(16) = s.offset;
    at(17) = s.irisPulseWidth;
    at(18) = lo(s.warmStarts);
    at(19) = hi(s.warmStarts);
    at(20) = s.customerBits;
    at(21) = displayByte(s);
    at(22) = factoryByte(s);
    at(23) = static_cast<uint8_t>(sensorKitBits(s.sensorKit) | (s.pal ? 0x80 : 0));
    at(24) = s.humidityAlarm;
    at(25) = lo(s.maxHumidityAdc);
    at(26) = hi(s.maxHumidityAdc);
    at(27) = s.lcdColour;
    at(28) = s.lcdBrightness;
    at(29) = s.lcdContrast;
    at(30) = s.byte30;
    at(31) = s.tempUnit;
    at(32) = lo(s.coldStarts);
    at(33) = hi(s.coldStarts);
    at(34) = static_cast<uint8_t>(std::min<size_t>(s.pictures.size(), kMaxPictures));
    at(35) = s.warning;
    at(36) = hi(s.runTimeHours);
    at(37) = lo(s.humidityAdc);
    at(38) = hi(s.humidityAdc);
    at(39) = lo(s.heatsinkAdc);
    at(40) = hi(s.heatsinkAdc);
    for (int i = 0; i < 6; ++i) {  // thresholds go high byte first
        at(41 + 2 * i) = hi(s.thresholds[i]);
        at(42 + 2 * i) = lo(s.thresholds[i]);
    }
    at(53) = static_cast<uint8_t>((s.colouration & 0x07) << 3);
    at(54) = wire::kDle;
    at(55) = wire::kEtx;
    at(56) = wire::xorOf(std::span<const uint8_t>(b).subspan(2, 51));
    at(57) = static_cast<uint8_t>(0xFF - at(56));
    return b;
}

}  // namespace camsim

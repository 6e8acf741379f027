#include "sim/Commands.h"

#include "sim/Scene.h"

namespace camsim {

namespace {

using Params = std::span<const uint8_t>;
using Kind = Answer::Kind;

constexpr Answer kAck{Kind::Ack};
constexpr Answer kCan{Kind::Can};

struct Entry {
    uint8_t c1, c2;
    uint8_t length;  // bytes the command needs, letters included; extra bytes are ignored
    Answer (*apply)(CameraState&, Params);
};

template <uint8_t Bit, bool On>
Answer customerBit(CameraState& s, Params) {
    s.customerBits = static_cast<uint8_t>(On ? (s.customerBits | Bit) : (s.customerBits & ~Bit));
    return kAck;
}

template <char Mode>
Answer display(CameraState& s, Params) {
    s.displayMode = Mode;
    s.shownPicture = -1;
    return kAck;
}

template <SensorKit Kit>
Answer sensorKit(CameraState& s, Params) {
    s.sensorKit = Kit;
    return kAck;
}

template <int Colouration>
Answer colouration(CameraState& s, Params) {
    s.colouration = Colouration;
    return kAck;
}

template <int Register>
Answer threshold(CameraState& s, Params p) {
    const int value = p[2] << 8 | p[3];
    if (value > 1023) return kCan;  // the alarm compares 10-bit ADC counts
    s.thresholds[Register - 10] = static_cast<uint16_t>(value);
    return kAck;
}

template <int Channel>
Answer txChannelOn(CameraState& s, Params) {
    if (Channel > s.txChannels) return kCan;
    s.activeChannel = Channel;
    s.customerBits |= customer::kTransmitter;
    return kAck;
}

Answer none(CameraState&, Params) {
    return kAck;
}

Answer lcd(uint8_t& field, uint8_t v) {
    if (v > 10) return kCan;
    field = v;
    return kAck;
}

bool bcd(uint8_t b, int lo, int hi, int& out) {
    if ((b >> 4) > 9 || (b & 0x0F) > 9) return false;
    out = (b >> 4) * 10 + (b & 0x0F);
    return out >= lo && out <= hi;
}

Answer setClock(CameraState& s, Params p) {
    CameraClock c;
    if (!bcd(p[2], 0, 23, c.hour) || !bcd(p[3], 0, 59, c.minute) || !bcd(p[4], 1, 31, c.day) ||
        !bcd(p[5], 1, 12, c.month) || !bcd(p[6], 0, 99, c.year2))
        return kCan;
    s.clock = c;  // no seconds are sent: the clock starts the minute
    return kAck;
}

Answer storePicture(CameraState& s, Params) {
    if (s.pictures.size() >= kMaxPictures) return kCan;
    s.pictures.push_back(syntheticPicture(s.nextScene, s));
    s.nextScene = s.nextScene % kMaxPictures + 1;
    return kAck;
}

Answer deletePicture(CameraState& s, Params p) {
    if (p[2] == 0 || !holdsPicture(s, p[2])) return kCan;
    s.pictures.erase(s.pictures.begin() + (p[2] - 1));
    return kAck;
}

Answer showPicture(CameraState& s, Params p) {
    if (!holdsPicture(s, p[2])) return kCan;
    s.displayMode = 'y';
    s.shownPicture = p[2];
    return kAck;
}

Answer sendPicture(CameraState& s, Params p) {
    if (!holdsPicture(s, p[2])) return kCan;
    return {Kind::PictureTransfer, p[2]};
}

// B S S, B S A, B S R a, B S W k a d1..dk
Answer engineering(CameraState& s, Params p) {
    switch (p[2]) {
        case 'S':
        case 'A':
            return kAck;
        case 'R':
            return p.size() >= 4 ? Answer{Kind::Register, p[3]} : kCan;
        case 'W': {
            const size_t k = p.size() >= 4 ? p[3] : 0;
            if (k < 1 || k > 3 || p.size() < 5 + k) return kCan;
            for (size_t i = 0; i < k; ++i) s.registers[(p[4] + i) & 0xFF] = p[5 + i];
            return {Kind::Register, p[4]};
        }
    }
    return kCan;
}

// clang-format off
const Entry kCommands[] = {
    {'S', 'f', 2, display<'f'>}, {'S', 't', 2, display<'t'>}, {'S', 'd', 2, display<'d'>},
    {'S', 'r', 2, [](CameraState&, Params) { return Answer{Kind::StatusBlock}; }},
    {'S', 'n', 4, [](CameraState& s, Params p) { s.serialNumber = uint16_t(p[2] | p[3] << 8); return kAck; }},
    {'T', 'a', 2, customerBit<customer::kTransmitter, true>},
    {'T', 'b', 2, customerBit<customer::kTransmitter, false>},
    {'T', 't', 2, customerBit<customer::kSpotDisplay, true>},
    {'T', 'f', 2, customerBit<customer::kSpotDisplay, false>},
    {'T', 'C', 2, [](CameraState& s, Params p) { s.tempUnit = 1; return customerBit<customer::kCelsius, true>(s, p); }},
    {'T', 'F', 2, [](CameraState& s, Params p) { s.tempUnit = 0; return customerBit<customer::kCelsius, false>(s, p); }},
    {'T', 'S', 2, [](CameraState& s, Params) { s.scaleBar = true; return kAck; }},
    {'T', 's', 2, [](CameraState& s, Params) { s.scaleBar = false; return kAck; }},
    {'T', 'c', 2, none}, {'T', 'd', 2, none},
    {'T', 'o', 3, [](CameraState& s, Params p) { if (p[2] > 7) return kCan; s.txChannels = p[2]; return kAck; }},
    {'T', 'H', 2, txChannelOn<1>}, {'T', 'I', 2, txChannelOn<2>},
    {'T', 'J', 2, txChannelOn<3>}, {'T', 'K', 2, txChannelOn<4>},
    {'T', 'L', 2, [](CameraState& s, Params p) { s.activeChannel = 0; return customerBit<customer::kTransmitter, false>(s, p); }},
    {'D', 't', 2, customerBit<customer::kTimeDate, true>},
    {'D', 'f', 2, customerBit<customer::kTimeDate, false>},
    {'D', 's', 7, setClock},
    {'Z', 'o', 2, customerBit<customer::kZoom, true>},
    {'Z', 'p', 2, customerBit<customer::kZoom, false>},
    {'Z', 't', 2, [](CameraState& s, Params) { s.zoomedIn = !s.zoomedIn; return kAck; }},
    {'Z', 'f', 2, none},
    {'I', 't', 2, none}, {'I', 'o', 2, none}, {'I', 'C', 2, none}, {'I', 'c', 2, none},
    {'I', 's', 2, none}, {'I', 'b', 2, none},
    {'I', 'w', 3, [](CameraState& s, Params p) { if (p[2] > 15) return kCan; s.irisPulseWidth = p[2]; return kAck; }},
    {'H', 'r', 2, none}, {'H', 'b', 2, none}, {'K', 'f', 2, none}, {'K', 'o', 2, none},
    {'F', 'a', 2, none}, {'F', 'b', 2, none}, {'F', 'c', 2, none}, {'F', 'd', 2, none}, {'F', 'r', 2, none},
    {'F', 'e', 2, [](CameraState& s, Params) { s.spotSensorFitted = true; return kAck; }},
    {'F', 'f', 2, [](CameraState& s, Params) { s.spotSensorFitted = false; return kAck; }},
    {'F', 'g', 2, [](CameraState& s, Params) { s.ambientSensorFitted = true; return kAck; }},
    {'F', 'h', 2, [](CameraState& s, Params) { s.ambientSensorFitted = false; return kAck; }},
    {'P', 'g', 2, colouration<0>}, {'P', 'v', 2, colouration<1>}, {'P', 'o', 2, colouration<2>},
    {'P', 'r', 2, colouration<3>}, {'P', 'c', 2, colouration<4>}, {'P', 'f', 2, colouration<5>},
    {'P', 's', 2, colouration<6>}, {'P', 't', 2, colouration<7>},
    {'N', 'w', 2, none}, {'G', 'c', 2, none},
    {'G', 'r', 2, [](CameraState& s, Params) { s.graphicsIn = true; return kAck; }},
    {'G', 'i', 2, [](CameraState& s, Params) { s.graphicsIn = false; return kAck; }},
    {'C', 'D', 2, [](CameraState& s, Params) { s.pictures.clear(); return kAck; }},
    {'C', 'c', 2, storePicture}, {'C', 0x0A, 3, deletePicture}, {'C', 'y', 3, showPicture},
    {'C', 'S', 3, sendPicture},
    {'C', 'z', 2, [](CameraState& s, Params) { s.customSplash = !s.customSplash; return kAck; }},
    {'C', 'u', 2, [](CameraState&, Params) { return Answer{Kind::SplashUpload}; }},
    {'J', 'a', 2, [](CameraState&, Params) { return Answer{Kind::FpgaUpload}; }},
    {'R', 'm', 2, none}, {'R', 'd', 2, none},
    {'R', 't', 2, [](CameraState& s, Params) { s.runTimeHours = 0; s.runTimeMinutes = 0; return kAck; }},
    {'R', 's', 2, [](CameraState& s, Params) { s.coldStarts = 0; s.warmStarts = 0; return kAck; }},
    {'U', 'a', 2, sensorKit<SensorKit::Bst200>}, {'U', 'b', 2, sensorKit<SensorKit::Bst205>},
    {'U', 'c', 2, sensorKit<SensorKit::ASi>}, {'U', 'd', 2, sensorKit<SensorKit::Vox>},
    {'U', 'p', 2, [](CameraState& s, Params) { s.pal = true; return kAck; }},
    {'U', 'n', 2, [](CameraState& s, Params) { s.pal = false; return kAck; }},
    {'L', 'B', 3, [](CameraState& s, Params p) { return lcd(s.lcdBrightness, p[2]); }},
    {'L', 'C', 3, [](CameraState& s, Params p) { return lcd(s.lcdContrast, p[2]); }},
    {'L', 'c', 3, [](CameraState& s, Params p) { return lcd(s.lcdColour, p[2]); }},
    {'A', 0x0A, 4, threshold<10>}, {'A', 0x0B, 4, threshold<11>}, {'A', 0x0C, 4, threshold<12>},
    {'A', 0x0D, 4, threshold<13>}, {'A', 0x0E, 4, threshold<14>}, {'A', 0x0F, 4, threshold<15>},
    {'A', 0x10, 2, [](CameraState& s, Params) { s.maxHumidityAdc = s.humidityAdc; return kAck; }},
    {'A', 0x11, 2, [](CameraState& s, Params) { s.maxHeatsinkAdc = s.heatsinkAdc; return kAck; }},
    {'A', 'H', 3, [](CameraState& s, Params p) { s.humidityAlarm = p[2]; return kAck; }},
    {'A', 0x02, 2, none}, {'A', 0x04, 2, none}, {'A', 0x15, 2, none}, {'A', 0x16, 2, none},
    {'O', 0x80, 2, [](CameraState&, Params) { return Answer{Kind::PictureCount}; }},
    {'O', 0x8C, 2, [](CameraState& s, Params) { s.customSplash = true; return kAck; }},
    {'O', 0x8D, 2, [](CameraState& s, Params) { s.customSplash = false; return kAck; }},
    {'O', 0x8E, 2, [](CameraState& s, Params) { s.blackText = false; return kAck; }},
    {'O', 0x8F, 2, [](CameraState& s, Params) { s.blackText = true; return kAck; }},
    {'B', 'g', 3, [](CameraState& s, Params p) { s.gain = p[2]; return kAck; }},
    {'B', 'o', 3, [](CameraState& s, Params p) { s.offset = p[2]; return kAck; }},
    {'B', 'S', 3, engineering},
};
// clang-format on

}  // namespace

bool holdsPicture(const CameraState& s, int n) {
    return n >= 0 && n <= static_cast<int>(s.pictures.size());
}

std::string commandKey(std::span<const uint8_t> payload) {
    std::string key;
    for (size_t i = 0; i < 2 && i < payload.size(); ++i) key += static_cast<char>(payload[i]);
    return key;
}

Answer applyCommand(CameraState& s, std::span<const uint8_t> payload) {
    if (payload.size() < 2) return kCan;
    for (const Entry& e : kCommands) {
        if (e.c1 == payload[0] && e.c2 == payload[1])
            return payload.size() >= e.length ? e.apply(s, payload) : kCan;
    }
    return kCan;
}

}  // namespace camsim

#pragma once
// Plain data of the simulated camera: what it holds, the faults it can put on the line and
// what it counts. No I/O here.

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace camsim {

inline constexpr int kWidth = 320;
inline constexpr int kHeight = 240;
inline constexpr int kPixelCount = kWidth * kHeight;
inline constexpr int kMaxPictures = 26;
inline constexpr int kDataPackets = 2400;     // 32 pixel bytes each
inline constexpr int kHeaderPacket = 0xFFFF;  // packet number of the picture header
inline constexpr int kSplashBlocks = 2400;    // 32 bytes each
inline constexpr int kFpgaLastBlock = 1850;   // at offset 59 200, 15 bytes used
inline constexpr int kFpgaBytes = 59215;

struct Picture {
    std::array<uint8_t, 21> header{};
    std::vector<uint8_t> pixels;  // 76800, top row first
};

struct CameraClock {
    int hour = 12, minute = 30, second = 0;
    int day = 15, month = 6, year2 = 24;
};

enum class SensorKit : uint8_t { Bst200, Bst205, ASi, Vox };

// Bits of status byte 20 (customer settings).
namespace customer {
inline constexpr uint8_t kZoom = 0x01;
inline constexpr uint8_t kAmbientDisplay = 0x02;
inline constexpr uint8_t kSpotDisplay = 0x04;
inline constexpr uint8_t kCelsius = 0x08;
inline constexpr uint8_t kTransmitter = 0x10;
inline constexpr uint8_t kTimeDate = 0x40;
}  // namespace customer

struct CameraState {
    // Identity, set when the camera starts.
    uint16_t serialNumber = 10234;  // 0: no serial number
    uint8_t firmwareMajor = 3, firmwareMinor = 2;
    uint8_t cameraFpgaVersion = 7, lensFpgaVersion = 4;

    // Counters and readings (ADC counts).
    uint16_t runTimeHours = 1234;
    uint8_t runTimeMinutes = 56;
    uint16_t warmStarts = 87, coldStarts = 42;
    uint16_t humidityAdc = 300, maxHumidityAdc = 420;
    uint16_t heatsinkAdc = 700, maxHeatsinkAdc = 560;
    uint8_t warning = 0;  // byte 35

    // Settings shown in the status block.
    uint8_t gain = 40, offset = 150, irisPulseWidth = 8;
    uint8_t customerBits = customer::kZoom | customer::kSpotDisplay | customer::kCelsius |
                           customer::kTransmitter | customer::kTimeDate;
    uint8_t displayBits = 0;  // byte 21 apart from the custom splash bit
    bool customSplash = false;
    bool spotSensorFitted = true, ambientSensorFitted = true;
    uint8_t txChannels = 4;  // 0..7
    SensorKit sensorKit = SensorKit::Bst205;
    bool pal = true;
    uint8_t humidityAlarm = 1;
    uint8_t lcdColour = 5, lcdBrightness = 5, lcdContrast = 5;
    uint8_t byte30 = 0;
    uint8_t tempUnit = 1;                                              // 1 Celsius, 0 Fahrenheit
    std::array<uint16_t, 6> thresholds{673, 641, 473, 526, 379, 424};  // registers 10..15
    uint8_t colouration = 0;                                           // 0..7

    // Live settings not in the status block.
    char displayMode = 'f';  // f live scene, t bars, d test card, y a stored picture
    int shownPicture = -1;
    int activeChannel = 0;  // 0 off, 1..4
    bool scaleBar = false, graphicsIn = false, blackText = false, zoomedIn = false;

    CameraClock clock;
    std::vector<Picture> pictures;  // picture n is pictures[n-1]
    Picture splash;                 // picture 0
    int nextScene = 1;              // scene drawn by the next 'C' 'c'
    std::array<uint8_t, 256> registers{};
    std::vector<uint8_t> fpgaImage;  // the last complete configuration upload
    int fpgaConfigurations = 0;
};

struct Faults {
    std::set<int> corruptPackets;  // picture packets (0..2399, 0xFFFF header), first sending only
    double corruptRate = 0;        // random fraction of picture packets with a wrong checksum
    std::set<int> dropPackets;     // picture packets lost on their first sending
    std::set<int> skipPackets;     // data packets skipped: the next one is sent in their place
    int dropReplies = 0;           // the next N answers to commands are not sent
    int replyDelayMs = 0;          // delay before every answer
    std::set<std::string> nakCommands, canCommands;  // 2-byte command keys such as "Sf"
    int garbageBytes = 0;                            // random bytes (never DLE) before each packet
    int splitChunks = 1;
    int splitPauseMs = 0;
    double bitFlipRate = 0;  // per byte sent
    bool silent = false;     // unplugged: hears and sends nothing
    // Picture packets damaged so their checksum still holds (one bit flipped in two pixels), on
    // as many of their sendings by this camera as given, from the first, each time differently:
    // a later download of the picture is clean.
    std::map<int, int> hiddenDamagePackets;
    // The next N packets sent come after a burst of noise that starts like a packet (DLE STX).
    int falseStarts = 0;
    // A loopback plug in place of the camera: every byte comes straight back, at any speed, and
    // this fraction of them comes back changed.
    bool loopback = false;
    double loopbackSpoilRate = 0;
};

struct Counters {
    // Heard from the PC.
    int64_t bytesReceived = 0, packetsReceived = 0, badChecksums = 0, badFrames = 0;
    int64_t commands = 0;
    // Answers.
    int64_t acks = 0, naks = 0, cans = 0, statusBlocksSent = 0, countRepliesSent = 0;
    int64_t registerRepliesSent = 0, repliesDropped = 0;
    // Picture transfer.
    int64_t transfersStarted = 0, headerPacketsSent = 0, dataPacketsSent = 0, retransmissions = 0;
    int64_t packetsCorrupted = 0, packetsDropped = 0, packetsSkipped = 0;
    int64_t ctrlAck = 0, ctrlNak = 0, ctrlNak1 = 0, ctrlNak2 = 0, ctrlEnd = 0;
    int64_t transfersCompleted = 0, transfersAbandoned = 0;
    // Splash and FPGA uploads.
    int64_t blockRequestsSent = 0, splashBlocks = 0, fpgaBlocks = 0, badBlocks = 0;
    int64_t uploadsCompleted = 0, uploadsAbandoned = 0;
    // Line.
    int64_t bytesSent = 0, bytesDroppedClosed = 0, bytesLostSilent = 0, bytesNoise = 0;
    int64_t hangups = 0;
};

// "name: value" lines, one per counter.
std::string describeCounters(const Counters& c);

}  // namespace camsim

// orvik3-camsim: the simulated camera as a program. Prints the program-side device path, runs
// until SIGINT or SIGTERM, then prints its counters to stderr.

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "sim/SimCamera.h"

namespace {

constexpr const char* kUsage = R"(usage: orvik3-camsim [options]
  --speed 115200|19200     the camera's line speed (default 115200)
  --no-pacing              send at once instead of at the line's speed
  --firmware MAJOR.MINOR   firmware version (default 3.2)
  --serial N               serial number, 0 for none (default 10234)
  --pictures N             stored pictures at start, 0 to 26 (default 5)
  --link PATH              make PATH a symbolic link to the device while running
  --seed N                 seed of the random faults (default 1)
fault options:
  --corrupt-packets LIST   picture packets (0..2399, 65535 = header) with a wrong checksum
                           on their first sending, e.g. 5,17
  --corrupt-rate R         random fraction of picture packets with a wrong checksum
  --drop-packets LIST      picture packets lost on their first sending
  --skip-packets LIST      data packets skipped: the next one is sent in their place
  --drop-replies N         the next N answers are not sent
  --reply-delay MS         delay before every answer
  --nak CMD                answer NAK to command CMD (two letters, or 0xHHHH); repeatable
  --can CMD                answer CAN to command CMD; repeatable
  --garbage N              N random bytes before every packet sent
  --false-starts N         a burst of noise starting DLE STX before each of the next N packets
  --hidden-damage LIST     picture packets damaged so their checksum still holds (first sending)
  --split N,MS             send every packet in N chunks with MS pauses between them
  --bit-flip-rate R        flip a random bit in a byte sent, at rate R per byte
  --silent                 hear and send nothing, as if unplugged
  --loopback               no camera: a loopback plug that echoes every byte at any speed
  --loopback-spoil R       with --loopback, change a random fraction R of the bytes echoed
  --help                   this text
)";

struct Config {
    camsim::Options options;
    camsim::CameraState state = camsim::SimCamera::defaultState();
    camsim::Faults faults;
    std::string link;
    int pictures = -1;  // as many as the default state holds
};

std::set<int> parseList(const std::string& text) {
    std::set<int> out;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) out.insert(std::stoi(item, nullptr, 0));
    return out;
}

std::string parseCommand(const std::string& text) {
    if (text.size() == 2) return text;
    if (text.size() == 6 && text.rfind("0x", 0) == 0) {
        const int v = std::stoi(text, nullptr, 16);
        return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
    }
    throw std::invalid_argument("a command is two letters or 0xHHHH: " + text);
}

void setPictures(camsim::CameraState& s, int n) {
    if (n < 0 || n > camsim::kMaxPictures) throw std::invalid_argument("--pictures takes 0 to 26");
    s.pictures.clear();
    for (int i = 1; i <= n; ++i) s.pictures.push_back(camsim::syntheticPicture(i, s));
    s.nextScene = n % camsim::kMaxPictures + 1;
}

void setSplit(camsim::Faults& f, const std::string& v) {
    const auto comma = v.find(',');
    f.splitChunks = std::stoi(v.substr(0, comma));
    f.splitPauseMs = comma == std::string::npos ? 0 : std::stoi(v.substr(comma + 1));
}

void setFirmware(camsim::CameraState& s, const std::string& v) {
    const auto dot = v.find('.');
    if (dot == std::string::npos) throw std::invalid_argument("--firmware takes MAJOR.MINOR");
    s.firmwareMajor = static_cast<uint8_t>(std::stoi(v.substr(0, dot)));
    s.firmwareMinor = static_cast<uint8_t>(std::stoi(v.substr(dot + 1)));
}

using Setter = void (*)(Config&, const std::string&);

// Options that take a value.
const std::map<std::string, Setter> kValueOptions = {
    {"--speed", [](Config& c, const std::string& v) { c.options.baud = std::stoi(v); }},
    {"--firmware", [](Config& c, const std::string& v) { setFirmware(c.state, v); }},
    {"--serial",
     [](Config& c, const std::string& v) { c.state.serialNumber = uint16_t(std::stoul(v)); }},
    {"--pictures", [](Config& c, const std::string& v) { c.pictures = std::stoi(v); }},
    {"--link", [](Config& c, const std::string& v) { c.link = v; }},
    {"--seed", [](Config& c, const std::string& v) { c.options.seed = unsigned(std::stoul(v)); }},
    {"--corrupt-packets",
     [](Config& c, const std::string& v) { c.faults.corruptPackets = parseList(v); }},
    {"--corrupt-rate",
     [](Config& c, const std::string& v) { c.faults.corruptRate = std::stod(v); }},
    {"--drop-packets",
     [](Config& c, const std::string& v) { c.faults.dropPackets = parseList(v); }},
    {"--skip-packets",
     [](Config& c, const std::string& v) { c.faults.skipPackets = parseList(v); }},
    {"--drop-replies",
     [](Config& c, const std::string& v) { c.faults.dropReplies = std::stoi(v); }},
    {"--reply-delay",
     [](Config& c, const std::string& v) { c.faults.replyDelayMs = std::stoi(v); }},
    {"--nak",
     [](Config& c, const std::string& v) { c.faults.nakCommands.insert(parseCommand(v)); }},
    {"--can",
     [](Config& c, const std::string& v) { c.faults.canCommands.insert(parseCommand(v)); }},
    {"--garbage", [](Config& c, const std::string& v) { c.faults.garbageBytes = std::stoi(v); }},
    {"--split", [](Config& c, const std::string& v) { setSplit(c.faults, v); }},
    {"--hidden-damage",
     [](Config& c, const std::string& v) {
         for (int n : parseList(v)) c.faults.hiddenDamagePackets[n] = 1;
     }},
    {"--false-starts",
     [](Config& c, const std::string& v) { c.faults.falseStarts = std::stoi(v); }},
    {"--loopback-spoil",
     [](Config& c, const std::string& v) { c.faults.loopbackSpoilRate = std::stod(v); }},
    {"--bit-flip-rate",
     [](Config& c, const std::string& v) { c.faults.bitFlipRate = std::stod(v); }},
};

// Returns nothing when the program should stop at once (help, or an error already reported).
std::optional<Config> parse(int argc, char** argv, int& status) {
    Config c;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        const auto option = kValueOptions.find(name);
        if (name == "--help") {
            std::cout << kUsage;
            status = 0;
            return std::nullopt;
        } else if (name == "--no-pacing") {
            c.options.paced = false;
        } else if (name == "--silent") {
            c.faults.silent = true;
        } else if (name == "--loopback") {
            c.faults.loopback = true;
        } else if (option != kValueOptions.end() && i + 1 < argc) {
            option->second(c, argv[++i]);
        } else {
            std::cerr << "orvik3-camsim: unknown option or missing value: " << name << "\n"
                      << kUsage;
            status = 2;
            return std::nullopt;
        }
    }
    // Pictures carry the firmware's digit form and the unit in their headers: draw them last.
    setPictures(c.state, c.pictures >= 0 ? c.pictures : int(c.state.pictures.size()));
    c.state.splash = camsim::defaultSplash(c.state);
    if (c.options.baud != 115200 && c.options.baud != 19200)
        throw std::invalid_argument("--speed takes 115200 or 19200");
    return c;
}

int run(const Config& config) {
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);  // before the camera's thread starts

    camsim::SimCamera camera(config.options, config.state);
    camera.setFaults(config.faults);
    const std::string path = camera.devicePath();
    if (!config.link.empty()) {
        unlink(config.link.c_str());
        if (symlink(path.c_str(), config.link.c_str()) != 0) {
            std::perror(("orvik3-camsim: " + config.link).c_str());
            return 1;
        }
    }
    std::cout << path << std::endl;

    int sig = 0;
    sigwait(&stop, &sig);
    if (!config.link.empty()) unlink(config.link.c_str());
    std::cerr << camsim::describeCounters(camera.counters());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        int status = 0;
        const auto config = parse(argc, argv, status);
        return config ? run(*config) : status;
    } catch (const std::exception& e) {
        std::cerr << "orvik3-camsim: " << e.what() << "\n";
        return 2;
    }
}

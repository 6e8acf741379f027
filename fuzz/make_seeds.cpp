// Writes the seed corpora: real exchanges taken from the simulated camera (so they are right by
// construction, from the camera's side), small bitmaps, palettes and configuration files.
// make_seeds DIR writes DIR/<target>/...; with --large it writes only the seeds too big to keep
// in the repository (a whole 320 x 240 splash bitmap).
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "sim/CameraCore.h"
#include "sim/SimCamera.h"
#include "sim/Wire.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace camsim;

using Seed = std::tuple<const char*, const char*, Bytes>;  // target, name, bytes

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes kAck = {0x10, 0x02, 0x54, 0x01, 0x43, 0x06, 0x10, 0x03, 0x10, 0xEF};

Bytes bitmap(int width, int height, int bits, uint32_t compression, bool topDown) {
    const int stride = (width * bits / 8 + 3) / 4 * 4;
    Bytes b(54 + size_t(stride) * height, 0);
    auto u32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M', b[26] = 1, b[28] = uint8_t(bits);
    u32(2, uint32_t(b.size())), u32(10, 54), u32(14, 40), u32(18, uint32_t(width));
    u32(22, uint32_t(topDown ? -height : height)), u32(30, compression);
    for (size_t i = 54; i < b.size(); ++i) b[i] = uint8_t(i * 7);
    return b;
}

std::vector<Seed> seeds() {
    // The camera's answers to what the PC sends, in order.
    CameraState small = SimCamera::defaultState();
    small.pictures.resize(2);
    CameraCore core(small);
    TimePoint t{};
    auto say = [&](const Bytes& frame, int laterMs = 0) {
        t += std::chrono::milliseconds(laterMs);
        Bytes out;
        for (const Outgoing& o : core.receive(frame, t)) out = out + o.bytes;
        for (const Outgoing& o : core.tick(t)) out = out + o.bytes;
        return out;
    };
    const Bytes status = say(wire::pcFrame({'S', 'r'}, false));
    const Bytes header = say(wire::pcFrame({'C', 'S', 1}, true));
    Bytes picture = header;  // (one call a statement: the camera answers in order)
    for (int i = 0; i < 3; ++i) picture = picture + say(kAck);
    const Bytes reg = say(wire::pcFrame({'B', 'S', 'R', 10}, true));
    Bytes block = {'C', 'b'};
    block.resize(34, 0x41);
    Bytes splash = say(wire::pcFrame({'C', 'u'}, false));
    splash = splash + say(wire::pcFrame(block, false));
    block[0] = 'J';
    // (The kept seed has an FPGA block after the splash start.)
    const Bytes splashStart = wire::pcFrame({'C', 'u'}, false) + wire::pcFrame(block, false);
    Bytes fpga = say(wire::pcFrame({'J', 'a'}, true));
    fpga = fpga + say({}, 1100);
    fpga = fpga + say(wire::pcFrame(block, false));

    Bytes rbf(300);
    for (size_t i = 0; i < rbf.size(); ++i) rbf[i] = uint8_t(i * 13 + 1);
    std::string palette = "# comment\n1 ";
    for (int i = 0; i < 256; ++i)
        palette += std::to_string(i) + "," + std::to_string(i) + "," + std::to_string(i) + ",0,";
    palette.back() = '\n';
    palette += "5 \n";
    const std::string badPalette = "2 1,2,300,0\n21 0,0\nx y\n";

    // The trailing bytes are what the targets take from the end: lengths, modes, chunk sizes.
    return {{"status_block", "status", status + Bytes{0, 0, 0x27, 0x1A, 1}},
            {"status_block", "short", Bytes(status.begin(), status.begin() + 30)},
            {"check_packet", "status", status + Bytes{57 + 2}},
            {"check_packet", "header", header + Bytes{40 + 2}},
            {"check_packet", "data", Bytes(picture.begin() + 40, picture.begin() + 80) + Bytes{42}},
            // Mode 3 (a transfer) in 40-byte chunks; mode 0 (40-byte packets) in 7-byte chunks.
            {"receive_packet", "transfer", picture + Bytes(8, 39) + Bytes{95, 3}},
            {"receive_packet", "packets", picture + Bytes(8, 6) + Bytes{95, 0}},
            {"receive_packet", "status", status + Bytes{56, 95, 1}},
            {"engineering_reply", "read", reg},
            {"engineering_reply", "can", wire::answer(wire::kCan) + reg},
            {"splash_reply", "requests", splash + Bytes{10}},
            {"splash_reply", "split", splash + Bytes{3}},
            {"fpga_reply", "requests", fpga + Bytes{12}},
            {"sim_parser", "status_request", wire::pcFrame({'S', 'r'}, false)},
            {"sim_parser", "picture_and_acks",
             wire::pcFrame({'C', 'S', 1}, true) + kAck + kAck + Bytes{0, 0, 0}},
            {"sim_parser", "register_write", wire::pcFrame({'B', 'S', 'W', 2, 10, 0x10, 7}, true)},
            {"sim_parser", "splash_start", splashStart},
            {"sim_parser", "clock",
             wire::pcFrame({'D', 's', 0x12, 0x34, 0x56, 0x01, 0x02, 0x24}, true)},
            {"splash_file", "small_24", bitmap(4, 3, 24, 0, false)},
            {"splash_file", "top_down_24", bitmap(5, 2, 24, 0, true)},
            {"splash_file", "eight_bit", bitmap(4, 4, 8, 0, false)},
            {"splash_file", "compressed", bitmap(4, 4, 24, 1, false)},
            {"fpga_file", "part", rbf},
            {"fpga_file", "empty", {}},
            {"palette_table", "grey", Bytes(palette.begin(), palette.end())},
            {"palette_table", "bad", Bytes(badPalette.begin(), badPalette.end())}};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return std::fprintf(stderr, "usage: make_seeds DIR [--large]\n"), 2;
    const bool large = argc > 2 && std::string(argv[2]) == "--large";
    const Seed splash320 = {"splash_file", "splash_320x240", bitmap(320, 240, 24, 0, false)};
    for (const auto& [target, name, bytes] : large ? std::vector{splash320} : seeds()) {
        std::filesystem::create_directories(std::filesystem::path(argv[1]) / target);
        std::ofstream(std::filesystem::path(argv[1]) / target / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    return 0;
}

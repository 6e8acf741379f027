// Writes the seed corpora: real exchanges taken from the simulated camera (so they are right by
// construction, from the camera's side), small bitmaps, palettes and configuration files.
// make_seeds DIR writes DIR/<target>/...; with --large it writes only the seeds too big to keep
// in the repository (a whole 320 x 240 splash bitmap).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim/CameraCore.h"
#include "sim/SimCamera.h"
#include "sim/Wire.h"

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;
using namespace camsim;

fs::path root;

void put(const std::string& target, const std::string& name, const Bytes& bytes) {
    fs::create_directories(root / target);
    std::ofstream(root / target / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The camera's answers to what the PC sends, in order, all at one moment t.
struct Camera {
    CameraCore core{[] {
        CameraState s = SimCamera::defaultState();
        s.pictures.resize(2);
        return s;
    }()};
    TimePoint t{};
    Bytes say(const Bytes& frame, int laterMs = 0) {
        t += std::chrono::milliseconds(laterMs);
        Bytes out;
        for (const Outgoing& o : core.receive(frame, t)) out = out + o.bytes;
        for (const Outgoing& o : core.tick(t)) out = out + o.bytes;
        return out;
    }
};

const Bytes kAck = {0x10, 0x02, 0x54, 0x01, 0x43, 0x06, 0x10, 0x03, 0x10, 0xEF};

Bytes bitmap(int width, int height, int bits, uint32_t compression, bool topDown) {
    const int stride = (width * bits / 8 + 3) / 4 * 4;
    Bytes b(54 + size_t(stride) * height, 0);
    auto u32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M';
    u32(2, uint32_t(b.size()));
    u32(10, 54);
    u32(14, 40);
    u32(18, uint32_t(width));
    u32(22, uint32_t(topDown ? -height : height));
    b[26] = 1, b[28] = uint8_t(bits);
    u32(30, compression);
    for (size_t i = 54; i < b.size(); ++i) b[i] = uint8_t(i * 7);
    return b;
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

void linkSeeds() {
    Camera cam;
    const Bytes status = cam.say(wire::pcFrame({'S', 'r'}, false));
    put("status_block", "status", status + Bytes{0, 0, 0x27, 0x1A, 1});
    put("status_block", "short", Bytes(status.begin(), status.begin() + 30));
    put("check_packet", "status", status + Bytes{57 + 2});

    Bytes picture = cam.say(wire::pcFrame({'C', 'S', 1}, true));
    put("check_packet", "header", picture + Bytes{40 + 2});
    for (int i = 0; i < 3; ++i) picture = picture + cam.say(kAck);
    put("check_packet", "data", Bytes(picture.begin() + 40, picture.begin() + 80) + Bytes{42});
    // Mode 3 (a transfer) in 40-byte chunks; mode 0 (40-byte packets) in 7-byte chunks.
    put("receive_packet", "transfer", picture + Bytes(8, 39) + Bytes{95, 3});
    put("receive_packet", "packets", picture + Bytes(8, 6) + Bytes{95, 0});
    put("receive_packet", "status", status + Bytes{56, 95, 1});

    const Bytes reg = cam.say(wire::pcFrame({'B', 'S', 'R', 10}, true));
    put("engineering_reply", "read", reg);
    put("engineering_reply", "can", wire::answer(wire::kCan) + reg);

    Bytes splash = cam.say(wire::pcFrame({'C', 'u'}, false));
    Bytes block = {'C', 'b'};
    block.resize(34, 0x41);
    splash = splash + cam.say(wire::pcFrame(block, false));
    put("splash_reply", "requests", splash + Bytes{10});
    put("splash_reply", "split", splash + Bytes{3});

    Bytes fpga = cam.say(wire::pcFrame({'J', 'a'}, true));
    fpga = fpga + cam.say({}, 1100);
    block[0] = 'J';
    fpga = fpga + cam.say(wire::pcFrame(block, false));
    put("fpga_reply", "requests", fpga + Bytes{12});

    put("sim_parser", "status_request", wire::pcFrame({'S', 'r'}, false));
    put("sim_parser", "picture_and_acks",
        wire::pcFrame({'C', 'S', 1}, true) + kAck + kAck + Bytes{0, 0, 0});
    put("sim_parser", "register_write", wire::pcFrame({'B', 'S', 'W', 2, 10, 0x10, 7}, true));
    put("sim_parser", "splash_start",
        wire::pcFrame({'C', 'u'}, false) + wire::pcFrame(block, false));
    put("sim_parser", "clock", wire::pcFrame({'D', 's', 0x12, 0x34, 0x56, 0x01, 0x02, 0x24}, true));
}

void fileSeeds() {
    put("splash_file", "small_24", bitmap(4, 3, 24, 0, false));
    put("splash_file", "top_down_24", bitmap(5, 2, 24, 0, true));
    put("splash_file", "eight_bit", bitmap(4, 4, 8, 0, false));
    put("splash_file", "compressed", bitmap(4, 4, 24, 1, false));

    Bytes rbf(300);
    for (size_t i = 0; i < rbf.size(); ++i) rbf[i] = uint8_t(i * 13 + 1);
    put("fpga_file", "part", rbf);
    put("fpga_file", "empty", {});

    std::string palette = "1 ";
    for (int i = 0; i < 256; ++i)
        palette += std::to_string(i) + "," + std::to_string(i) + "," + std::to_string(i) + ",0,";
    palette.pop_back();
    put("palette_table", "grey", text("# comment\n" + palette + "\n5 \n"));
    put("palette_table", "bad", text("2 1,2,300,0\n21 0,0\nx y\n"));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_seeds DIR [--large]\n");
        return 2;
    }
    root = argv[1];
    if (argc > 2 && std::string(argv[2]) == "--large") {
        put("splash_file", "splash_320x240", bitmap(320, 240, 24, 0, false));
        return 0;
    }
    linkSeeds();
    fileSeeds();
    return 0;
}

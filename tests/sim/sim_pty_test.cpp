// The camera on its pseudo-terminal, opened the way any serial program opens a port.

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // Faults{.silent = true}
#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include "sim/SimCamera.h"
#include "sim/Wire.h"

namespace camsim {
namespace {

using Bytes = std::vector<uint8_t>;

// The answer's first 9 bytes to a frame sent at a speed, or what came before a pause of tenths.
Bytes exchange(const SimCamera& camera, speed_t speed, const Bytes& frame, cc_t tenths) {
    const int fd = open(camera.devicePath().c_str(), O_RDWR | O_NOCTTY);
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, speed);
    t.c_cc[VMIN] = 0, t.c_cc[VTIME] = tenths;
    tcsetattr(fd, TCSANOW, &t);
    EXPECT_EQ(write(fd, frame.data(), frame.size()), ssize_t(frame.size()));
    Bytes out(9);
    size_t got = 0;
    for (ssize_t r; got < out.size() && (r = read(fd, &out[got], out.size() - got)) > 0;) got += r;
    close(fd);
    out.resize(got);
    return out;
}

// At its speed and paced, a command gets its ACK and changes the state; at the wrong speed the
// camera hears noise, and unplugged it hears nothing.
TEST(SimPty, CommandGetsTheAckAtItsSpeedOnly) {
    SimCamera camera;
    const Bytes frame = wire::pcFrame({'B', 'g', 0x10}, true);
    EXPECT_EQ(exchange(camera, B19200, frame, 2), Bytes{});
    camera.setFaults({.silent = true});
    EXPECT_EQ(exchange(camera, B115200, frame, 2), Bytes{});
    camera.setFaults({});
    EXPECT_EQ(exchange(camera, B115200, frame, 20),
              (Bytes{0x10, 0x02, 0x54, 0x01, 0x06, 0x10, 0x03, 0x53, 0xAC}));
    EXPECT_EQ(camera.state().gain, 0x10);
    EXPECT_EQ(camera.receivedPayloads(), std::vector<Bytes>({{'B', 'g', 0x10}}));
    const Counters n = camera.counters();
    EXPECT_EQ(std::tuple(n.acks, n.commands), std::tuple(1, 1));
    EXPECT_GT(n.bytesNoise, 0);
    EXPECT_GT(n.bytesLostSilent, 0);
}

}  // namespace
}  // namespace camsim

// The camera on its pseudo-terminal, opened the way any serial program opens a port.

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // Faults{.silent = true}
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "sim/SimCamera.h"
#include "sim/Wire.h"

namespace camsim {
namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kAck{0x10, 0x02, 0x54, 0x01, 0x06, 0x10, 0x03, 0x53, 0xAC};

// Sends a frame at the given speed and returns up to n bytes of the answer, waiting at most
// timeoutMs for each chunk.
Bytes exchange(const SimCamera& camera, speed_t speed, const Bytes& frame, size_t n,
               int timeoutMs) {
    const int fd = open(camera.devicePath().c_str(), O_RDWR | O_NOCTTY);
    EXPECT_GE(fd, 0);
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    tcsetattr(fd, TCSANOW, &t);
    EXPECT_EQ(write(fd, frame.data(), frame.size()), ssize_t(frame.size()));
    Bytes out;
    pollfd p{fd, POLLIN, 0};
    while (out.size() < n && poll(&p, 1, timeoutMs) == 1) {
        uint8_t buf[64];
        const ssize_t got = read(fd, buf, std::min(sizeof buf, n - out.size()));
        if (got <= 0) break;
        out.insert(out.end(), buf, buf + got);
    }
    close(fd);
    return out;
}

// At its speed and paced, a command gets its ACK and changes the state; at the wrong speed the
// camera hears noise, and unplugged it hears nothing.
TEST(SimPty, CommandGetsTheAckAtItsSpeedOnly) {
    SimCamera camera;
    const Bytes frame = wire::pcFrame({'B', 'g', 0x10}, true);
    EXPECT_EQ(exchange(camera, B19200, frame, 9, 200), Bytes{});
    camera.setFaults({.silent = true});
    EXPECT_EQ(exchange(camera, B115200, frame, 9, 200), Bytes{});
    camera.setFaults({});
    EXPECT_EQ(exchange(camera, B115200, frame, 9, 2000), kAck);
    EXPECT_EQ(camera.state().gain, 0x10);
    EXPECT_EQ(camera.receivedPayloads(), std::vector<Bytes>({{'B', 'g', 0x10}}));
    const Counters n = camera.counters();
    EXPECT_EQ(std::tuple(n.acks, n.commands), std::tuple(1, 1));
    EXPECT_GT(n.bytesNoise, 0);
    EXPECT_GT(n.bytesLostSilent, 0);
}

}  // namespace
}  // namespace camsim

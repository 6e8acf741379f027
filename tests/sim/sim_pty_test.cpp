// The camera on its pseudo-terminal, opened the way any serial program opens a port.

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

class Port {
  public:
    Port(const std::string& path, speed_t speed) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY)) {
        termios t{};
        tcgetattr(fd_, &t);
        cfmakeraw(&t);
        cfsetispeed(&t, speed);
        cfsetospeed(&t, speed);
        tcsetattr(fd_, TCSANOW, &t);
    }
    ~Port() { close(fd_); }
    bool ok() const { return fd_ >= 0; }
    void send(const Bytes& b) { ASSERT_EQ(write(fd_, b.data(), b.size()), ssize_t(b.size())); }
    // Up to n bytes, waiting at most timeoutMs for each chunk.
    Bytes read(size_t n, int timeoutMs = 2000) {
        Bytes out;
        pollfd p{fd_, POLLIN, 0};
        while (out.size() < n && poll(&p, 1, timeoutMs) == 1) {
            uint8_t buf[256];
            const ssize_t got = ::read(fd_, buf, std::min(sizeof buf, n - out.size()));
            if (got <= 0) break;
            out.insert(out.end(), buf, buf + got);
        }
        return out;
    }

  private:
    int fd_;
};

TEST(SimPty, CommandFrameGetsTheAckAndChangesTheState) {
    SimCamera camera;
    Port port(camera.devicePath(), B115200);
    ASSERT_TRUE(port.ok());
    port.send(wire::pcFrame({'B', 'g', 0x10}, true));
    EXPECT_EQ(port.read(9), kAck);
    EXPECT_EQ(camera.state().gain, 0x10);
    EXPECT_EQ(camera.receivedPayloads(), std::vector<Bytes>({{'B', 'g', 0x10}}));
    EXPECT_EQ(camera.counters().acks, 1);
}

TEST(SimPty, WrongSpeedIsNoiseAndSilenceIsSilence) {
    Options fast;
    fast.paced = false;
    SimCamera camera(fast);
    {
        Port port(camera.devicePath(), B19200);
        port.send(wire::pcFrame({'Z', 'p'}, true));
        EXPECT_EQ(port.read(9, 200), Bytes{});
    }
    Port port(camera.devicePath(), B115200);
    Faults unplugged;
    unplugged.silent = true;
    camera.setFaults(unplugged);
    port.send(wire::pcFrame({'Z', 'p'}, true));
    EXPECT_EQ(port.read(9, 200), Bytes{});
    camera.setFaults({});
    port.send(wire::pcFrame({'Z', 'p'}, true));
    EXPECT_EQ(port.read(9), kAck);
    EXPECT_GT(camera.counters().bytesNoise, 0);
    EXPECT_GT(camera.counters().bytesLostSilent, 0);
    EXPECT_EQ(camera.counters().commands, 1);
}

}  // namespace
}  // namespace camsim

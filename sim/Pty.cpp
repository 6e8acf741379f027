#include "sim/Pty.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace camsim {

namespace {

speed_t speedConstant(int baud) {
    switch (baud) {
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        case 230400:
            return B230400;
    }
    return B0;
}

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

bool Pty::supportedBaud(int baud) {
    return speedConstant(baud) != B0;
}

Pty::Pty(int baud) : speed_(speedConstant(baud)) {
    if (speed_ == B0) throw std::invalid_argument("unsupported speed");
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) fail("posix_openpt");
    try {
        attach();
    } catch (...) {
        close(master_);
        throw;
    }
}

void Pty::attach() {
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) fail("grantpt/unlockpt");
    path_ = ptsname(master_);
    // Termios set through the master applies to the program's side.
    termios t{};
    if (tcgetattr(master_, &t) != 0) fail("tcgetattr");
    cfmakeraw(&t);
    cfsetispeed(&t, speed_);
    cfsetospeed(&t, speed_);
    if (tcsetattr(master_, TCSANOW, &t) != 0) fail("tcsetattr");
    // Until the slave has been opened once, the master shows no hang-up; open it briefly so a
    // program that has not attached yet reads as a closed port.
    discardUnread();
}

Pty::~Pty() {
    if (master_ >= 0) close(master_);
}

bool Pty::speedMatches() const {
    termios t{};
    return tcgetattr(master_, &t) == 0 && cfgetospeed(&t) == speed_;
}

bool Pty::hungUp() const {
    pollfd p{master_, 0, 0};
    return poll(&p, 1, 0) == 1 && (p.revents & POLLHUP);
}

void Pty::discardUnread() const {
    const int slave = open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave < 0) return;
    tcflush(slave, TCIFLUSH);
    close(slave);
}

}  // namespace camsim

// The low-latency request made when a port opens: what it asks of a driver that takes it, and
// that a driver or a pseudo-terminal may refuse it.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/serial.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>

#include "app/SerialPort.h"

namespace {

// A serial driver at the ioctl boundary, for one file descriptor: it answers TIOCGSERIAL with
// its flags and takes or refuses TIOCSSERIAL. Every other call goes to the system.
struct ScriptedDriver {
    int fd = -1;
    bool answersGet = true;
    bool takesSet = true;
    int flags = 0;
    int setCalls = 0;
} driver;

}  // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept {
    va_list ap;
    va_start(ap, request);
    void* arg = va_arg(ap, void*);
    va_end(ap);
    if (fd == driver.fd && (request == TIOCGSERIAL || request == TIOCSSERIAL)) {
        auto* ss = static_cast<serial_struct*>(arg);
        if (request == TIOCGSERIAL) {
            if (!driver.answersGet) return errno = ENOTTY, -1;
            ss->flags = driver.flags;
            return 0;
        }
        ++driver.setCalls;
        if (!driver.takesSet) return errno = EPERM, -1;
        driver.flags = ss->flags;
        return 0;
    }
    using Real = int (*)(int, unsigned long, ...);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "ioctl"));
    return real(fd, request, arg);
}

namespace {

TEST(LowLatency, AsksTheDriverAndKeepsItsOtherFlags) {
    struct Case {
        const char* what;
        bool answersGet, takesSet;
        bool granted;
        int setCalls;
    } cases[] = {
        {"a USB adapter's driver", true, true, true, 1},
        {"a driver that refuses the change", true, false, false, 1},
        {"a device without serial settings", false, true, false, 0},
    };
    const int fd = open("/dev/null", O_RDWR);
    ASSERT_GE(fd, 0);
    for (const Case& c : cases) {
        driver = {fd, c.answersGet, c.takesSet, ASYNC_SKIP_TEST | ASYNC_SPD_HI, 0};
        EXPECT_EQ(requestLowLatency(fd), c.granted) << c.what;
        EXPECT_EQ(driver.setCalls, c.setCalls) << c.what;
        const int expected = ASYNC_SKIP_TEST | ASYNC_SPD_HI | (c.granted ? ASYNC_LOW_LATENCY : 0);
        EXPECT_EQ(driver.flags, expected) << c.what;
    }
    driver = {};
    close(fd);
    EXPECT_FALSE(requestLowLatency(-1));

    // A pseudo-terminal refuses quietly (every link test then runs a port on one).
    int master = -1, slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    EXPECT_FALSE(requestLowLatency(slave));
    close(slave);
    close(master);
}

}  // namespace

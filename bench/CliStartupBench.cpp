// Command-line start-up: the time from exec of the command-line program to the first byte of its
// status request on the simulated camera's line (paced, 115200 baud). Runs `orvik3 status` 15
// times, each against a new camera, and prints the median as "cli_startup_ms: <value>"; beside it
// "cli_version_ms", exec to exit of `orvik3 --version` (median of 15), which loads the same
// libraries and so is the floor the start-up is measured against.
// The program is the orvik3 beside this benchmark, or the path given as the first argument.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "sim/SimCamera.h"

namespace {

using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC, as the child's stamp below

constexpr int kRuns = 15;
constexpr auto kRunLimit = std::chrono::seconds(30);

std::string programBesideThis() {
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "orvik3";
    std::string path(self, size_t(n));
    return path.substr(0, path.rfind('/') + 1) + "orvik3";
}

// Starts `program` with `args`, its output to /dev/null; just before the exec the child writes
// the monotonic clock to `stampFd`, the moment the measurements start from.
pid_t spawn(const std::string& program, const std::vector<std::string>& args, int stampFd) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    [[maybe_unused]] const ssize_t w = write(stampFd, &t, sizeof t);
    execv(program.c_str(), argv.data());
    _exit(127);
}

Clock::time_point stampTime(const timespec& t) {
    return Clock::time_point{std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec)};
}

// One run: exec to the first byte on the camera's line in milliseconds, or a negative number
// when the program did not start, did not read the status or sent something else first.
double oneRun(const std::string& program) {
    camsim::Options o;  // paced, 115200 baud
    camsim::SimCamera camera(o);
    const std::string port = "1=" + camera.devicePath();

    int stamp[2];
    if (pipe2(stamp, O_CLOEXEC) != 0) return -1;
    const pid_t pid = spawn(program, {"status", "--port", port}, stamp[1]);
    if (pid < 0) return -1;
    close(stamp[1]);
    timespec t{};
    const bool stamped = read(stamp[0], &t, sizeof t) == ssize_t(sizeof t);
    close(stamp[0]);

    int status = 0;
    const auto deadline = Clock::now() + kRunLimit;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            std::fprintf(stderr, "cli_startup: the program did not finish in time\n");
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!stamped || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "cli_startup: the status command failed\n");
        return -1;
    }
    const std::vector<uint8_t> raw = camera.rawReceived();
    const std::vector<uint8_t> request = {0x10, 0x02, 0x54, 0x01, 'S', 'r'};
    const auto first = camera.firstByteTime();
    if (!first || raw.size() < request.size() ||
        !std::equal(request.begin(), request.end(), raw.begin())) {
        std::fprintf(stderr,
                     "cli_startup: the first bytes on the line were not the status request\n");
        return -1;
    }
    return std::chrono::duration<double, std::milli>(*first - stampTime(t)).count();
}

// Exec to exit of `program --version` in milliseconds, or negative when it failed.
double versionRun(const std::string& program) {
    int stamp[2];
    if (pipe2(stamp, O_CLOEXEC) != 0) return -1;
    const pid_t pid = spawn(program, {"--version"}, stamp[1]);
    close(stamp[1]);
    int status = 0;
    timespec t{};
    const bool stamped = pid > 0 && read(stamp[0], &t, sizeof t) == ssize_t(sizeof t);
    close(stamp[0]);
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    const auto exited = Clock::now();
    if (!stamped || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return std::chrono::duration<double, std::milli>(exited - stampTime(t)).count();
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::string program = argc > 1 ? argv[1] : programBesideThis();
    // The command line needs no display: none is offered.
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    // Interleaved, so both see the same machine.
    std::vector<double> starts, versions;
    for (int i = 0; i < kRuns; ++i) {
        const double ms = oneRun(program);
        const double version = versionRun(program);
        if (ms < 0 || version < 0) return 1;
        starts.push_back(ms);
        versions.push_back(version);
    }
    std::printf("cli_startup_ms: %.1f\ncli_version_ms: %.1f\n", median(starts), median(versions));
    std::fflush(stdout);
    return 0;
}

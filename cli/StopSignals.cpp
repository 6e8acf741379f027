#include "cli/StopSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

#include "app/Wait.h"

namespace {

int wakeFds[2] = {-1, -1};

void onSignal(int signal) {
    const int saved = errno;
    requestStop(signal);
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(wakeFds[1], &byte, 1);
    errno = saved;
}

void handle(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

StopSignals::StopSignals() {
    if (pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;  // without it, signals end the program
    // The byte only wakes a wait sleeping in the event loop; the wait itself sees the stop.
    notifier_ = new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [] {
        char bytes[16];
        while (read(wakeFds[0], bytes, sizeof bytes) > 0) {
        }
    });
    handle(onSignal);
}

StopSignals::~StopSignals() {
    if (!notifier_) return;
    handle(SIG_DFL);
    delete notifier_;
    close(wakeFds[0]);
    close(wakeFds[1]);
    wakeFds[0] = wakeFds[1] = -1;
}

int StopSignals::exitCode() {
    const int signal = stopRequested();
    return signal ? 128 + signal : 0;
}

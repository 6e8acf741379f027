#include "sim/SimCamera.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <deque>
#include <future>
#include <mutex>
#include <random>
#include <system_error>
#include <thread>

#include "sim/CameraCore.h"
#include "sim/Pty.h"
#include "sim/Wire.h"

namespace camsim {

namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

// While the program's side is closed the master reports a hang-up at once, so the camera polls
// for the program's return: soon at first (it usually reopens its port at once), then every 5 ms.
constexpr nanoseconds kFirstHangupPoll{20'000};
constexpr nanoseconds kHangupPoll{5'000'000};

// True when damage leaves a packet that still frames and checks: its DLE STX, its last DLE ETX
// and the XOR of the body all read as sent.
bool damageHidden(const std::vector<uint8_t>& sent, const std::vector<uint8_t>& got) {
    if (sent == got || sent.size() < 6 || got.size() != sent.size()) return false;
    size_t t = sent.size() - 3;
    while (t > 2 && !(sent[t] == wire::kDle && sent[t + 1] == wire::kEtx)) --t;
    if (t <= 2) return false;
    // Damage to the complement alone leaves the packet's content whole: nothing is hidden.
    if (std::equal(sent.begin(), sent.begin() + long(t) + 3, got.begin())) return false;
    if (got[0] != wire::kDle || got[1] != wire::kStx || got[t] != wire::kDle ||
        got[t + 1] != wire::kEtx)
        return false;
    uint8_t x = 0;
    for (size_t i = 2; i < t; ++i) x ^= got[i];
    return x == got[t + 2];
}

timespec toTimespec(nanoseconds d) {
    const auto s = std::chrono::duration_cast<std::chrono::seconds>(d);
    return {static_cast<time_t>(s.count()), static_cast<long>((d - s).count())};
}

}  // namespace

struct SimCamera::Impl {
    Impl(Options o, CameraState initial)
        : opts(o),
          pty(std::make_unique<Pty>(o.baud)),
          core(std::move(initial), o.seed),
          lineRng(o.seed + 1),
          byteTime(o.paced ? nanoseconds(10'000'000'000LL / o.baud) : nanoseconds(0)) {
        if (pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0)
            throw std::system_error(errno, std::generic_category(), "pipe2");
        path = pty->path();
        pointLink();
        thread = std::thread([this] { run(); });
    }

    ~Impl() {
        stopping = true;
        notify();
        thread.join();
        close(wake[0]);
        close(wake[1]);
        if (!opts.linkPath.empty()) std::remove(opts.linkPath.c_str());
    }

    void notify() const {
        const char c = 1;
        [[maybe_unused]] auto n = write(wake[1], &c, 1);
    }

    void run();
    void readLine(TimePoint now);
    void onBytes(const uint8_t* data, size_t n, TimePoint now);
    void feedDue(TimePoint now);
    void schedule(std::vector<Outgoing> out);
    std::vector<uint8_t> shape(std::vector<uint8_t> bytes, const Faults& f);
    TimePoint sendFalseStart(TimePoint t);
    void writeDue(TimePoint now);
    void writeChunk(const std::vector<uint8_t>& chunk, bool anySpeed);
    void echo(const uint8_t* data, size_t n, TimePoint now, double spoilRate);
    std::optional<TimePoint> nextEvent();
    void wait(std::optional<TimePoint> until);
    void checkAttachment(short revents, TimePoint now);
    void runJobs();
    void onCameraThread(std::function<void()> job);
    void pointLink() const;
    void unplug();
    void replug();

    struct RxByte {
        uint8_t byte;
        TimePoint due;
    };
    struct TxChunk {
        std::vector<uint8_t> bytes;
        TimePoint at;
        bool anySpeed = false;  // a loopback plug's echo comes back at whatever speed it went
    };

    const Options opts;
    std::unique_ptr<Pty> pty;  // none while unplugged; swapped on the camera thread only
    mutable std::mutex mu;
    CameraCore core;                         // guarded by mu
    std::string path;                        // guarded by mu
    std::deque<std::function<void()>> jobs;  // guarded by mu
    std::atomic<int64_t> hiddenDamage{0};
    std::optional<TimePoint> firstByte;  // guarded by mu

    // Camera thread only.
    std::mt19937 lineRng;
    const nanoseconds byteTime;
    std::deque<RxByte> rx;
    wire::FrameParser lookahead;         // sees the bytes as the core will, to find packet ends
    std::deque<TimePoint> rxPacketEnds;  // when the packets queued in rx are complete
    std::deque<TxChunk> tx;
    TimePoint rxLineFree{}, txLineFree{};
    bool hungUp = true;
    nanoseconds hangupPoll = kHangupPoll;

    int wake[2] = {-1, -1};
    std::atomic<bool> stopping{false};
    std::thread thread;  // last: starts once everything above exists
};

void SimCamera::Impl::run() {
    prctl(PR_SET_TIMERSLACK, 1000UL);  // pace the line to the microsecond, not the default 50
    while (!stopping) {
        runJobs();
        const TimePoint now = SteadyClock::now();
        feedDue(now);
        {
            std::lock_guard lock(mu);
            schedule(core.tick(now));
        }
        writeDue(now);
        wait(nextEvent());
    }
}

void SimCamera::Impl::runJobs() {
    std::deque<std::function<void()>> todo;
    {
        std::lock_guard lock(mu);
        todo.swap(jobs);
    }
    for (auto& job : todo) job();
}

// Runs a job on the camera thread, which alone touches the pseudo-terminal, and waits for it.
void SimCamera::Impl::onCameraThread(std::function<void()> job) {
    std::packaged_task<void()> task(std::move(job));
    std::future<void> done = task.get_future();
    {
        std::lock_guard lock(mu);
        jobs.emplace_back([&task] { task(); });
    }
    notify();
    done.get();
}

// Replaced in one step, so the program never finds the name missing while it is plugged in.
void SimCamera::Impl::pointLink() const {
    if (opts.linkPath.empty() || !pty) return;
    const std::string tmp = opts.linkPath + ".new";
    std::remove(tmp.c_str());
    if (symlink(pty->path().c_str(), tmp.c_str()) != 0 ||
        std::rename(tmp.c_str(), opts.linkPath.c_str()) != 0)
        throw std::system_error(errno, std::generic_category(), "symlink");
}

// What was on the wire is lost with the cable; the protocol core carries on, as the camera does.
void SimCamera::Impl::unplug() {
    if (!pty) return;
    if (!opts.linkPath.empty()) std::remove(opts.linkPath.c_str());
    pty.reset();
    rx.clear();
    rxPacketEnds.clear();
    lookahead = wire::FrameParser{};
    tx.clear();
    hungUp = true;
    std::lock_guard lock(mu);
    path.clear();
}

void SimCamera::Impl::replug() {
    if (pty) return;
    pty = std::make_unique<Pty>(opts.baud);
    pointLink();
    hungUp = true;
    hangupPoll = kFirstHangupPoll;
    std::lock_guard lock(mu);
    path = pty->path();
}

// A packet is acted on once its last byte has crossed the line; each byte goes to the core
// with the time it crossed.
void SimCamera::Impl::feedDue(TimePoint now) {
    if (rx.empty() || rx.front().due > now) return;
    std::lock_guard lock(mu);
    while (!rx.empty() && rx.front().due <= now) {
        const RxByte r = rx.front();
        rx.pop_front();
        schedule(core.receive(std::span(&r.byte, 1), r.due));
    }
    while (!rxPacketEnds.empty() && rxPacketEnds.front() <= now) rxPacketEnds.pop_front();
}

// Called with mu held. Each packet goes out whole at the moment its last byte would arrive.
void SimCamera::Impl::schedule(std::vector<Outgoing> out) {
    const Faults& f = core.faults();
    for (Outgoing& o : out) {
        if (f.silent) {
            core.counters().bytesLostSilent += static_cast<int64_t>(o.bytes.size());
            continue;
        }
        const std::vector<uint8_t> bytes = shape(o.bytes, f);
        const size_t chunks = std::clamp<size_t>(f.splitChunks, 1, bytes.size());
        TimePoint t = std::max(txLineFree, o.at);
        if (core.faults().falseStarts > 0) {
            --core.faults().falseStarts;
            t = sendFalseStart(t);
        }
        size_t from = 0;
        for (size_t i = 0; i < chunks; ++i) {
            const size_t to = bytes.size() * (i + 1) / chunks;
            t += byteTime * static_cast<int64_t>(to - from);
            tx.push_back({{bytes.begin() + from, bytes.begin() + to}, t});
            if (i + 1 < chunks) t += milliseconds(f.splitPauseMs);
            from = to;
        }
        txLineFree = t;
    }
}

// A burst of noise that begins as a packet does, handed over on its own a little before the
// packet it precedes.
TimePoint SimCamera::Impl::sendFalseStart(TimePoint t) {
    std::vector<uint8_t> noise{wire::kDle, wire::kStx};
    std::uniform_int_distribution<int> any(0, 255);
    while (noise.size() < 12) {
        const auto b = static_cast<uint8_t>(any(lineRng));
        if (b != wire::kDle) noise.push_back(b);
    }
    t += byteTime * static_cast<int64_t>(noise.size());
    tx.push_back({noise, t});
    return t + milliseconds(50);
}

// Flipped bits, then garbage before the packet, as a bad line would deliver it.
std::vector<uint8_t> SimCamera::Impl::shape(std::vector<uint8_t> bytes, const Faults& f) {
    if (f.bitFlipRate > 0) {
        const std::vector<uint8_t> sent = bytes;
        std::bernoulli_distribution flip(std::min(1.0, f.bitFlipRate));
        std::uniform_int_distribution<int> bit(0, 7);
        for (uint8_t& b : bytes)
            if (flip(lineRng)) b ^= static_cast<uint8_t>(1 << bit(lineRng));
        if (damageHidden(sent, bytes)) ++hiddenDamage;
    }
    std::vector<uint8_t> line;
    std::uniform_int_distribution<int> any(0, 255);
    for (int i = 0; i < f.garbageBytes; ++i) {
        uint8_t b;
        do b = static_cast<uint8_t>(any(lineRng));
        while (b == wire::kDle);
        line.push_back(b);
    }
    line.insert(line.end(), bytes.begin(), bytes.end());
    return line;
}

void SimCamera::Impl::writeDue(TimePoint now) {
    while (!tx.empty() && tx.front().at <= now) {
        writeChunk(tx.front().bytes, tx.front().anySpeed);
        tx.pop_front();
    }
}

void SimCamera::Impl::writeChunk(const std::vector<uint8_t>& chunk, bool anySpeed) {
    const auto size = static_cast<int64_t>(chunk.size());
    {
        std::lock_guard lock(mu);
        if (core.faults().silent) {  // unplugged while the packet was on its way
            core.counters().bytesLostSilent += size;
            return;
        }
    }
    if (!pty || pty->hungUp()) {  // unplugged or nobody listening: lost, as on a real line
        std::lock_guard lock(mu);
        core.counters().bytesDroppedClosed += size;
        return;
    }
    if (!anySpeed && !pty->speedMatches()) {
        std::lock_guard lock(mu);
        core.counters().bytesNoise += size;
        return;
    }
    const ssize_t n = write(pty->fd(), chunk.data(), chunk.size());
    const int64_t sent = n > 0 ? n : 0;
    std::lock_guard lock(mu);
    core.counters().bytesSent += sent;
    core.counters().bytesDroppedClosed += size - sent;
}

std::optional<TimePoint> SimCamera::Impl::nextEvent() {
    std::optional<TimePoint> next;
    {
        std::lock_guard lock(mu);
        next = core.nextDeadline();
    }
    auto earliest = [&next](TimePoint t) { next = next ? std::min(*next, t) : t; };
    // Wake when a packet is complete, not for every byte; bytes that end no packet are handed
    // over once the last of them has arrived.
    if (!rxPacketEnds.empty()) earliest(rxPacketEnds.front());
    if (!rx.empty()) earliest(rx.back().due);
    if (!tx.empty()) earliest(tx.front().at);
    return next;
}

void SimCamera::Impl::wait(std::optional<TimePoint> until) {
    std::optional<nanoseconds> timeout;
    if (until) timeout = std::max(nanoseconds(0), *until - SteadyClock::now());
    if (hungUp) {
        timeout = timeout ? std::min(*timeout, hangupPoll) : hangupPoll;
        hangupPoll = std::min(2 * hangupPoll, kHangupPoll);
    }
    pollfd fds[2] = {{wake[0], POLLIN, 0}, {pty ? pty->fd() : -1, POLLIN, 0}};
    timespec ts{};
    if (timeout) ts = toTimespec(*timeout);
    ppoll(fds, hungUp ? 1 : 2, timeout ? &ts : nullptr, nullptr);
    if (fds[0].revents & POLLIN) {
        char buf[64];
        while (read(wake[0], buf, sizeof buf) > 0) {
        }
    }
    checkAttachment(hungUp ? 0 : fds[1].revents, SteadyClock::now());
}

void SimCamera::Impl::checkAttachment(short revents, TimePoint now) {
    if (hungUp) {
        if (!pty || pty->hungUp()) return;
        hungUp = false;  // the program opened its port again
        readLine(now);
        return;
    }
    if (revents & (POLLIN | POLLHUP | POLLERR)) readLine(now);
    if (revents & (POLLHUP | POLLERR)) {
        hungUp = true;
        hangupPoll = kFirstHangupPoll;
        pty->discardUnread();
        std::lock_guard lock(mu);
        ++core.counters().hangups;
    }
}

void SimCamera::Impl::readLine(TimePoint now) {
    uint8_t buf[4096];
    for (;;) {
        const ssize_t n = read(pty->fd(), buf, sizeof buf);
        if (n <= 0) return;  // EAGAIN, or EIO once the program's side is closed
        onBytes(buf, static_cast<size_t>(n), now);
    }
}

void SimCamera::Impl::onBytes(const uint8_t* data, size_t n, TimePoint now) {
    double spoilRate = -1;  // below 0: no loopback plug
    {
        std::lock_guard lock(mu);
        if (!firstByte && n > 0) firstByte = now;
        if (core.faults().silent) {
            core.counters().bytesLostSilent += static_cast<int64_t>(n);
            return;
        }
        if (core.faults().loopback) spoilRate = core.faults().loopbackSpoilRate;
    }
    if (spoilRate >= 0) return echo(data, n, now, spoilRate);
    if (!pty->speedMatches()) {  // at another speed the camera hears only noise
        std::lock_guard lock(mu);
        core.counters().bytesNoise += static_cast<int64_t>(n);
        return;
    }
    for (size_t i = 0; i < n; ++i) {
        rxLineFree = std::max(rxLineFree, now) + byteTime;
        rx.push_back({data[i], rxLineFree});
        if (lookahead.push(data[i])) rxPacketEnds.push_back(rxLineFree);
    }
}

void SimCamera::Impl::echo(const uint8_t* data, size_t n, TimePoint now, double spoilRate) {
    std::vector<uint8_t> bytes(data, data + n);
    std::bernoulli_distribution spoil(std::min(1.0, spoilRate));
    std::uniform_int_distribution<int> bit(0, 7);
    for (uint8_t& b : bytes)
        if (spoil(lineRng)) b ^= static_cast<uint8_t>(1 << bit(lineRng));
    txLineFree = std::max(txLineFree, now) + byteTime * static_cast<int64_t>(n);
    tx.push_back({std::move(bytes), txLineFree, true});
}

SimCamera::SimCamera(Options opts, CameraState initial)
    : impl_(std::make_unique<Impl>(opts, std::move(initial))) {}

SimCamera::~SimCamera() = default;

std::string SimCamera::devicePath() const {
    std::lock_guard lock(impl_->mu);
    return impl_->path;
}

const std::string& SimCamera::linkPath() const {
    return impl_->opts.linkPath;
}

void SimCamera::unplug() {
    impl_->onCameraThread([this] { impl_->unplug(); });
}

void SimCamera::replug() {
    impl_->onCameraThread([this] { impl_->replug(); });
}

bool SimCamera::plugged() const {
    return !devicePath().empty();
}

int64_t SimCamera::hiddenDamage() const {
    return impl_->hiddenDamage;
}

CameraState SimCamera::state() const {
    std::lock_guard lock(impl_->mu);
    return impl_->core.state();
}

void SimCamera::updateState(const std::function<void(CameraState&)>& change) {
    {
        std::lock_guard lock(impl_->mu);
        change(impl_->core.state());
    }
    impl_->notify();
}

Faults SimCamera::faults() const {
    std::lock_guard lock(impl_->mu);
    return impl_->core.faults();
}

void SimCamera::setFaults(const Faults& faults) {
    {
        std::lock_guard lock(impl_->mu);
        impl_->core.faults() = faults;
    }
    impl_->notify();
}

Counters SimCamera::counters() const {
    std::lock_guard lock(impl_->mu);
    return impl_->core.counters();
}

void SimCamera::resetCounters() {
    std::lock_guard lock(impl_->mu);
    impl_->core.counters() = {};
}

std::vector<std::vector<uint8_t>> SimCamera::receivedPayloads() const {
    std::lock_guard lock(impl_->mu);
    return impl_->core.payloads();
}

std::vector<uint8_t> SimCamera::rawReceived() const {
    std::lock_guard lock(impl_->mu);
    return impl_->core.raw();
}

void SimCamera::clearLog() {
    std::lock_guard lock(impl_->mu);
    impl_->core.clearLog();
    impl_->firstByte.reset();
}

std::optional<std::chrono::steady_clock::time_point> SimCamera::firstByteTime() const {
    std::lock_guard lock(impl_->mu);
    return impl_->firstByte;
}

CameraState SimCamera::defaultState() {
    CameraState s;
    s.splash = defaultSplash(s);
    for (int n = 1; n <= 5; ++n) s.pictures.push_back(syntheticPicture(n, s));
    s.nextScene = 6;
    return s;
}

}  // namespace camsim

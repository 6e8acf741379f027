#include "sim/CameraCore.h"

#include "sim/StatusBlock.h"

namespace camsim {

using wire::Frame;
using wire::kAck;
using wire::kAddress;
using wire::kCan;
using wire::kNak;
using wire::kTag;
using wire::packet;

namespace {

bool isControl(std::span<const uint8_t> p) {
    return p.size() >= 2 && p[0] == 'C' && (p[1] == 0x06 || p[1] == 0x15 || p[1] == 'x');
}

// Every control packet heard is counted, inside a transfer or not.
void countControl(std::span<const uint8_t> p, Counters& c) {
    if (p[1] == 0x06) {
        ++c.ctrlAck;
    } else if (p[1] == 'x') {
        ++c.ctrlEnd;
    } else {
        const int code = p.size() > 2 ? p[2] : 0;
        ++(code == 1 ? c.ctrlNak1 : code == 2 ? c.ctrlNak2 : c.ctrlNak);
    }
}

bool isBlock(std::span<const uint8_t> p, uint8_t letter) {
    return p.size() >= 34 && p[0] == letter && p[1] == 'b';
}

}  // namespace

CameraCore::CameraCore(CameraState initial, unsigned seed) : state_(std::move(initial)) {
    env_.rng.seed(seed);
}

std::vector<Outgoing> CameraCore::takeOutput() {
    std::vector<Outgoing> out;
    out.swap(env_.out);
    return out;
}

// A camera left running for hours keeps only the recent part of its log.
void CameraCore::trimLog() {
    if (raw_.size() > kRawLogLimit) raw_.erase(raw_.begin(), raw_.begin() + kRawLogLimit / 4);
    if (payloads_.size() > kPayloadLogLimit)
        payloads_.erase(payloads_.begin(), payloads_.begin() + kPayloadLogLimit / 4);
}

void CameraCore::clearLog() {
    payloads_.clear();
    raw_.clear();
}

std::vector<Outgoing> CameraCore::receive(std::span<const uint8_t> bytes, TimePoint t) {
    const int badBefore = parser_.badFrames();
    trimLog();
    for (uint8_t b : bytes) {
        ++env_.counters.bytesReceived;
        raw_.push_back(b);
        upload_.heard(t);
        if (auto frame = parser_.push(b)) onFrame(*frame, t);
    }
    env_.counters.badFrames += parser_.badFrames() - badBefore;
    return takeOutput();
}

std::vector<Outgoing> CameraCore::tick(TimePoint now) {
    env_.sendAt = now;
    transfer_.expire(now);
    upload_.tick(now);
    return takeOutput();
}

std::optional<TimePoint> CameraCore::nextDeadline() const {
    const auto a = transfer_.deadline(), b = upload_.deadline();
    if (a && b) return std::min(*a, *b);
    return a ? a : b;
}

void CameraCore::onFrame(const Frame& f, TimePoint t) {
    ++env_.counters.packetsReceived;
    env_.sendAt = t + std::chrono::milliseconds(env_.faults.replyDelayMs);
    transfer_.heard(t);
    if (!f.checksumOk) return onBadChecksum(f, t);
    if (!f.addressed()) {
        ++env_.counters.badFrames;
        return;
    }
    const auto p = f.payload();
    payloads_.emplace_back(p.begin(), p.end());
    if (!onTransferOrUpload(p, t)) onCommand(p, t);
}

void CameraCore::onBadChecksum(const Frame& f, TimePoint t) {
    ++env_.counters.badChecksums;
    if (!f.hadSync && upload_.active()) {
        upload_.badBlock(t);  // asked for again
    } else if (!f.hadSync && transfer_.active()) {
        // A damaged control packet: the PC's idle time-out will send it again.
    } else {
        ++env_.counters.naks;
        env_.muted = env_.faults.dropReplies > 0;
        if (env_.muted) --env_.faults.dropReplies;
        env_.send(wire::answer(kNak));
        env_.muted = false;
    }
}

bool CameraCore::onTransferOrUpload(std::span<const uint8_t> p, TimePoint t) {
    if (isControl(p)) {
        countControl(p, env_.counters);
        if (transfer_.active()) transfer_.control(p);
        return true;  // ignored outside a transfer
    }
    if (isBlock(p, 'C') && upload_.active(BlockUpload::Kind::Splash)) {
        upload_.block(p.subspan(2, 32), t, state_);
        return true;
    }
    if (isBlock(p, 'J') && upload_.active(BlockUpload::Kind::Fpga)) {
        upload_.block(p.subspan(2, 32), t, state_);
        return true;
    }
    return false;
}

void CameraCore::onCommand(std::span<const uint8_t> p, TimePoint t) {
    ++env_.counters.commands;
    // A new command means the PC has left whatever exchange was running.
    transfer_.abandon();
    upload_.abandon();
    env_.muted = env_.faults.dropReplies > 0;
    if (env_.muted) --env_.faults.dropReplies;
    const std::string key = commandKey(p);
    if (env_.faults.nakCommands.count(key)) {
        ++env_.counters.naks;
        env_.send(wire::answer(kNak));
    } else if (env_.faults.canCommands.count(key)) {
        answer({Answer::Kind::Can}, t);
    } else {
        answer(applyCommand(state_, p), t);
    }
    env_.muted = false;
}

void CameraCore::answer(const Answer& a, TimePoint t) {
    Counters& c = env_.counters;
    using K = Answer::Kind;
    switch (a.kind) {
        case K::Ack:
            ++c.acks;
            return env_.send(wire::answer(kAck));
        case K::Can:
            ++c.cans;
            return env_.send(wire::answer(kCan));
        case K::StatusBlock: {
            ++c.statusBlocksSent;
            const auto block = statusBlock(state_);
            return env_.send({block.begin(), block.end()});
        }
        case K::PictureCount:
            ++c.countRepliesSent;
            return env_.send(
                packet({kTag, kAddress, static_cast<uint8_t>(state_.pictures.size())}, false));
        case K::Register:
            ++c.registerRepliesSent;
            return env_.send(packet({kTag, kAddress, state_.registers[a.arg], a.arg}));
        case K::PictureTransfer:
            return transfer_.start(a.arg == 0 ? state_.splash : state_.pictures[a.arg - 1], t);
        case K::SplashUpload:
            return upload_.start(BlockUpload::Kind::Splash, t);
        case K::FpgaUpload:
            ++c.acks;
            env_.send(wire::answer(kAck));
            return upload_.start(BlockUpload::Kind::Fpga, t);
    }
}

}  // namespace camsim

#include "sim/Transfer.h"

#include <algorithm>

#include "sim/Wire.h"

namespace camsim {

namespace {

constexpr uint8_t kCtrlAck = 0x06, kCtrlNak = 0x15, kCtrlEnd = 'x';
constexpr size_t kChecksumAt = 38;  // in the 40-byte packet

std::vector<uint8_t> dataPacket(const Picture& p, int number) {
    std::vector<uint8_t> body{static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number)};
    const auto* px = p.pixels.data() + number * 32;
    body.insert(body.end(), px, px + 32);
    return wire::packet(body);
}

std::vector<uint8_t> headerPacket(const Picture& p) {
    std::vector<uint8_t> body{0xFF, 0xFF};
    body.insert(body.end(), p.header.begin(), p.header.end());
    body.resize(34, 0);
    return wire::packet(body);
}

}  // namespace

void PictureTransfer::start(const Picture& picture, TimePoint now) {
    active_ = true;
    picture_ = picture;
    picture_.pixels.resize(kPixelCount);
    phase_ = Phase::Header;
    current_ = highest_ = -1;
    afterNak1_ = false;
    sent_.clear();
    skipped_.clear();
    lastHeard_ = now;
    ++env_.counters.transfersStarted;
    sendHeader();
}

void PictureTransfer::control(std::span<const uint8_t> p) {
    if (p[1] == kCtrlAck) {
        onAck();
    } else if (p[1] == kCtrlNak) {
        onNak(p.size() > 2 ? p[2] : 0);
    } else if (p[1] == kCtrlEnd) {
        finish();
    }
}

void PictureTransfer::onAck() {
    if (phase_ == Phase::Header) {
        phase_ = Phase::Data;
        advanceTo(0);
    } else if (phase_ == Phase::Data) {
        // An ACK also arrives when the PC's idle time-out repeats its last one: either way the
        // camera goes on with the next packet.
        const int next = afterNak1_ ? highest_ + 1 : current_ + 1;
        afterNak1_ = false;
        if (next >= kDataPackets) {
            phase_ = Phase::End;
        } else {
            advanceTo(next);
        }
    }
}

void PictureTransfer::onNak(int code) {
    if (phase_ == Phase::Header) {
        // A plain NAK refuses the header. NAK1 or NAK2 here is the PC repeating its last control
        // packet of an earlier transfer after an idle time-out: it took the header (its ACK was
        // lost) and waits for data packet 0.
        code == 0 ? sendHeader() : onAck();
        return;
    }
    phase_ = Phase::Data;
    if (code == 1) {
        // The PC saw a gap: send the packet one below the highest, then carry on after it.
        afterNak1_ = true;
        sendData(std::max(highest_ - 1, 0));
    } else {
        sendData(std::max(current_, 0));
    }
}

void PictureTransfer::finish() {
    active_ = false;
    ++(highest_ == kDataPackets - 1 ? env_.counters.transfersCompleted
                                    : env_.counters.transfersAbandoned);
}

void PictureTransfer::abandon() {
    if (!active_) return;
    active_ = false;
    ++env_.counters.transfersAbandoned;
}

void PictureTransfer::expire(TimePoint now) {
    if (active_ && now - lastHeard_ >= kIdleLimit) abandon();
}

std::optional<TimePoint> PictureTransfer::deadline() const {
    if (!active_) return std::nullopt;
    return lastHeard_ + kIdleLimit;
}

void PictureTransfer::advanceTo(int number) {
    if (number < kDataPackets - 1 && env_.faults.skipPackets.count(number) &&
        skipped_.insert(number).second) {
        ++env_.counters.packetsSkipped;
        ++number;
    }
    sendData(number);
}

void PictureTransfer::sendHeader() {
    ++env_.counters.headerPacketsSent;
    emit(kHeaderPacket, headerPacket(picture_));
}

void PictureTransfer::sendData(int number) {
    current_ = number;
    highest_ = std::max(highest_, number);
    ++env_.counters.dataPacketsSent;
    auto hidden = env_.faults.hiddenDamagePackets.find(number);
    if (hidden != env_.faults.hiddenDamagePackets.end() && hidden->second > 0) {
        const auto bit = static_cast<uint8_t>(1 << (--hidden->second % 8));
        Picture damaged = picture_;
        damaged.pixels[size_t(number) * 32] ^= bit;
        damaged.pixels[size_t(number) * 32 + 1] ^= bit;
        ++env_.counters.packetsCorrupted;
        return emit(number, dataPacket(damaged, number));
    }
    emit(number, dataPacket(picture_, number));
}

void PictureTransfer::emit(int number, std::vector<uint8_t> bytes) {
    const bool first = sent_.insert(number).second;
    if (!first) ++env_.counters.retransmissions;
    if (first && env_.faults.dropPackets.count(number)) {
        ++env_.counters.packetsDropped;
        return;
    }
    if ((first && env_.faults.corruptPackets.count(number)) ||
        env_.chance(env_.faults.corruptRate)) {
        bytes[kChecksumAt] ^= 0xA5;
        bytes[kChecksumAt + 1] = static_cast<uint8_t>(0xFF - bytes[kChecksumAt]);
        ++env_.counters.packetsCorrupted;
    }
    env_.send(std::move(bytes));
}

}  // namespace camsim

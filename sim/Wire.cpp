#include "sim/Wire.h"

namespace camsim::wire {

namespace {
// Longest body the PC sends is T 01 C b + 32 block bytes; anything much longer is noise.
constexpr size_t kMaxBody = 64;
}  // namespace

uint8_t xorOf(std::span<const uint8_t> bytes, uint8_t start) {
    for (uint8_t b : bytes) start ^= b;
    return start;
}

void FrameParser::restart(bool dleSeen) {
    st_ = dleSeen ? St::HuntDle : St::Hunt;
    syncs_ = 0;
    body_.clear();
}

std::optional<Frame> FrameParser::push(uint8_t b) {
    switch (st_) {
        case St::Hunt:
            if (b == kDle) {
                st_ = St::HuntDle;
            } else {
                syncs_ = (b == kSync) ? syncs_ + 1 : 0;
            }
            return std::nullopt;
        case St::HuntDle:
            if (b == kStx) {
                hadSync_ = syncs_ > 0;
                body_.clear();
                st_ = St::Body;
            } else if (b != kDle) {
                restart(false);
            }
            return std::nullopt;
        case St::Body:
            if (b == kDle) {
                st_ = St::BodyDle;
            } else if (body_.size() < kMaxBody) {
                body_.push_back(b);
            } else {
                ++badFrames_;
                restart(false);
            }
            return std::nullopt;
        case St::BodyDle:
            if (b == kDle) {
                body_.push_back(kDle);
                st_ = St::Body;
            } else if (b == kEtx) {
                st_ = St::Checksum;
            } else {
                // A lone DLE inside a body: the packet is broken. DLE STX starts a new one.
                ++badFrames_;
                if (b == kStx) {
                    hadSync_ = false;
                    body_.clear();
                    st_ = St::Body;
                } else {
                    restart(false);
                }
            }
            return std::nullopt;
        case St::Checksum:
            checksum_ = b;
            st_ = St::Complement;
            return std::nullopt;
        case St::Complement: {
            // The complement is taken but not checked, as on the PC side.
            Frame f{std::move(body_), false, hadSync_};
            f.checksumOk = xorOf(f.body) == checksum_;
            restart(false);
            return f;
        }
    }
    return std::nullopt;
}

std::vector<uint8_t> packet(std::span<const uint8_t> body, bool complement) {
    std::vector<uint8_t> out{kDle, kStx};
    out.insert(out.end(), body.begin(), body.end());
    const uint8_t chk = xorOf(body);
    out.insert(out.end(), {kDle, kEtx, chk});
    if (complement) out.push_back(static_cast<uint8_t>(0xFF - chk));
    return out;
}

std::vector<uint8_t> packet(std::initializer_list<uint8_t> body, bool complement) {
    return packet(std::span<const uint8_t>(body.begin(), body.size()), complement);
}

std::vector<uint8_t> answer(uint8_t code) {
    return packet({kTag, kAddress, code});
}

std::vector<uint8_t> pcFrame(const std::vector<uint8_t>& payload, bool sync) {
    std::vector<uint8_t> out;
    if (sync) out.assign(5, kSync);
    out.insert(out.end(), {kDle, kStx, kTag, kAddress});
    for (uint8_t b : payload) {
        if (b == kDle) out.push_back(kDle);
        out.push_back(b);
    }
    const uint8_t chk = xorOf(payload, kTag ^ kAddress);
    out.insert(out.end(), {kDle, kEtx, chk, static_cast<uint8_t>(0xFF - chk)});
    return out;
}

}  // namespace camsim::wire

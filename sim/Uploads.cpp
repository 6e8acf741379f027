#include "sim/Uploads.h"

#include <algorithm>

#include "sim/Scene.h"
#include "sim/Wire.h"

namespace camsim {

namespace {
constexpr int kBlock = 32;
constexpr int kFpgaLastBytes = kFpgaBytes - kFpgaLastBlock * kBlock;  // 15
}  // namespace

void BlockUpload::start(Kind kind, TimePoint now) {
    active_ = true;
    kind_ = kind;
    next_ = 0;
    data_.assign(kind == Kind::Splash ? kPixelCount : kFpgaBytes, 0);
    lastHeard_ = lastBlock_ = now;
    request(now);
}

void BlockUpload::request(TimePoint now) {
    const auto hi = static_cast<uint8_t>(next_ >> 8), lo = static_cast<uint8_t>(next_);
    constexpr uint8_t t = wire::kTag, a = wire::kAddress;
    env_.send(kind_ == Kind::Splash ? wire::packet({t, a, 'c', hi, lo})
                                    : wire::packet({t, a, 'J', 's', hi, lo}));
    ++env_.counters.blockRequestsSent;
    lastRequest_ = now;
}

void BlockUpload::block(std::span<const uint8_t> data, TimePoint now, CameraState& s) {
    lastBlock_ = now;
    const bool last = kind_ == Kind::Fpga && next_ == kFpgaLastBlock;
    const size_t n = last ? kFpgaLastBytes : kBlock;
    std::copy_n(data.begin(), n, data_.begin() + next_ * kBlock);
    ++(kind_ == Kind::Splash ? env_.counters.splashBlocks : env_.counters.fpgaBlocks);
    ++next_;
    if (kind_ == Kind::Splash) {
        request(now);  // asking for block 2400 ends the upload
        if (next_ == kSplashBlocks) complete(s);
    } else if (last) {
        complete(s);
    } else {
        request(now);
    }
}

void BlockUpload::badBlock(TimePoint now) {
    ++env_.counters.badBlocks;
    request(now);
}

void BlockUpload::complete(CameraState& s) {
    active_ = false;
    ++env_.counters.uploadsCompleted;
    if (kind_ == Kind::Splash) {
        s.splash.header = pictureHeader(s, 0, 0, 6);
        s.splash.pixels = std::move(data_);
        s.customSplash = true;
    } else {
        s.fpgaImage = std::move(data_);
        ++s.fpgaConfigurations;
    }
}

void BlockUpload::abandon() {
    if (!active_) return;
    active_ = false;
    ++env_.counters.uploadsAbandoned;
}

void BlockUpload::tick(TimePoint now) {
    if (!active_) return;
    if (now - lastBlock_ >= kAbandonAfter) {
        abandon();
    } else if (now - std::max(lastHeard_, lastRequest_) >= kResendAfter) {
        // Only after a quiet second: a block carries no number, so a needless repeat of the
        // request would make the PC send a block twice and put it in the wrong place.
        request(now);
    }
}

std::optional<TimePoint> BlockUpload::deadline() const {
    if (!active_) return std::nullopt;
    return std::min(lastBlock_ + kAbandonAfter, std::max(lastHeard_, lastRequest_) + kResendAfter);
}

}  // namespace camsim

#pragma once
// Camera-driven uploads: the camera asks for each block by number and the PC answers with it.
// Splash: blocks 0..2399 of 32 bytes, ended by asking for 2400. FPGA: blocks 0..1850, the last
// holding 15 bytes, after which the camera asks for nothing more.

#include <optional>
#include <span>

#include "sim/CoreEnv.h"

namespace camsim {

class BlockUpload {
  public:
    enum class Kind { Splash, Fpga };

    explicit BlockUpload(CoreEnv& env) : env_(env) {}

    bool active() const { return active_; }
    bool active(Kind k) const { return active_ && kind_ == k; }
    void start(Kind kind, TimePoint now);
    // A good block is stored at the number asked for; the camera then asks for the next.
    void block(std::span<const uint8_t> data, TimePoint now, CameraState& s);
    void badBlock(TimePoint now);
    void heard(TimePoint t) { lastHeard_ = t; }
    void abandon();
    void tick(TimePoint now);
    std::optional<TimePoint> deadline() const;

    static constexpr std::chrono::seconds kResendAfter{1};
    static constexpr std::chrono::seconds kAbandonAfter{30};

  private:
    void request(TimePoint now);
    void complete(CameraState& s);

    CoreEnv& env_;
    bool active_ = false;
    Kind kind_ = Kind::Splash;
    int next_ = 0;
    std::vector<uint8_t> data_;
    TimePoint lastHeard_{}, lastRequest_{}, lastBlock_{};
};

}  // namespace camsim

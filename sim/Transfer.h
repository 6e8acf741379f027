#pragma once
// The camera's side of a picture transfer: a header packet, then data packets 0..2399, each
// sent after the PC's control packet for the one before (stop-and-wait).

#include <optional>
#include <set>
#include <span>

#include "sim/CoreEnv.h"

namespace camsim {

class PictureTransfer {
  public:
    explicit PictureTransfer(CoreEnv& env) : env_(env) {}

    bool active() const { return active_; }
    void start(const Picture& picture, TimePoint now);
    // 'C' 0x06, 'C' 0x15 [code] or 'C' 'x'.
    void control(std::span<const uint8_t> payload);
    void heard(TimePoint t) { lastHeard_ = t; }
    void abandon();
    void expire(TimePoint now);
    std::optional<TimePoint> deadline() const;

    static constexpr std::chrono::seconds kIdleLimit{10};

  private:
    enum class Phase { Header, Data, End };

    void onAck();
    void onNak(int code);
    void finish();
    void advanceTo(int number);
    void sendHeader();
    void sendData(int number);
    void emit(int number, std::vector<uint8_t> bytes);

    CoreEnv& env_;
    bool active_ = false;
    Picture picture_;
    Phase phase_ = Phase::Header;
    int current_ = -1;        // data packet sent last
    int highest_ = -1;        // highest data packet sent
    bool afterNak1_ = false;  // the repeat for NAK1 is out: its ACK goes on after highest_
    std::set<int> sent_, skipped_;
    TimePoint lastHeard_{};
};

}  // namespace camsim

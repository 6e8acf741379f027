#pragma once
// The camera without its line: bytes and the time they crossed the line go in, packets to send
// and the earliest time to send them come out. The pty attachment lives in SimCamera.

#include <optional>
#include <span>
#include <vector>

#include "sim/Commands.h"
#include "sim/CoreEnv.h"
#include "sim/Transfer.h"
#include "sim/Uploads.h"
#include "sim/Wire.h"

namespace camsim {

class CameraCore {
  public:
    explicit CameraCore(CameraState initial, unsigned seed = 1);
    CameraCore(const CameraCore&) = delete;
    CameraCore& operator=(const CameraCore&) = delete;

    // Bytes whose last bit crossed the line at t.
    std::vector<Outgoing> receive(std::span<const uint8_t> bytes, TimePoint t);
    // Time-outs of the transfer and the uploads.
    std::vector<Outgoing> tick(TimePoint now);
    std::optional<TimePoint> nextDeadline() const;

    CameraState& state() { return state_; }
    Faults& faults() { return env_.faults; }
    Counters& counters() { return env_.counters; }
    const std::vector<std::vector<uint8_t>>& payloads() const { return payloads_; }
    const std::vector<uint8_t>& raw() const { return raw_; }
    void clearLog();
    bool transferActive() const { return transfer_.active(); }
    bool uploadActive() const { return upload_.active(); }

    static constexpr size_t kRawLogLimit = size_t{1} << 22;
    static constexpr size_t kPayloadLogLimit = size_t{1} << 17;

  private:
    void trimLog();
    void onFrame(const wire::Frame& f, TimePoint t);
    void onBadChecksum(const wire::Frame& f, TimePoint t);
    bool onTransferOrUpload(std::span<const uint8_t> p, TimePoint t);
    void onCommand(std::span<const uint8_t> p, TimePoint t);
    void answer(const Answer& a, TimePoint t);
    std::vector<Outgoing> takeOutput();

    CameraState state_;
    CoreEnv env_;
    wire::FrameParser parser_;
    PictureTransfer transfer_{env_};
    BlockUpload upload_{env_};
    std::vector<std::vector<uint8_t>> payloads_;
    std::vector<uint8_t> raw_;
};

}  // namespace camsim

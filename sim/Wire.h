#pragma once
// The line as the camera sees it: a parser for what the PC sends and builders for what the
// camera sends back. Written from the camera's side; shares nothing with the PC program.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace camsim::wire {

inline constexpr uint8_t kDle = 0x10, kStx = 0x02, kEtx = 0x03, kSync = 0xFF;
inline constexpr uint8_t kTag = 0x54, kAddress = 0x01;
inline constexpr uint8_t kAck = 0x06, kNak = 0x15, kCan = 0x18;

uint8_t xorOf(std::span<const uint8_t> bytes, uint8_t start = 0);

// One packet taken off the line: the unstuffed body between DLE STX and DLE ETX.
struct Frame {
    std::vector<uint8_t> body;
    bool checksumOk = false;
    bool hadSync = false;  // preceded by 0xFF bytes: a command frame

    bool addressed() const { return body.size() >= 2 && body[0] == kTag && body[1] == kAddress; }
    std::span<const uint8_t> payload() const {
        return std::span<const uint8_t>(body).subspan(addressed() ? 2 : body.size());
    }
};

// Takes bytes one at a time; skips everything outside DLE STX ... DLE ETX chk ~chk.
class FrameParser {
  public:
    std::optional<Frame> push(uint8_t byte);
    int badFrames() const { return badFrames_; }

  private:
    enum class St { Hunt, HuntDle, Body, BodyDle, Checksum, Complement };
    void restart(bool dleSeen);

    St st_ = St::Hunt;
    int syncs_ = 0;
    bool hadSync_ = false;
    std::vector<uint8_t> body_;
    uint8_t checksum_ = 0;
    int badFrames_ = 0;
};

// DLE STX body DLE ETX chk ~chk, unstuffed (the camera never doubles DLE); the checksum is the
// XOR of the body. The picture count reply leaves the complement off.
std::vector<uint8_t> packet(std::span<const uint8_t> body, bool complement = true);
std::vector<uint8_t> packet(std::initializer_list<uint8_t> body, bool complement = true);

std::vector<uint8_t> answer(uint8_t code);  // the 9-byte ACK, NAK or CAN

// What the PC sends: 0xFF x5 (command frames only), DLE STX T 01 payload (DLE doubled) DLE
// ETX chk ~chk. Used by tests and by nothing on the camera's own path.
std::vector<uint8_t> pcFrame(const std::vector<uint8_t>& payload, bool sync);

}  // namespace camsim::wire

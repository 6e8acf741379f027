#pragma once
// What each command does to the camera's state, and how the camera answers it.

#include <cstdint>
#include <span>
#include <string>

#include "sim/CameraTypes.h"

namespace camsim {

struct Answer {
    enum class Kind {
        Ack,
        Can,
        StatusBlock,
        PictureCount,
        Register,
        PictureTransfer,
        SplashUpload,
        FpgaUpload
    };
    Kind kind = Kind::Ack;
    uint8_t arg = 0;  // register address or picture number
};

// Applies the command payload (the bytes after T 01) to s. Unknown commands and parameters the
// camera cannot take are answered CAN and change nothing.
Answer applyCommand(CameraState& s, std::span<const uint8_t> payload);

// The 2-byte key that the NAK/CAN fault switches name, e.g. "Sf".
std::string commandKey(std::span<const uint8_t> payload);

// True for a picture number the camera can send: 0 (the splash) or a stored picture.
bool holdsPicture(const CameraState& s, int n);

}  // namespace camsim

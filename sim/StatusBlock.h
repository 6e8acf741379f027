#pragma once
// The 57-byte status block the camera sends for 'S' 'r', built from its state.

#include <array>
#include <cstdint>

#include "sim/CameraTypes.h"

namespace camsim {

inline constexpr int kStatusBlockSize = 57;

// Byte n of the returned block (1-based, as the layout is written) is block[n - 1].
std::array<uint8_t, kStatusBlockSize> statusBlock(const CameraState& s);

uint8_t sensorKitBits(SensorKit kit);

}  // namespace camsim

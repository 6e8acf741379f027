#pragma once
// The camera's pictures: synthetic thermal scenes and the 21-byte header stamped on them.

#include <array>
#include <cstdint>

#include "sim/CameraTypes.h"

namespace camsim {

// The PC's own test for new firmware; it decides how the reading digits are coded.
bool newFirmware(const CameraState& s);

// Header of a picture taken now (clock, date, unit and firmware from s) with scene readings.
std::array<uint8_t, 21> pictureHeader(const CameraState& s, int spot, int ambient, int battery);

// Scene number n (1..26): warm bodies over a graded background with sensor noise, n marks
// along the top edge; deterministic and different for every n.
Picture syntheticPicture(int n, const CameraState& clockSource);

// The factory start-up picture: colour bars in the camera's RRGGBB00 pixel format.
Picture defaultSplash(const CameraState& clockSource);

}  // namespace camsim

#pragma once
// The camera's clock: the time and date command from the lists' values.

#include "status/TimeDate.h"

namespace camera {

class Camera;

// Writes the clock row from the values and sends it. True when the camera acknowledged it.
bool sendTimeDate(Camera& camera, const ClockValues& clock);

// The values the lists show for the PC's clock, kept in the shared PC clock fields.
ClockValues takePcClock(Camera& camera, const QDateTime& now = QDateTime::currentDateTime());

}  // namespace camera

#pragma once
// The camera's alarm thresholds, its counters and its resets. The threshold values are fixed
// in the rows; an option pair only chooses which.

#include "camera/Outcome.h"
#include "link/CommandTable.h"

namespace camera {

class Camera;

// Row numbers of the resets.
namespace Resets {
constexpr int Humidity = 107, Heatsink = 108, ColdWarm = 87, RunTime = 86;
constexpr int ResetCamera = 55, RestoreDefaults = 72, WriteFactoryDefaults = 99, WriteNvr = 47;
}  // namespace Resets

// The humidity warning: First "Enabled", Second "Disabled". Neither chosen leaves nothing to
// send (the row would go out with whatever it last held): the user is asked to choose.
Outcome sendHumidityThreshold(Camera& camera, OptionPair warning);

// The heatsink thresholds: First the low threshold, Second the high one. One fill of the row;
// the button sends the low fill, then the high fill.
void sendHeatsinkFill(Camera& camera, OptionPair threshold, bool secondFill);
Outcome sendHeatsinkThresholds(Camera& camera, OptionPair threshold);

// "Reset greatest temperture": humidity, then heatsink.
void resetGreatestValues(Camera& camera);

}  // namespace camera

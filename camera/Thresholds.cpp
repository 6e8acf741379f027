#include "camera/Thresholds.h"

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Recording.h"
#include "camera/Settings.h"
#include "link/CommsEngine.h"

namespace camera {

Outcome sendHumidityThreshold(Camera& camera, OptionPair warning) {
    Outcome out;
    if (warning == OptionPair::None)
        return out.fail(
            {"Choose \"Enabled\" or \"Disabled\" first.", "Orvik 3", MsgIcon::Exclamation});
    HumiditySettings_Constants(camera.state(), warning);
    camera.state().CommandIndex = Row::Humidity;
    transmitRecorded(camera);
    return out;
}

void sendHeatsinkFill(Camera& camera, OptionPair threshold, bool secondFill) {
    if (secondFill)
        Heatsink_settings_HighThreshold_constants(camera.state(), threshold);
    else
        Heatsink_settings_LowThreshold_constant(camera.state(), threshold);
    camera.state().CommandIndex = Row::Heatsink;
    transmitRecorded(camera);
}

Outcome sendHeatsinkThresholds(Camera& camera, OptionPair threshold) {
    Outcome out;
    if (threshold == OptionPair::None)
        return out.fail({"Choose \"Overtemp high threshold\" or \"Overtemp low threshold\" first.",
                         "Orvik 3", MsgIcon::Exclamation});
    Recording recording(camera);
    sendHeatsinkFill(camera, threshold, false);
    sendHeatsinkFill(camera, threshold, true);
    return out;
}

void resetGreatestValues(Camera& camera) {
    Recording recording(camera);
    sendFixedRow(camera, Resets::Humidity);
    sendFixedRow(camera, Resets::Heatsink);
}

}  // namespace camera

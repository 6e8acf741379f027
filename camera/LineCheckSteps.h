#pragma once
// The steps of the line check, each on its own; LineCheck.cpp runs them in order.

#include "camera/LineCheck.h"

namespace camera {

// Port n's device, its permission and whether another program holds it.
LineStep deviceStep(Camera& camera, int n);
LineStep permissionStep(Camera& camera, int n);
// Opens the device once: `free` says whether it opened, `lowLatency` whether the driver took
// low-latency mode.
LineStep freeStep(Camera& camera, int n, bool& lowLatency);
LineStep lowLatencyStep(bool lowLatency);

// One status request at the chosen speed, then at the other; `found` when the camera answered
// at the chosen one.
LineStep cameraStep(Camera& camera, int n);
LineStep qualityStep(Camera& camera, int n, int count, LineCheckObserver* observer);
LineStep loopbackStep(Camera& camera, int n, LineCheckObserver* observer);

}  // namespace camera

#include "camera/Camera.h"

#include "app/SharedState.h"
#include "link/CommandTable.h"
#include "link/PortDiscovery.h"

namespace camera {

Camera::Camera(SharedState& state, Dialogs& dialogs, PortMap ports, Timing timing)
    : state_(state),
      dialogs_(dialogs),
      ports_(std::move(ports)),
      port_(ports_),
      engine_(state, port_, dialogs, timing) {}

Camera::~Camera() {
    engine_.setObserver(nullptr);
    try {
        if (port_.portOpen()) port_.setPortOpen(false);
    } catch (const CommError&) {
    }
}

bool Camera::load() {
    try {
        port_.setSettings(settingsForSpeed(115200));
        Constants(state_);
    } catch (const CommError& e) {
        if (e.number() == CommError::kInvalidPortNumber) return false;
    }
    return true;
}

}  // namespace camera

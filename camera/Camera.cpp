#include "camera/Camera.h"

#include "app/SharedState.h"
#include "history/Recorder.h"
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

void Camera::openHistory(const history::Location& where, std::function<void(const QString&)> tell) {
    history_.reset();
    history_ = std::make_unique<history::Recorder>(
        where, [this, tell = std::move(tell)](const QString& why) {
            if (tell) tell(why);
            engine_.showNote(why);
        });
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

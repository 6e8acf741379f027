#include "front/Form1.h"

#include "app/Dialogs.h"
#include "link/CommandTable.h"
#include "link/PortDiscovery.h"

Form1::Form1(SharedState& state, Dialogs& dialogs, PortMap ports, Timing timing, QWidget* parent)
    : QWidget(parent),
      state_(state),
      dialogs_(dialogs),
      ports_(std::move(ports)),
      port_(ports_),
      engine_(state, port_, dialogs, timing) {
    setObjectName("form1");
    hide();
}

void Form1::Form_Load() {
    try {
        port_.setSettings(settingsForSpeed(115200));
        Constants(state_);
    } catch (const CommError& e) {
        if (e.number() == CommError::kInvalidPortNumber)
            dialogs_.message("Port unavailable - select another", "Orvik 3", MsgIcon::None);
    }
}

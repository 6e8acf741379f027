#include "forms/Form1.h"

#include "app/Dialogs.h"

Form1::Form1(SharedState& state, Dialogs& dialogs, PortMap ports, Timing timing, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), camera_(state, dialogs, std::move(ports), timing) {
    setObjectName("form1");
    hide();
}

void Form1::Form_Load() {
    if (!camera_.load())
        dialogs_.message("Port unavailable - select another", "Orvik 3", MsgIcon::None);
}

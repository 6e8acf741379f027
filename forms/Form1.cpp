#include "forms/Form1.h"

#include "app/Dialogs.h"

Form1::Form1(SharedState& state, Dialogs& dialogs, PortMap ports, Timing timing, QWidget* parent)
    : QWidget(parent), camera_(state, dialogs, std::move(ports), timing) {
    setObjectName("form1");
    hide();
}

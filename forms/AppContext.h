#pragma once
// What every form of the program is handed: the shared state, the link, the dialogs, the mail
// transport and the program-wide options. The forms call each other only through the hooks
// here, so a form library never needs another's headers.

#include <QString>
#include <cstdint>
#include <functional>

#include "app/Mail.h"

struct SharedState;
class CommsEngine;
class Dialogs;
class PortMap;
namespace camera {
class Camera;
}

struct AppContext {
    AppContext(SharedState& s, CommsEngine& e, Dialogs& d, MailTransport& m, PortMap& p)
        : state(s), engine(e), dialogs(d), mail(m), ports(p) {}

    SharedState& state;
    CommsEngine& engine;
    Dialogs& dialogs;
    MailTransport& mail;
    PortMap& ports;
    camera::Camera* camera = nullptr;  // the operations' way to the link

    QString repairCentreAddress = QString::fromLatin1(kRepairCentreAddress);
    bool fullEdition = false;  // the factory tabs and controls

    // The port list a status read chooses by: the customer front screen's when it is loaded.
    std::function<QString()> statusPortText;
    // Shows the customer front screen again (the advanced form's "Close" and its load).
    std::function<void()> showCustomerScreen;
    // Ends the program.
    std::function<void()> exitProgram;
    // The serial-number entry form: given the number the camera reported, and opened when the
    // number cannot be right.
    std::function<void(int32_t number, bool open)> serialNumberEntry;
    std::function<void()> openFpgaForm;

    bool closeQuestionOpen = false;  // asked whether to stop a transfer, not yet answered
};

// Closes a window, asking first when a picture is coming. The question does not hold the
// transfer up: "Yes" stops it (the camera is sent the end packet) and closes; "No" leaves it
// running as if nothing had been asked.
void closeAfterTransferQuestion(AppContext& ctx, std::function<void()> close);

#include "front/Program.h"

#include <QLabel>

#include "app/Dialogs.h"

Program::Program(Dialogs& dialogs, MailTransport& mail, ProgramOptions options)
    : form1(state, dialogs, std::move(options.ports), options.timing),
      context{state, form1.engine(), dialogs, mail, form1.ports()},
      advanced(context),
      front(context, form1, advanced) {
    context.repairCentreAddress = options.repairCentreAddress;
    context.fullEdition = options.fullEdition;
    context.statusPortText = [this] { return front.portText(); };
    context.showCustomerScreen = [this] { front.show(); };
    context.exitProgram = [this] {
        exitRequested_ = true;
        advanced.hide();
        front.hide();
        if (onExit) onExit();
    };
    indicator.addLamp(front.Picture5);
    indicator.addLamp(advanced.ui.PictureResponse);
    indicator.addNoteLine(front.Label9);
    indicator.addNoteLine(advanced.ui.Note_lbl);
    indicator.showIndicator(Indicator::Grey);
    form1.engine().setObserver(&indicator);
}

Program::~Program() {
    form1.engine().setObserver(nullptr);
    if (form1.MSComm1().portOpen()) form1.MSComm1().setPortOpen(false);
}

void Program::start() {
    front.Form_Load();
}

#pragma once
// One run of the program: the shared state, the comms form, the advanced form and the customer
// front screen, wired to each other. The desktop program, the command line and the tests all
// start it the same way.

#include <QString>
#include <functional>

#include "app/PortMap.h"
#include "app/SharedState.h"
#include "app/Timing.h"
#include "forms/AppContext.h"
#include "forms/CustomerFrontScreen.h"
#include "forms/Form1.h"
#include "forms/FpgaConfigurationForm.h"
#include "forms/IndicatorObserver.h"
#include "forms/Orvik3MainForm.h"
#include "forms/SerialNumberForm.h"

class Dialogs;
class MailTransport;

struct ProgramOptions {
    PortMap ports;
    Timing timing;
    QString repairCentreAddress = QString::fromLatin1(kRepairCentreAddress);
    bool fullEdition = false;
};

class Program {
  public:
    Program(Dialogs& dialogs, MailTransport& mail, ProgramOptions options);
    ~Program();

    // The customer front screen's load, which loads the other forms, then shows it.
    void start();

    // Called when a form ends the program ("Exit", or "Close" of a stand-alone advanced form).
    std::function<void()> onExit;
    bool exitRequested() const { return exitRequested_; }

    SharedState state;
    Form1 form1;
    AppContext context;
    Orvik3_main_frm advanced;
    CustomerFrontScreen front;
    frmSerialNumber serialNumber;
    FPGA_configuration_frm fpga;
    IndicatorObserver indicator;

  private:
    bool exitRequested_ = false;
};

#include "forms/Program.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/Dialogs.h"
#include "forms/SplashPanel.h"

Program::Program(Dialogs& dialogs, MailTransport& mail, ProgramOptions options)
    : form1(state, dialogs, std::move(options.ports), options.timing),
      context{state, form1.engine(), dialogs, mail, form1.ports()},
      advanced(context, form1.camera()),
      front(context, form1, advanced),
      serialNumber(form1.engine(), &advanced),
      fpga(form1.engine()) {
    context.camera = &form1.camera();
    // The windows that send through the engine alone record to the camera's history.
    serialNumber.recordTo(&form1.camera());
    fpga.upload().recordTo(&form1.camera());
    advanced.splash->upload().recordTo(&form1.camera());
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
    // The entry form opens holding the number the connect read.
    context.serialNumberEntry = [this](int32_t number, bool open) {
        serialNumber.showCurrentNumber(number);
        if (open) serialNumber.Open();
    };
    serialNumber.showSerialText = [this](const QString& text) {
        advanced.ui.txtSerial->setPlainText(text);
    };
    context.openFpgaForm = [this] { fpga.FPGALoaderForm_Click(); };
    const auto& ui = advanced.ui;
    fpga.setAdvancedFormLocks(QList<QWidget*>{ui.SSTab1, ui.Close_btn, ui.CommPort_combo,
                                              ui.ComPort_Set_btn, ui.FPGALoaderForm,
                                              ui.ChangeSerialNo_btn, ui.Bootloader_attention});
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
    // The advanced form's load opened the conversion file the FPGA form appends to.
    if (advanced.fpgaConversionLog()) fpga.setConversionLog(advanced.fpgaConversionLog());
}

// The desktop program: the customer front screen, the advanced form and their dialogs.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTextStream>

#include "app/Mail.h"
#include "cli/LineSetup.h"
#include "forms/FormWidgets.h"
#include "forms/Program.h"
#include "forms/WidgetDialogs.h"

int runDesktop(int argc, char** argv, const CommonOptions& c) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName("orvik3");  // the desktop entry gives the icon
    LineSetup line = setUpLine(c);
    ProgramOptions options;
    options.ports = std::move(line.ports);
    if (!c.repairCentre.isEmpty()) options.repairCentreAddress = c.repairCentre;
    options.fullEdition = c.fullEdition;

    WidgetDialogs dialogs;
    SendmailTransport mail;
    Program program(dialogs, mail, std::move(options));
    program.onExit = [] { QCoreApplication::exit(0); };
    program.start();
    openHistory(program.form1.camera(), c.history);
    LinkTrace& trace = program.form1.engine().trace();
    if (!c.traceFile.isEmpty() && !trace.start(c.traceFile)) {
        QTextStream(stderr) << "orvik3: cannot write the link log " << c.traceFile << ": "
                            << trace.errorString() << Qt::endl;
        return kExitUsage;
    }
    // The port and speed chosen on the command line, as a user would choose them on the screens.
    if (c.port != 0) {
        showInList(program.front.CommPort_combo, QString::number(c.port));
        program.front.ComPort_Set_btn->click();
    }
    if (c.speed == 19200) program.advanced.ui.Baud_19200_btn->click();
    return app.exec();
}

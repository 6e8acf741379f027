#include "cli/CommandLineUploads.h"

#include <unistd.h>

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextStream>

#include "cli/CommandLine.h"
#include "forms/Program.h"
#include "link/Packet.h"
#include "forms/SplashPanel.h"

namespace {

void fail(const QString& text) {
    QTextStream(stderr) << "Orvik 3: " << text << Qt::endl;
}

// Draws a progress bar on standard error when it is a terminal.
void showProgressOnTerminal(QProgressBar* bar, const QString& what) {
    if (!bar || !isatty(STDERR_FILENO)) return;
    QObject::connect(bar, &QProgressBar::valueChanged, bar, [bar, what](int value) {
        const int span = std::max(1, bar->maximum() - bar->minimum());
        const int percent = std::clamp(100 * (value - bar->minimum()) / span, 0, 100);
        const int filled = percent * 40 / 100;
        QTextStream(stderr) << "\r" << what << " [" << QString(filled, '#')
                            << QString(40 - filled, ' ') << "] " << percent << "%"
                            << (percent == 100 ? "\n" : "") << Qt::flush;
    });
}

bool acknowledged(const Program& p) {
    return p.state.LastReply.contains(cameraAck());
}

int splashSwitch(Program& p, QPushButton* button) {
    p.state.LastReply.clear();
    button->click();
    if (acknowledged(p)) return kExitOk;
    fail("the camera did not accept the command");
    return kExitNoAnswer;
}

int uploadSplash(Program& p, const QString& file) {
    SplashPanel* panel = p.advanced.splash;
    const camera::Outcome loaded = panel->upload().load(file);
    camera::showMessages(p.form1.engine().dialogs(), loaded);
    if (!loaded.ok) return kExitNoAnswer;
    showProgressOnTerminal(p.advanced.ui.ProgressBar1, "Splash");
    panel->ui.SendBMP_To_Camera->click();
    return panel->upload().outcome() == SplashUpload::Outcome::Loaded ? kExitOk : kExitNoAnswer;
}

int uploadFpga(Program& p, const QString& file) {
    if (!p.fpga.LoadConfigFile(file)) return kExitNoAnswer;
    showProgressOnTerminal(p.fpga.ui.ProgressBar1, "FPGA");
    p.fpga.ConfigureFPGA_btn_Click();
    return p.fpga.lastResult() == FpgaUpload::Result::Configured ? kExitOk : kExitNoAnswer;
}

int setSerial(Program& p, const QString& number) {
    p.serialNumber.Open();
    p.serialNumber.ui.txtSerialNumber->setText(number);
    p.state.LastReply.clear();
    p.serialNumber.cmdOK_Click();
    if (!p.serialNumber.ui.cmdAccept->isVisible()) return kExitUsage;  // refused, with its message
    p.serialNumber.cmdAccept_Click();
    if (acknowledged(p)) return kExitOk;
    fail("the camera did not accept the serial number");
    return kExitNoAnswer;
}

}  // namespace

UploadCommand takeUploadCommand(QStringList& args) {
    UploadCommand c;
    using K = UploadCommand::Kind;
    for (int i = 0; i < args.size(); ++i) {
        const QString word = args[i];
        if (word != "splash" && word != "fpga" && word != "serial") continue;
        const QString value = i + 1 < args.size() ? args[i + 1] : QString();
        if (value.isEmpty() || value.startsWith("--")) {
            c.error = word + " needs a value";
            return c;
        }
        if (word == "splash") {
            c.kind = value == "on"     ? K::SplashOn
                     : value == "off"  ? K::SplashOff
                     : value == "view" ? K::SplashView
                                       : K::SplashFile;
            c.file = value;
        } else if (word == "fpga") {
            c.kind = K::Fpga;
            c.file = value;
        } else {
            c.kind = K::Serial;
            c.serial = value;
        }
        args.erase(args.begin() + i, args.begin() + i + 2);
        return c;
    }
    return c;
}

QString uploadUsageText() {
    return QStringLiteral(
        "  splash FILE.bmp            upload a 320 x 240, 24-bit bitmap as the start-up picture\n"
        "  splash on|off|view         switch the custom start-up picture, or show it\n"
        "  fpga FILE.rbf              (full edition) upload an FPGA configuration\n"
        "  serial N                   (full edition) give the camera serial number N\n");
}

int runUploadCommand(Program& p, const UploadCommand& c) {
    p.front.ConnectToCamera_btn->click();
    if (p.state.StatusCommsError) return kExitNoAnswer;
    SplashPanel* panel = p.advanced.splash;
    switch (c.kind) {
        case UploadCommand::Kind::SplashFile:
            return uploadSplash(p, c.file);
        case UploadCommand::Kind::SplashOn:
            return splashSwitch(p, panel->ui.Splash_on_btn);
        case UploadCommand::Kind::SplashOff:
            return splashSwitch(p, panel->ui.Splash_off_btn);
        case UploadCommand::Kind::SplashView:
            return splashSwitch(p, panel->ui.ViewSplashOnCamera);
        case UploadCommand::Kind::Fpga:
            return uploadFpga(p, c.file);
        case UploadCommand::Kind::Serial:
            return setSerial(p, c.serial);
        case UploadCommand::Kind::None:
            break;
    }
    return kExitUsage;
}

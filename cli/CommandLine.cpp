#include "cli/CommandLine.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTextEdit>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "app/Mail.h"
#include "app/SerialPort.h"
#include "cli/CommandLinePictures.h"
#include "cli/CommandLineSettings.h"
#include "cli/CommandLineUploads.h"
#include "cli/ConsoleDialogs.h"
#include "forms/WidgetDialogs.h"
#include "forms/Program.h"
#include "link/Packet.h"
#include "link/PortDiscovery.h"
#include "sim/SimCamera.h"
#include "forms/FormWidgets.h"
#include "forms/ReportView.h"

namespace {

bool takeValue(const QStringList& args, int& i, QString& value) {
    if (i + 1 >= args.size()) return false;
    value = args[++i];
    return true;
}

const QStringList kValued = {"--port", "--speed", "--repair-centre", "--save", "--at", "--trace"};

QString parseOption(CommandLine& c, const QStringList& args, int& i) {
    const QString& a = args[i];
    QString v;
    if (a == "--simulate")
        c.simulate = true;
    else if (a == "--full-edition")
        c.fullEdition = true;
    else if (a == "--now")
        c.at = QDateTime();
    else if (a == "--help" || a == "-h")
        c.action = CommandLine::Action::Help;
    else if (!kValued.contains(a))
        return "unknown option " + a;
    else if (!takeValue(args, i, v))
        return a + " needs a value";
    else if (a == "--port") {
        int n = 0;
        QString device;
        if (PortMap::parseOption(v, n, device)) {
            c.portDevices.emplace_back(n, device);
            c.port = n;
        } else {
            bool ok = false;
            c.port = v.toInt(&ok);
            if (!ok || c.port < 1 || c.port > 4) return "--port takes 1 to 4, or N=DEVICE";
        }
    } else if (a == "--speed") {
        c.speed = v.toInt();
        if (c.speed != 115200 && c.speed != 19200) return "--speed takes 115200 or 19200";
    } else if (a == "--repair-centre")
        c.repairCentre = v;
    else if (a == "--trace")
        c.traceFile = v;
    else if (a == "--save") {
        c.saveFile = v;
        if (!v.endsWith(".txt", Qt::CaseInsensitive) && !v.endsWith(".rtf", Qt::CaseInsensitive))
            return "--save takes a .txt or .rtf file";
    } else if (a == "--at") {
        c.at = QDateTime::fromString(v, "yyyy-MM-dd HH:mm");
        if (!c.at.isValid() || c.at.date().year() < 2001 || c.at.date().year() > 2099)
            return "--at takes \"YYYY-MM-DD HH:MM\" with a year from 2001 to 2099";
    }
    return {};
}

}  // namespace

CommandLine parseCommandLine(const QStringList& args) {
    CommandLine c;
    bool actionGiven = false;
    for (int i = 0; i < args.size() && c.error.isEmpty(); ++i) {
        if (args[i].startsWith("-")) {
            c.error = parseOption(c, args, i);
            continue;
        }
        using A = CommandLine::Action;
        const A action = args[i] == "ports"      ? A::Ports
                         : args[i] == "status"   ? A::Status
                         : args[i] == "set-time" ? A::SetTime
                                                 : A::Desktop;
        if (actionGiven || action == A::Desktop) c.error = "unexpected word " + args[i];
        if (c.action != A::Help) c.action = action;
        actionGiven = true;
    }
    if (c.error.isEmpty() && !c.saveFile.isEmpty() && c.action != CommandLine::Action::Status)
        c.error = "--save belongs to the status command";
    if (c.error.isEmpty() && c.at.isValid() && c.action != CommandLine::Action::SetTime)
        c.error = "--at belongs to the set-time command";
    return c;
}

QString usageText() {
    QString text = QStringLiteral(
        "Usage: orvik3 [command] [options]\n"
        "\n"
        "Without a command the desktop program starts.\n"
        "\n"
        "Commands (run without a display):\n"
        "  ports                      list the serial ports and the devices they mean\n"
        "  status [--save FILE]       connect, print the Camera Setup Summary; --save writes\n"
        "                             it as text (FILE.txt) or rich text (FILE.rtf)\n"
        "  set-time [--now | --at \"YYYY-MM-DD HH:MM\"]\n"
        "                             connect and set the camera's clock (default: --now)\n"
        "\n"
        "Options:\n"
        "  --port N                   use port N (1 to 4)\n"
        "  --port N=DEVICE            port N means DEVICE (e.g. 1=/dev/ttyUSB0); uses it\n"
        "  --simulate                 run a simulated camera as port 1\n"
        "  --speed 115200|19200       line speed (default 115200)\n"
        "  --repair-centre ADDRESS    where \"Email report\" sends the report\n"
        "  --full-edition             offer the factory tabs and controls\n"
        "  --trace FILE               write the link log: one line per packet either way\n"
        "  --help                     this text\n"
        "\n"
        "Exit codes: 0 done, 1 the camera did not answer (or the action failed), 2 bad usage.\n");
    // The factory and picture commands go after the others.
    return text.insert(text.indexOf("\nOptions:"),
                       settingsUsageText() + pictureUsageText() + uploadUsageText());
}

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

void click(QPushButton* button) {
    button->click();
}

// Chooses the port and speed as a user would on the screens.
void applyLineChoices(Program& p, const CommandLine& c) {
    if (c.port != 0) {
        showInList(p.front.CommPort_combo, QString::number(c.port));
        click(p.front.ComPort_Set_btn);
    }
    if (c.speed == 19200) click(p.advanced.ui.Baud_19200_btn);
}

int listPorts(Program& p) {
    out() << portMapDescription(p.form1.ports(), true) << Qt::endl;
    out() << "Port list: " << portListEntries(p.state.PortPresent).join(", ") << Qt::endl;
    return kExitOk;
}

bool connectToCamera(Program& p) {
    click(p.front.ConnectToCamera_btn);
    return !p.state.StatusCommsError;
}

int readStatus(Program& p, ConsoleDialogs& dialogs, const CommandLine& c) {
    if (!connectToCamera(p)) return kExitNoAnswer;
    QString report = boxText(p.advanced.ui.RichTextBox1);
    out() << report.replace("\r\n", "\n") << Qt::flush;
    if (c.saveFile.isEmpty()) return kExitOk;
    const bool rtf = c.saveFile.endsWith(".rtf", Qt::CaseInsensitive);
    dialogs.files.push_back({c.saveFile, rtf ? 2 : 1});
    const int before = dialogs.messages;
    // "Save Report" unlocks only after "Get report"; the connect has just read the same report.
    p.advanced.cmdSaveReport_Click();
    return dialogs.messages == before ? kExitOk : kExitNoAnswer;
}

int setTime(Program& p, const CommandLine& c) {
    if (!connectToCamera(p)) return kExitNoAnswer;
    click(p.front.TimeDate_btn);
    if (c.at.isValid()) {
        click(p.front.EditTimeAndDate_btn);
        selectClock(p.front.timeLists(),
                    {c.at.time().hour(), c.at.time().minute(), c.at.date().day(),
                     c.at.date().month(), c.at.date().year()});
    } else {
        click(p.front.GetCus_Time);
    }
    p.state.LastReply.clear();
    click(p.front.CustomerSetTime);
    if (p.state.LastReply.contains(cameraAck())) return kExitOk;
    QTextStream(stderr) << "Orvik 3: the camera did not accept the time and date" << Qt::endl;
    return kExitNoAnswer;
}

// Without a display, Qt's own chatter (no runtime folder, offscreen window hints) would mix with
// the forms' messages on standard error; only its real failures are kept.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) QTextStream(stderr) << text << Qt::endl;
}

std::unique_ptr<camsim::SimCamera> startSimulation(const CommandLine& c, PortMap& map) {
    camsim::Options o;
    o.baud = c.speed;
    o.paced = true;
    auto camera = std::make_unique<camsim::SimCamera>(o);
    const QString device = QString::fromStdString(camera->devicePath());
    if (map.device(1).isEmpty())
        map.assign(1, device);
    else
        map.append(device);
    return camera;
}

}  // namespace

int runProgram(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const SettingsCommand settings = takeSettingsCommand(args);  // console, start-values
    const UploadCommand upload = takeUploadCommand(args);
    QString pictureError;
    const std::optional<PictureCommand> picture = takePictureCommand(args, pictureError);
    CommandLine c = parseCommandLine(args);
    if (c.error.isEmpty()) c.error = settings.error;
    if (c.error.isEmpty()) c.error = pictureError;
    if (c.error.isEmpty()) c.error = upload.error;
    const bool otherAction =
        settings.given() || upload.given() ||
        (c.action != CommandLine::Action::Desktop && c.action != CommandLine::Action::Help);
    if (c.error.isEmpty() && picture && otherAction) c.error = "one command at a time";
    if (!c.error.isEmpty()) {
        QTextStream(stderr) << "orvik3: " << c.error << "\n\n" << usageText();
        return kExitUsage;
    }
    if (c.action == CommandLine::Action::Help) {
        out() << usageText() << Qt::flush;
        return kExitOk;
    }
    const bool desktop = c.action == CommandLine::Action::Desktop && !settings.given() &&
                         !picture && !upload.given();
    if (!desktop) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtMessages);
    }
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName("orvik3");  // the desktop entry gives the icon

    ProgramOptions options;
    for (const auto& [n, device] : c.portDevices) options.ports.assign(n, device);
    std::unique_ptr<camsim::SimCamera> camera;
    if (c.simulate) camera = startSimulation(c, options.ports);
    for (const QString& device : PortMap::scanDevices()) options.ports.append(device);
    if (!c.repairCentre.isEmpty()) options.repairCentreAddress = c.repairCentre;
    options.fullEdition = c.fullEdition || settings.given() || upload.factory();

    ConsoleDialogs console;
    WidgetDialogs widgets;
    Dialogs& dialogs = desktop ? static_cast<Dialogs&>(widgets) : console;
    SendmailTransport mail;
    Program program(dialogs, mail, std::move(options));
    program.onExit = [] { QCoreApplication::exit(0); };
    program.start();
    LinkTrace& trace = program.form1.engine().trace();
    if (!c.traceFile.isEmpty() && !trace.open(c.traceFile)) {
        QTextStream(stderr) << "orvik3: cannot write the link log " << c.traceFile << ": "
                            << trace.errorString() << Qt::endl;
        return kExitUsage;
    }
    if (!desktop)
        program.indicator.healthLine = [](const QString& line) {
            QTextStream(stderr) << line << Qt::endl;
        };
    applyLineChoices(program, c);
    if (settings.given()) return runSettingsCommand(program, settings);
    if (upload.given()) return runUploadCommand(program, upload);
    if (picture) return runPictureCommand(program, console, *picture);
    switch (c.action) {
        case CommandLine::Action::Ports:
            return listPorts(program);
        case CommandLine::Action::Status:
            return readStatus(program, console, c);
        case CommandLine::Action::SetTime:
            return setTime(program, c);
        default:
            return app.exec();
    }
}

// One run of the program: parse, then the desktop program or one command on the camera
// operations, without a window.
#include <QCoreApplication>
#include <QJsonDocument>
#include <QTextStream>

#include "app/SharedState.h"
#include "app/Version.h"
#include "camera/Camera.h"
#include "camera/Connection.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleDialogs.h"
#include "cli/LineSetup.h"
#include "cli/StopSignals.h"

namespace {

int runAction(CliRun& run, const Invocation& c) {
    using A = Invocation::Action;
    switch (c.action) {
        case A::Ports:
            return runPorts(run);
        case A::Status:
            return runStatus(run, c.saveFile);
        case A::SetTime:
            return runSetTime(run, c.at);
        case A::Settings:
            return runSettingsCommand(run, c.settings);
        case A::Picture:
            return runPictureCommand(run, c.picture);
        case A::Upload:
            return runUploadCommand(run, c.upload);
        case A::CheckLine:
            return runCheckLine(run, c.lineCheck);
        default:
            return kExitUsage;
    }
}

// Only `ports` looks at every port; a command probes just the port it uses, and the line check
// none (its own steps open the device).
int portsToProbe(const Invocation& c) {
    if (c.action == Invocation::Action::Ports) return camera::kProbeAll;
    if (c.action == Invocation::Action::CheckLine) return camera::kProbeNone;
    return usedPort(c.common);
}

int runCommand(const Invocation& c) {
    QTextStream out(stdout), err(stderr);
    LineSetup line = setUpLine(c.common, c.action == Invocation::Action::Ports);
    ConsoleDialogs dialogs;
    SharedState state;
    state.CustomerScreenLoaded = true;  // the command line stands where the front screen does
    camera::Camera camera(state, dialogs, std::move(line.ports));
    camera::showMessages(dialogs, camera::startLink(camera, portsToProbe(c)));

    LinkTrace& trace = camera.engine().trace();
    if (!c.common.traceFile.isEmpty() && !trace.start(c.common.traceFile)) {
        err << "orvik3: cannot write the link log " << c.common.traceFile << ": "
            << trace.errorString() << Qt::endl;
        return kExitUsage;
    }
    // The port and speed chosen, as "Set" and the speed buttons choose them.
    if (c.common.port != 0) camera::choosePort(camera, c.common.port);
    if (c.common.speed == 19200) camera::chooseSpeed(camera, 19200);
    openHistory(camera, c.common.history);
    // With --json the object takes the place of the text on standard output.
    QString replacedText;
    QTextStream textOut(&replacedText);
    CliRun run{camera, c.common, c.common.json ? textOut : out, err, {}, {}};
    run.connect = [&run] { return connectCamera(run); };

    const StopSignals stops;
    const int code = runAction(run, c);
    if (const int stopped = StopSignals::exitCode()) {
        err << "Orvik 3: stopped by " << (stopped == 130 ? "Ctrl-C" : "SIGTERM") << Qt::endl;
        return stopped;
    }
    if (c.common.json) out << QJsonDocument(run.json).toJson() << Qt::flush;
    return code;
}

}  // namespace

int runProgram(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const Invocation c = parseCommandLine(args);
    if (!c.error.isEmpty()) {
        QTextStream(stderr) << "orvik3: " << c.error << "\n\n" << usageText();
        return kExitUsage;
    }
    if (c.action == Invocation::Action::Version) {
        QTextStream(stdout) << "orvik3 " << kProgramVersion << Qt::endl;
        return kExitOk;
    }
    if (c.action == Invocation::Action::Help) {
        QTextStream(stdout) << usageText() << Qt::flush;
        return kExitOk;
    }
    if (c.action == Invocation::Action::Desktop) return runDesktop(argc, argv, c.common);
    QCoreApplication app(argc, argv);
    if (c.action == Invocation::Action::History) {
        QTextStream out(stdout), err(stderr);
        return runHistory(c.common, c.historyCamera, out, err);
    }
    return runCommand(c);
}

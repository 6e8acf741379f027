// The commands that read the camera's status or set its clock, and the connect every camera
// command starts with.
#include <QTextStream>

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Clock.h"
#include "camera/Connection.h"
#include "camera/Report.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "link/PortDiscovery.h"

namespace {

// A camera at the other speed hears only noise and answers nothing, as does one switched off.
QString silentCameraHint(int speed) {
    const int other = speed == 19200 ? 115200 : 19200;
    return QString(
               "\nNothing came back from the camera. Check the cable, that the camera is "
               "switched on, and the speed: a camera set to %1 baud does not answer at %2 (try "
               "--speed %1).")
        .arg(other)
        .arg(speed);
}

}  // namespace

camera::StatusRead connectAndRead(CliRun& run) {
    camera::StatusRead read = camera::readStatusOnPort(run.camera, run.options.port, true);
    if (read.silent && !read.outcome.messages.empty())
        read.outcome.messages.back().text += silentCameraHint(run.options.speed);
    camera::showMessages(run.camera.dialogs(), read.outcome);
    return read;
}

bool connectCamera(CliRun& run) {
    connectAndRead(run);
    return !run.camera.state().StatusCommsError;
}

int runPorts(CliRun& run) {
    const std::vector<PortReport> reports = portMapReports(run.camera.ports(), true);
    run.out << portMapDescription(reports) << Qt::endl;
    run.out << "Port list: "
            << portListDescription(run.camera.ports(), run.camera.state().PortPresent) << Qt::endl;
    run.json = portsJson(reports, portListEntries(run.camera.state().PortPresent));
    return kExitOk;
}

int runStatus(CliRun& run, const QString& saveFile) {
    const camera::StatusRead read = connectAndRead(run);
    if (run.camera.state().StatusCommsError) return kExitNoAnswer;
    run.json = statusJson(read);
    QString shown = read.report;
    run.out << shown.replace("\r\n", "\n") << Qt::flush;
    if (saveFile.isEmpty()) return kExitOk;
    const bool rtf = saveFile.endsWith(".rtf", Qt::CaseInsensitive);
    const camera::Outcome saved =
        camera::saveReport(run.camera, saveFile, rtf ? camera::RichTextFilter : camera::TextFilter,
                           camera::reportOutput(read.report, QString()));
    camera::showMessages(run.camera.dialogs(), saved);
    return saved.ok ? kExitOk : kExitNoAnswer;
}

int runSetTime(CliRun& run, const QDateTime& at) {
    if (!run.connect()) return kExitNoAnswer;
    const ClockValues clock = at.isValid() ? clockValuesAt(at) : camera::takePcClock(run.camera);
    run.camera.state().LastReply.clear();
    const bool accepted = camera::sendTimeDate(run.camera, clock);
    run.json = clockJson(clock, accepted);
    if (accepted) return kExitOk;
    run.err << "Orvik 3: the camera did not accept the time and date" << Qt::endl;
    return kExitNoAnswer;
}

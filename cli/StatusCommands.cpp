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

camera::StatusRead connectAndRead(CliRun& run) {
    camera::Camera& c = run.camera;
    camera::StatusRead read =
        camera::readStatus(c, camera::portChoiceText(c, run.options.port), true);
    camera::showMessages(c.dialogs(), read.outcome);
    return read;
}

bool connectCamera(CliRun& run) {
    connectAndRead(run);
    return !run.camera.state().StatusCommsError;
}

int runPorts(CliRun& run) {
    run.out << portMapDescription(run.camera.ports(), true) << Qt::endl;
    const QStringList entries = portListEntries(run.camera.state().PortPresent);
    run.out << "Port list: " << entries.join(", ") << Qt::endl;
    run.json = portsJson(portMapReports(run.camera.ports()), entries);  // probed just now
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

// check-line: the line check on the camera operations, one line per step as it ends.
#include <QTextStream>

#include "camera/LineCheck.h"
#include "cli/Commands.h"
#include "cli/LineSetup.h"

namespace {

// "Camera       PROBLEM  the camera answers at 19200: use --speed 19200"
QString stepLine(const camera::LineStep& step) {
    return QString("%1 %2 %3")
        .arg(camera::lineStepTitle(step.name), -12)
        .arg(camera::lineStepVerdict(step), -7)
        .arg(step.detail);
}

class StepPrinter : public camera::LineCheckObserver {
  public:
    explicit StepPrinter(QTextStream& out) : out_(out) {}
    void stepDone(const camera::LineStep& step) override { out_ << stepLine(step) << Qt::endl; }

  private:
    QTextStream& out_;
};

}  // namespace

int runCheckLine(CliRun& run, const LineCheckCommand& command) {
    StepPrinter printer(run.out);
    const camera::LineCheckResult result = camera::checkLine(
        run.camera, {usedPort(run.options), command.count, command.loopback}, &printer);
    run.json = camera::lineCheckJson(result);
    if (result.ok()) {
        run.out << "Line check: every step passed" << Qt::endl;
        return kExitOk;
    }
    run.out << "Line check: " << camera::lineStepTitle(result.steps.back().name)
            << " found a problem" << Qt::endl;
    return kExitNoAnswer;
}

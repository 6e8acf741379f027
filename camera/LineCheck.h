#pragma once
// The line check a service engineer runs first when the program cannot talk to a camera: it
// tells the adapter, the permission, another program, the speed, the cable and the camera apart.
// Each step ends with a verdict and what to do; a step the later ones cannot get past ends it.

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <vector>

namespace camera {

class Camera;

struct LineStep {
    QString name;  // device, permission, free, low_latency, camera, quality, loopback
    bool ok = true;
    bool note = false;    // passed, with something the user should know (low latency refused)
    QString detail;       // what was found and, when it failed, what to do
    QJsonObject figures;  // what --json adds to the step
};

struct LineCheckRequest {
    int port = 1;
    int count = 20;         // status requests of the quality step
    bool loopback = false;  // a loopback plug instead of the camera
};

struct LineCheckResult {
    std::vector<LineStep> steps;  // the steps run, in order
    bool ok() const;
};

// Hears the check as it runs, for a window or a progress line.
class LineCheckObserver {
  public:
    virtual ~LineCheckObserver() = default;
    virtual void stepStarted(const QString& /*name*/) {}
    virtual void stepDone(const LineStep& /*step*/) {}
    virtual void stepProgress(int /*done*/, int /*total*/) {}
};

// The steps a check runs when none fails, in order.
QStringList lineCheckSteps(bool loopback);
QString lineStepTitle(const QString& name);     // "Low latency"
QString lineStepVerdict(const LineStep& step);  // "passed", "note" or "PROBLEM"

// Runs the check on the port; the port is closed and the chosen speed set again afterwards. The
// service history records the check, its verdict and the camera it found.
LineCheckResult checkLine(Camera& camera, const LineCheckRequest& request,
                          LineCheckObserver* observer = nullptr);

// {"ok": ..., "steps": [{"name", "ok", "detail", figures...}]}
QJsonObject lineCheckJson(const LineCheckResult& result);

}  // namespace camera

#include "camera/LineCheck.h"

#include <QHash>
#include <QJsonArray>

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/LineCheckSteps.h"
#include "camera/Recording.h"
#include "link/CommsEngine.h"
#include "link/PortDiscovery.h"

namespace camera {

namespace {

// While the check runs only its port counts as there, so the status request takes that port
// and no other; the ports found before come back afterwards.
class OnlyPort {
  public:
    OnlyPort(SharedState& s, int n) : s_(s), saved_(s.PortPresent) {
        s_.PortPresent.fill(false);
        if (n >= 1 && n <= kProbedPorts) s_.PortPresent[n - 1] = true;
    }
    ~OnlyPort() { s_.PortPresent = saved_; }

  private:
    SharedState& s_;
    PortFlags saved_;
};

class StepRunner {
  public:
    StepRunner(LineCheckResult& result, LineCheckObserver* observer)
        : result_(result), observer_(observer) {}

    // False when the step failed: the steps after it cannot get past.
    template <typename Step>
    bool run(const QString& name, Step step) {
        if (observer_) observer_->stepStarted(name);
        LineStep done = step();
        done.name = name;
        result_.steps.push_back(done);
        if (observer_) observer_->stepDone(done);
        return done.ok;
    }

  private:
    LineCheckResult& result_;
    LineCheckObserver* observer_;
};

}  // namespace

bool LineCheckResult::ok() const {
    for (const LineStep& step : steps)
        if (!step.ok) return false;
    return !steps.empty();
}

QStringList lineCheckSteps(bool loopback) {
    QStringList steps{"device", "permission", "free", "low_latency"};
    return steps + (loopback ? QStringList{"loopback"} : QStringList{"camera", "quality"});
}

QString lineStepTitle(const QString& name) {
    static const QHash<QString, QString> titles = {
        {"device", "Device"},           {"permission", "Permission"}, {"free", "Free"},
        {"low_latency", "Low latency"}, {"camera", "Camera"},         {"quality", "Line quality"},
        {"loopback", "Loopback"}};
    return titles.value(name, name);
}

QString lineStepVerdict(const LineStep& step) {
    return !step.ok ? QString("PROBLEM") : step.note ? QString("note") : QString("passed");
}

LineCheckResult checkLine(Camera& c, const LineCheckRequest& request, LineCheckObserver* observer) {
    Recording recording(c);
    const CommsEngine::BusyScope busy(c.engine());
    OnlyPort only(c.state(), request.port);
    LineCheckResult result;
    StepRunner steps(result, observer);
    const int n = request.port;
    bool lowLatency = false;
    const bool reached = steps.run("device", [&] { return deviceStep(c, n); }) &&
                         steps.run("permission", [&] { return permissionStep(c, n); }) &&
                         steps.run("free", [&] { return freeStep(c, n, lowLatency); }) &&
                         steps.run("low_latency", [&] { return lowLatencyStep(lowLatency); });
    if (reached && request.loopback)
        steps.run("loopback", [&] { return loopbackStep(c, n, observer); });
    else if (reached && steps.run("camera", [&] { return cameraStep(c, n); }))
        steps.run("quality", [&] { return qualityStep(c, n, request.count, observer); });
    recordEvent(c, "line_check", result.ok(), lineCheckJson(result));
    return result;
}

QJsonObject lineCheckJson(const LineCheckResult& result) {
    QJsonArray steps;
    for (const LineStep& step : result.steps) {
        QJsonObject o{{"name", step.name}, {"ok", step.ok}, {"detail", step.detail}};
        for (auto it = step.figures.begin(); it != step.figures.end(); ++it)
            o[it.key()] = it.value();
        steps.append(o);
    }
    return {{"ok", result.ok()}, {"steps", steps}};
}

}  // namespace camera

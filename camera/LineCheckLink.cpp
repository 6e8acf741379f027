// The line check's steps on the link: the camera at either speed, the line's quality over a run
// of status requests, and a loopback plug's echo at both speeds.
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "app/SerialPort.h"
#include "app/Wait.h"
#include "camera/Camera.h"
#include "camera/Connection.h"
#include "camera/LineCheckSteps.h"
#include "camera/Recording.h"
#include "link/CommsEngine.h"

namespace camera {

namespace {

// Closes the port when a step is done with it.
class PortClosed {
  public:
    explicit PortClosed(SerialPort& port) : port_(port) {}
    ~PortClosed() {
        try {
            if (port_.portOpen()) port_.setPortOpen(false);
        } catch (const CommError&) {
        }
    }

  private:
    SerialPort& port_;
};

int chosenSpeed(Camera& c) {
    return baudFromSettings(c.engine().port().settings());
}

int otherSpeed(int baud) {
    return baud == 19200 ? 115200 : 19200;
}

StatusReply askOnce(Camera& c, int n) {
    PortClosed closed(c.engine().port());
    return requestStatus(c, portChoiceText(c, n));
}

LineStep cameraFound(Camera& c, const StatusReply& reply, int baud, bool ok) {
    recordStatus(c, reply.block, reply.record);  // the history learns which camera it is
    LineStep step;
    step.ok = ok;
    const StatusRecord& r = *reply.record;
    const QString serial =
        r.SerialNumberInBlock ? QString::number(r.StatusSerialNumber) : QString("none");
    step.figures = {{"speed", baud}, {"serial_number", serial}, {"firmware", r.MicroVersionText}};
    step.detail = ok ? QString("the camera answers at %1: serial number %2, firmware %3")
                           .arg(baud)
                           .arg(serial, r.MicroVersionText)
                     : QString("the camera answers at %1: use --speed %1").arg(baud);
    return step;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double slowest(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

double tenths(double ms) {
    return std::round(ms * 10) / 10;
}

struct Tally {
    int first = 0, again = 0, damaged = 0, timeouts = 0;
    std::vector<double> replyMs;

    void add(const StatusReply& reply, int asks, double ms) {
        if (reply.record) replyMs.push_back(ms);
        if (asks > 0) ++again;
        damaged += asks + (!reply.record && !reply.silent ? 1 : 0);
        if (reply.record && asks == 0) ++first;
        if (!reply.record && reply.silent) ++timeouts;
    }
};

QString qualityText(const Tally& t, int count) {
    const QString times = QString("median reply %1 ms, slowest %2 ms")
                              .arg(tenths(median(t.replyMs)))
                              .arg(tenths(slowest(t.replyMs)));
    if (t.first == count)
        return QString("clean: all %1 requests answered first time, %2").arg(count).arg(times);
    return QString(
               "noisy: %1 of %2 requests answered first time, %3 asked again, %4 damaged "
               "replies, %5 timed out, %6: check the cable and its screen")
        .arg(t.first)
        .arg(count)
        .arg(t.again)
        .arg(t.damaged)
        .arg(t.timeouts)
        .arg(times);
}

struct Echo {
    int sent = 0, back = 0, changed = 0;
};

// Every byte value once at `baud`, and what came back within twice its time on the wire.
Echo echoAt(Camera& c, int n, int baud) {
    SerialPort& port = c.engine().port();
    PortClosed closed(port);
    chooseSpeed(c, baud);
    QByteArray sent(256, '\0');
    for (int i = 0; i < 256; ++i) sent[i] = char(i);
    Echo echo;
    echo.sent = int(sent.size());
    QByteArray back;
    try {
        port.setCommPort(n);
        port.setPortOpen(true);
        port.output(sent);
        QTimer& guard = c.engine().timer1();
        guard.start(2 * sent.size() * 10 * 1000 / baud + c.engine().timing().packetIdleMs);
        waitWhile(guard, [&] {
            back += port.input();
            return back.size() >= sent.size();
        });
        guard.stop();
    } catch (const CommError&) {
    }
    echo.back = int(std::min(back.size(), sent.size()));
    for (int i = 0; i < echo.back; ++i) echo.changed += back[i] != sent[i] ? 1 : 0;
    c.engine().trace().event(QString("loopback at %1: %2 bytes sent, %3 back, %4 changed")
                                 .arg(baud)
                                 .arg(echo.sent)
                                 .arg(echo.back)
                                 .arg(echo.changed));
    return echo;
}

}  // namespace

LineStep cameraStep(Camera& c, int n) {
    const int chosen = chosenSpeed(c);
    StatusReply reply = askOnce(c, n);
    if (reply.record) return cameraFound(c, reply, chosen, true);
    chooseSpeed(c, otherSpeed(chosen));
    reply = askOnce(c, n);
    chooseSpeed(c, chosen);
    if (reply.record) return cameraFound(c, reply, otherSpeed(chosen), false);
    LineStep step;
    step.ok = false;
    step.detail = QString(
                      "no answer at %1 or at %2: check that the camera is switched on and "
                      "charged, that the cable is firmly in at both ends, and the adapter and "
                      "cable with a loopback plug (check-line --loopback)")
                      .arg(chosen)
                      .arg(otherSpeed(chosen));
    return step;
}

LineStep qualityStep(Camera& c, int n, int count, LineCheckObserver* observer) {
    PortClosed closed(c.engine().port());
    const QString text = portChoiceText(c, n);
    Tally tally;
    for (int i = 1; i <= count && !stopRequested(); ++i) {
        const int asked = c.engine().askedAgain();
        QElapsedTimer timer;
        timer.start();
        const StatusReply reply = requestStatus(c, text);
        tally.add(reply, c.engine().askedAgain() - asked, timer.nsecsElapsed() / 1e6);
        if (observer) observer->stepProgress(i, count);
    }
    LineStep step;
    step.ok = tally.first == count;
    step.detail = qualityText(tally, count);
    step.figures = {{"requests", count},
                    {"answered_first_time", tally.first},
                    {"asked_again", tally.again},
                    {"damaged", tally.damaged},
                    {"timeouts", tally.timeouts},
                    {"median_reply_ms", tenths(median(tally.replyMs))},
                    {"slowest_reply_ms", tenths(slowest(tally.replyMs))}};
    return step;
}

LineStep loopbackStep(Camera& c, int n, LineCheckObserver* observer) {
    const int chosen = chosenSpeed(c);
    Echo total;
    int done = 0;
    for (const int baud : {115200, 19200}) {
        const Echo e = echoAt(c, n, baud);
        total.sent += e.sent;
        total.back += e.back;
        total.changed += e.changed;
        if (observer) observer->stepProgress(++done, 2);
    }
    chooseSpeed(c, chosen);
    LineStep step;
    step.ok = total.back == total.sent && total.changed == 0;
    step.figures = {
        {"bytes_sent", total.sent}, {"bytes_back", total.back}, {"bytes_changed", total.changed}};
    step.detail = step.ok
                      ? QString(
                            "all %1 bytes came back unchanged at 115200 and 19200: the adapter and "
                            "cable are sound, so a camera that does not answer is at fault")
                            .arg(total.sent)
                      : QString(
                            "%1 of %2 bytes came back, %3 changed: the adapter or the cable is "
                            "faulty (check the loopback plug too)")
                            .arg(total.back)
                            .arg(total.sent)
                            .arg(total.changed);
    return step;
}

}  // namespace camera

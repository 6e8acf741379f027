// The port's steps of the line check: what the device is, whether this user may open it,
// whether another program holds it, and whether its driver takes low-latency mode.
#include "camera/LineCheckSteps.h"

#include <QStringList>

#include "app/DeviceHolder.h"
#include "app/SerialDevice.h"
#include "app/SerialPort.h"
#include "camera/Camera.h"
#include "link/PortDiscovery.h"

namespace camera {

namespace {

LineStep failed(const QString& detail, QJsonObject figures = {}) {
    LineStep step;
    step.ok = false;
    step.detail = detail;
    step.figures = std::move(figures);
    return step;
}

QString deviceText(int n, const SerialDeviceFacts& f) {
    QString text = QString("port %1 is %2").arg(n).arg(f.device);
    QStringList details;
    if (f.node != f.device) details << f.node;
    if (!f.byIdName.isEmpty() && f.byIdName != f.device) details << f.byIdName;
    if (!f.description.isEmpty()) details << f.description;
    if (!f.serialNumber.isEmpty()) details << "serial number " + f.serialNumber;
    if (!f.driver.isEmpty()) details << "driver " + f.driver;
    return details.isEmpty() ? text : text + " (" + details.join(", ") + ")";
}

}  // namespace

LineStep deviceStep(Camera& c, int n) {
    const QString device = c.ports().device(n);
    if (device.isEmpty()) return failed(noDeviceText(c.ports(), n), {{"port", n}});
    const SerialDeviceFacts f = serialDeviceFacts(device);
    QJsonObject figures{{"port", n},
                        {"device", device},
                        {"node", f.node},
                        {"by_id", f.byIdName},
                        {"description", f.description},
                        {"serial_number", f.serialNumber},
                        {"driver", f.driver}};
    if (!f.exists())
        return failed(QString("%1 does not exist: check its name, and that the adapter is "
                              "plugged in (orvik3 ports lists the devices there are)")
                          .arg(device),
                      figures);
    LineStep step;
    step.detail = deviceText(n, f);
    step.figures = figures;
    return step;
}

LineStep permissionStep(Camera& c, int n) {
    const SerialDeviceFacts f = serialDeviceFacts(c.ports().device(n));
    const DeviceAccess access = deviceAccess(f.node);
    const QString group = access.group.isEmpty() ? QString("dialout") : access.group;
    if (access.allowed) {
        LineStep step;
        step.detail = "you may open " + f.node;
        return step;
    }
    return failed(QString("you may not open %1; its group %2 may. Run: sudo usermod -aG %2 "
                          "$USER, then log in again")
                      .arg(f.node, group),
                  {{"group", group}});
}

LineStep freeStep(Camera& c, int n, bool& lowLatency) {
    const QString device = c.ports().device(n);
    if (const QString holder = deviceHolder(device); !holder.isEmpty())
        return failed(QString("%1 is in use by %2: close that program").arg(device, holder),
                      {{"holder", holder}});
    QtSerialPort trial(c.ports());
    try {
        trial.setCommPort(n);
        trial.setPortOpen(true);
    } catch (const CommError& e) {
        const QString why = e.detail().isEmpty() ? e.text() : e.detail();
        return failed(why + ": close the program that uses it");
    }
    lowLatency = trial.lowLatency();
    trial.setPortOpen(false);
    LineStep step;
    step.detail = "no other program holds " + device;
    return step;
}

LineStep lowLatencyStep(bool lowLatency) {
    LineStep step;  // a note, never a failure: the line works, only slower
    step.note = !lowLatency;
    step.detail = lowLatency ? QString("on")
                             : QString(
                                   "refused by the driver: picture transfers take about four "
                                   "times as long");
    step.figures = {{"on", lowLatency}};
    return step;
}

}  // namespace camera

#include "link/PortDiscovery.h"

#include <map>

#include "app/Dialogs.h"
#include "app/PortMap.h"
#include "app/SerialDevice.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "link/CommandTable.h"

namespace {

// What the driver said the last time this program probed each device, for the port frame, which
// is filled after the probes. Everything runs on the one user-interface thread.
std::map<QString, PortReport>& lastProbes() {
    static std::map<QString, PortReport> probes;
    return probes;
}

}  // namespace

PortReport DescribePort(const PortMap& map, int n) {
    PortReport r;
    r.number = n;
    r.device = map.device(n);
    // From sysfs: asking the serial port library would walk every terminal of the machine.
    const SerialDeviceFacts facts = serialDeviceFacts(r.device);
    if (facts.node != r.device) r.systemDevice = facts.node;
    r.description = facts.description;
    r.serialNumber = facts.serialNumber;
    return r;
}

PortReport ProbePort(const PortMap& map, int n) {
    PortReport r = DescribePort(map, n);
    r.probed = true;
    if (r.device.isEmpty()) return r;
    QtSerialPort probe(map);
    try {
        probe.setCommPort(n);
        probe.setPortOpen(true);
    } catch (const CommError& e) {
        if (e.number() == CommError::kPermissionDenied) r.problem = e.text();
        lastProbes()[r.device] = r;
        return r;
    }
    r.opened = true;
    r.lowLatency = probe.lowLatency();
    r.present = !probe.ctsAndDsrOnly();
    probe.setPortOpen(false);
    lastProbes()[r.device] = r;
    return r;
}

QString portReportText(const PortReport& r, bool withProbe) {
    QString text = QString("%1 = %2").arg(r.number).arg(r.device);
    if (withProbe && r.opened)
        text += QString("  (%1, low latency: %2)")
                    .arg(r.present ? "present" : "not usable", r.lowLatency ? "yes" : "no");
    else if (withProbe)
        text += r.problem.isEmpty() ? "  (does not open)" : "  (permission denied)";
    QStringList details;
    if (!r.systemDevice.isEmpty()) details << r.systemDevice;
    if (!r.description.isEmpty()) details << r.description;
    if (!r.serialNumber.isEmpty()) details << "serial number " + r.serialNumber;
    if (!details.isEmpty()) text += "\n    " + details.join(", ");
    return text;
}

bool ComPortDetect(const PortMap& map, int n, QString* problem) {
    const PortReport r = ProbePort(map, n);
    if (!r.problem.isEmpty() && problem) *problem = r.problem;
    return r.present;
}

QStringList DetectPorts(SharedState& s, const PortMap& map, int only) {
    s.PortPresent.fill(false);
    QStringList problems;
    for (int n = 1; n <= kProbedPorts; ++n) {
        if (only != 0 && n != only) continue;
        QString problem;
        s.PortPresent[n - 1] = ComPortDetect(map, n, &problem);
        if (!problem.isEmpty()) problems << problem;
    }
    return problems;
}

QStringList portListEntries(const PortFlags& present) {
    const bool first4 = present[0] && present[1] && present[2] && present[3];
    if (first4) return {"1", "2", "3", "4"};
    return {"1", "2"};
}

std::vector<PortReport> portMapReports(const PortMap& map, bool probeTheRest) {
    std::vector<PortReport> reports;
    for (const auto& [n, device] : map.entries()) {
        const auto probed = lastProbes().find(device);
        PortReport r = probed != lastProbes().end() ? probed->second
                       : probeTheRest               ? ProbePort(map, n)
                                                    : DescribePort(map, n);
        r.number = n;  // one device may stand under two numbers
        reports.push_back(r);
    }
    return reports;
}

QString portMapDescription(const PortMap& map, bool probeTheRest) {
    return portMapDescription(portMapReports(map, probeTheRest));
}

QString portMapDescription(const std::vector<PortReport>& reports) {
    QStringList lines;
    for (const PortReport& r : reports) lines << portReportText(r, r.probed);
    return lines.isEmpty() ? QStringLiteral("No serial device found") : lines.join('\n');
}

void ApplyPortChoice(SerialPort& port, Dialogs& dialogs, const QString& text) {
    const long long n = textValue(text);
    if (n < 1 || n > 4) return;
    try {
        port.setCommPort(static_cast<int>(n));
    } catch (const CommError& e) {
        if (e.number() != CommError::kPortAlreadyOpen) return;
        dialogs.message(kPortAlreadyOpenText, "Orvik 3: Error", MsgIcon::Exclamation);
        port.setPortOpen(false);
    }
}

std::optional<int> statusRequestPort(const PortFlags& present, const QString& text, bool* noPort) {
    if (noPort) *noPort = false;
    const long long n = textValue(text);
    // Ports 3 and 4 are offered (and set) only when they are there; reading them must work too.
    if ((n == 3 || n == 4) && present[n - 1]) return static_cast<int>(n);
    if (present[0]) {
        if (n == 1) return 1;
        if (n == 2) return present[1] ? 2 : 1;
        return std::nullopt;
    }
    if (!present[1]) {
        if (noPort) *noPort = true;
        return std::nullopt;
    }
    return n == 2 ? 2 : 1;
}

void OpenPortForStatusRequest(SerialPort& port, Dialogs& dialogs, const PortFlags& present,
                              const QString& text) {
    if (port.portOpen()) return;
    bool noPort = false;
    const std::optional<int> chosen = statusRequestPort(present, text, &noPort);
    if (noPort)
        dialogs.message("Comm port error, can not select 2", "Orvik 3", MsgIcon::Exclamation);
    if (!chosen) return;
    port.setCommPort(*chosen);
    port.setPortOpen(true);
}

QString settingsForSpeed(int baud) {
    return QString("%1,N,8,1").arg(baud);
}

QString portErrorText(const CommError& e) {
    switch (e.number()) {
        case CommError::kPortAlreadyOpen:
            return e.detail().isEmpty() ? kPortAlreadyOpenText
                                        : kPortAlreadyOpenText + "\r\n\r\n" + e.detail();
        case CommError::kPermissionDenied:
        case CommError::kNoSuchDevice:
            return e.text();
        default:
            return {};
    }
}

QString noDeviceText(const PortMap& map, int n) {
    QStringList there;
    for (const auto& [number, device] : map.entries())
        there << QString("%1 = %2").arg(number).arg(device);
    const QString text = QString("Port %1 means no serial device. ").arg(n);
    return text + (there.isEmpty() ? QString("No serial device was found.")
                                   : "The ports there are: " + there.join(", ") + ".");
}

QString portListDescription(const PortMap& map, const PortFlags& present) {
    QStringList entries;
    for (const QString& entry : portListEntries(present)) {
        const PortReport r = DescribePort(map, int(textValue(entry)));
        QString text = entry + " = " + (r.device.isEmpty() ? QString("no device") : r.device);
        if (!r.description.isEmpty()) text += " (" + r.description + ")";
        entries << text;
    }
    return entries.join(", ");
}

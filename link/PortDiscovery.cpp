#include "link/PortDiscovery.h"

#include "app/Dialogs.h"
#include "app/PortMap.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "link/CommandTable.h"

bool ComPortDetect(const PortMap& map, int n, QString* problem) {
    if (map.device(n).isEmpty()) return false;
    QtSerialPort probe(map);
    try {
        probe.setCommPort(n);
        probe.setPortOpen(true);
    } catch (const CommError& e) {
        if (e.number() == CommError::kPermissionDenied && problem) *problem = e.text();
        return false;
    }
    const bool busyLines = probe.ctsAndDsrOnly();
    probe.setPortOpen(false);
    return !busyLines;
}

QStringList DetectPorts(SharedState& s, const PortMap& map) {
    s.PortPresent.fill(false);
    QStringList problems;
    for (int n = 1; n <= kProbedPorts; ++n) {
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

QString portMapDescription(const PortMap& map) {
    QStringList lines;
    for (const auto& [n, device] : map.entries()) lines << QString("%1 = %2").arg(n).arg(device);
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

#pragma once
// Which serial ports are there, which the port lists offer, and how a choice and a speed reach
// the port. No widgets: the forms put the results into their controls.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

class CommError;
class Dialogs;
class PortMap;
class SerialPort;
struct SharedState;

constexpr int kProbedPorts = 5;
using PortFlags = std::array<bool, kProbedPorts>;

// What the port frame and `orvik3 ports` tell about one port of the map.
struct PortReport {
    int number = 0;
    QString device;           // as the map names it: the stable /dev/serial/by-id name if any
    QString systemDevice;     // the device node behind a link ("/dev/ttyUSB0"); empty if none
    QString description;      // a USB adapter's product text, as the system reports it
    QString serialNumber;     // a USB adapter's serial number
    bool opened = false;      // the probe opened the device
    bool present = false;     // ComPortDetect's answer
    bool lowLatency = false;  // the driver took low-latency mode when the probe opened it
    QString problem;          // why the device may not be opened (permission)
    bool probed = false;      // the device was probed (opened, or tried)
};

// The device and its USB details, without opening it.
PortReport DescribePort(const PortMap& map, int n);

// DescribePort, then the probe: opens the device, reads its modem lines and closes it again.
PortReport ProbePort(const PortMap& map, int n);

// "2 = /dev/serial/by-id/usb-...  (present, low latency: yes)", and for a USB adapter a second
// line with the device node, the description and the serial number.
QString portReportText(const PortReport& report, bool withProbe);

// True when port n's device opens and its modem lines do not read exactly CTS plus DSR (a device
// without modem lines counts as none set). A device we may not open leaves the reason, naming
// the device and the dialout group, in `problem`.
bool ComPortDetect(const PortMap& map, int n, QString* problem = nullptr);

// Clears PortPresent, then probes ports 1 to 5 in order, or only port `only` when it is not 0.
// Returns the permission problems met.
QStringList DetectPorts(SharedState& s, const PortMap& map, int only = 0);

// The entries of a port list for the ports found: "1" "2", or "1" to "4" when 1 to 4 are all
// there.
QStringList portListEntries(const PortFlags& present);

// portReportText for every port the map knows, for the port frame; what the probes this program
// has run (DetectPorts) found where there was one. With `probeTheRest` the ports no probe has
// reached yet are probed now, so every line tells presence and low latency.
QString portMapDescription(const PortMap& map, bool probeTheRest = false);
// The reports those lines are made of, in the map's order, and the lines of given reports.
std::vector<PortReport> portMapReports(const PortMap& map, bool probeTheRest = false);
QString portMapDescription(const std::vector<PortReport>& reports);

// "Set": a list text of 1 to 4 becomes the port number; any other text changes nothing. When
// the port is open the user is told and the port is closed.
void ApplyPortChoice(SerialPort& port, Dialogs& dialogs, const QString& text);

// The port a status request uses, from the port list's text and the ports found; nothing when
// none can be chosen. `noPort` is set when neither port 1 nor port 2 is there.
std::optional<int> statusRequestPort(const PortFlags& present, const QString& text,
                                     bool* noPort = nullptr);

// Port choice before a status request: when the port is closed, chooses by the rule above and
// opens it. Throws CommError when the chosen port will not open.
void OpenPortForStatusRequest(SerialPort& port, Dialogs& dialogs, const PortFlags& present,
                              const QString& text);

// The settings text for a speed: "115200,N,8,1".
QString settingsForSpeed(int baud);
inline const QString kPortAlreadyOpenText = QStringLiteral(
    "Comm port already open.\r\n\r\nCheck to make sure it is not being\r\n"
    "used by another program and try again");

// What the user is told of a port failure, titled "Orvik 3: Error": the designed message for a
// port already open (followed by who holds the device, when another program does), the device
// we may not open or that does not exist. Empty for the failures that end an exchange silently.
QString portErrorText(const CommError& error);

// For a port number that means no device: says so and names the ports there are.
QString noDeviceText(const PortMap& map, int n);

// The port list's entries, each with its device and, for a USB adapter, its description:
// "1 = /dev/ttyUSB0 (USB Serial Converter), 2 = no device".
QString portListDescription(const PortMap& map, const PortFlags& present);

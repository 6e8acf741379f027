// Probing ports, the port lists, and how a choice reaches the serial port.
#include <gtest/gtest.h>

#include "app/PortMap.h"
#include "app/SerialPort.h"
#include "link/PortDiscovery.h"
#include "sim/SimCamera.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

using Flags = PortFlags;
constexpr bool T = true, F = false;

TEST(PortList, OffersOneAndTwoUnlessOneToFourAreAllThere) {
    EXPECT_EQ(portListEntries(Flags{F, F, F, F, F}), (QStringList{"1", "2"}));
    EXPECT_EQ(portListEntries(Flags{T, F, F, F, F}), (QStringList{"1", "2"}));
    EXPECT_EQ(portListEntries(Flags{T, T, T, F, F}), (QStringList{"1", "2"}));
    EXPECT_EQ(portListEntries(Flags{T, T, T, T, F}), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(portListEntries(Flags{T, T, T, T, T}), (QStringList{"1", "2", "3", "4"}));
}

TEST(StatusRequestPort, ChoosesByTheListTextAndThePortsFound) {
    struct Case {
        Flags present;
        const char* text;
        std::optional<int> port;
        bool noPort;
    } cases[] = {
        {{T, T, F, F, F}, "1", 1, false},
        {{T, T, F, F, F}, "2", 2, false},
        {{T, F, F, F, F}, "2", 1, false},
        {{T, T, F, F, F}, "7", std::nullopt, false},
        {{F, T, F, F, F}, "1", 1, false},
        {{F, T, F, F, F}, "2", 2, false},
        {{F, F, F, F, F}, "1", std::nullopt, true},
        {{T, T, T, T, F}, "3", 3, false},  // a port offered and set is also read
        {{T, T, F, F, F}, "3", std::nullopt, false},
    };
    for (const Case& c : cases) {
        bool noPort = false;
        EXPECT_EQ(statusRequestPort(c.present, c.text, &noPort), c.port) << c.text;
        EXPECT_EQ(noPort, c.noPort) << c.text;
    }
}

TEST(ComPortDetect, FindsADeviceWithoutModemLinesAndNotAMissingOne) {
    camsim::SimCamera camera;
    PortMap map;
    map.assign(1, QString::fromStdString(camera.devicePath()));
    map.assign(2, "/dev/orvik3-no-such-device");
    QString problem;
    EXPECT_TRUE(ComPortDetect(map, 1, &problem));
    EXPECT_FALSE(ComPortDetect(map, 2, &problem));
    EXPECT_FALSE(ComPortDetect(map, 3, &problem));
    EXPECT_TRUE(problem.isEmpty());
    // The frame tells what the probes found; a pseudo-terminal has no low-latency mode.
    const QString frame = portMapDescription(map);
    EXPECT_TRUE(frame.contains(map.device(1) + "  (present, low latency: no)"))
        << frame.toStdString();
    EXPECT_TRUE(frame.contains("2 = /dev/orvik3-no-such-device  (does not open)"));
}

TEST(ApplyPortChoice, TakesOneToFourAndClosesAnOpenPort) {
    camsim::SimCamera camera;
    PortMap map;
    map.assign(1, QString::fromStdString(camera.devicePath()));
    map.assign(2, QString::fromStdString(camera.devicePath()));
    QtSerialPort port(map);
    ScriptedDialogs dialogs;
    ApplyPortChoice(port, dialogs, "2");
    EXPECT_EQ(port.commPort(), 2);
    ApplyPortChoice(port, dialogs, "5");
    EXPECT_EQ(port.commPort(), 2);

    port.setPortOpen(true);
    ApplyPortChoice(port, dialogs, "1");
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.commPort(), 2);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Orvik 3: Error");
    EXPECT_TRUE(
        dialogs.shown[0].text.startsWith("Comm port already open.\r\n\r\nCheck to make sure"));
}

}  // namespace

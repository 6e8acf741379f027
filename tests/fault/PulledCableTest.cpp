// The cable pulled and put back: the program closes its port, says once that the camera is gone,
// stays idle, and the next command after the replug works.
#include <gtest/gtest.h>

#include <QTimer>

#include "link/CommandTable.h"
#include "tests/fault/FaultRig.h"

namespace {

void zoomOff(FaultRig& rig) {
    Constants(rig.state());
    rig.state().CommandIndex = 24;  // Z p
    rig.engine().Transmit();
}

int goneMessages(const FaultRig& rig) {
    int n = 0;
    for (const auto& m : rig.dialogs.shown)
        if (m.text == CommsEngine::kCameraGone && m.title == "Orvik 3") ++n;
    return n;
}

TEST(PulledCable, BetweenCommandsIsToldOnceAndTheCommandAfterTheReplugWorks) {
    Watchdog watchdog("pulled cable between commands", std::chrono::seconds(60));
    FaultRig rig;
    rig.camera.unplug();
    for (int i = 0; i < 3; ++i) zoomOff(rig);
    EXPECT_EQ(goneMessages(rig), 1);
    EXPECT_EQ(rig.dialogs.shown.size(), 1u);
    ASSERT_FALSE(rig.lamps.notes.empty());
    EXPECT_EQ(rig.lamps.notes.back(), CommsEngine::kCameraGone);
    EXPECT_TRUE(rig.camera.receivedPayloads().empty());

    rig.camera.replug();
    zoomOff(rig);
    EXPECT_FALSE(rig.camera.state().customerBits & camsim::customer::kZoom);
    EXPECT_EQ(rig.lamps.lamps.back(), Indicator::Grey);
    EXPECT_EQ(rig.lamps.lamps[rig.lamps.lamps.size() - 2], Indicator::Green);
    EXPECT_TRUE(rig.lamps.notes.back().isEmpty()) << "the note goes once the camera is back";
    EXPECT_EQ(goneMessages(rig), 1);

    // A second loss is a new event, told again.
    rig.camera.unplug();
    zoomOff(rig);
    EXPECT_EQ(goneMessages(rig), 2);
}

TEST(PulledCable, UnderAnOpenPortClosesItAndLeavesTheProcessorIdle) {
    Watchdog watchdog("pulled cable under an open port", std::chrono::seconds(60));
    FaultRig rig;
    QtSerialPort& port = rig.program.form1.MSComm1();
    port.setPortOpen(true);
    rig.camera.unplug();
    const double cpu0 = threadCpuSeconds();
    pauseFor(1000);
    EXPECT_LT(threadCpuSeconds() - cpu0, 0.2) << "processor time in 1 s after the loss";
    EXPECT_FALSE(port.portOpen());
    EXPECT_TRUE(port.deviceLost());

    // A wait under way when the cable goes ends with the red lamp and one message.
    rig.camera.replug();
    camsim::Faults late;
    late.replyDelayMs = 300;
    rig.camera.setFaults(late);
    QObject scope;
    QTimer::singleShot(100, &scope, [&] { rig.camera.unplug(); });
    zoomOff(rig);
    EXPECT_EQ(rig.lamps.lamps.front(), Indicator::Red);
    EXPECT_EQ(goneMessages(rig), 1);
    EXPECT_FALSE(port.portOpen());
    rig.camera.replug();
    rig.camera.setFaults({});
    zoomOff(rig);
    EXPECT_EQ(rig.lamps.lamps[rig.lamps.lamps.size() - 2], Indicator::Green);
}

}  // namespace

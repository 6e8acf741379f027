// The line check against the simulated camera on a pseudo-terminal: what each kind of trouble
// looks like to it, where it stops, and what it counts.
#include <gtest/gtest.h>

#include <QJsonObject>
#include <QSerialPort>

#include "camera/Connection.h"
#include "camera/LineCheck.h"
#include "tests/support/SimLink.h"

namespace {

camsim::Faults fault(const std::function<void(camsim::Faults&)>& set) {
    camsim::Faults f;
    set(f);
    return f;
}

struct Noise : camera::LineCheckObserver {
    camsim::SimCamera& sim;
    std::optional<camsim::Faults> quality;
    Noise(camsim::SimCamera& s, std::optional<camsim::Faults> q) : sim(s), quality(q) {}
    void stepStarted(const QString& name) override {
        if (name == "quality" && quality) sim.setFaults(*quality);
    }
};

struct LineCase {
    const char* what;
    int cameraBaud;
    camsim::Faults faults;
    std::optional<camsim::Faults> duringQuality;
    enum { Present, Missing, Held } device;
    bool loopback;
    const char* lastStep;  // where the check ended
    const char* detail;    // what that step says
    QJsonObject figures;   // some of its figures
};

TEST(LineCheck, TellsEachTroubleApartAndStopsWhereTheRestCannotGetPast) {
    const camsim::Faults none;
    const LineCase cases[] = {
        {"clean line",
         115200,
         none,
         {},
         LineCase::Present,
         false,
         "quality",
         "clean: all 8 requests answered first time",
         {{"requests", 8}, {"answered_first_time", 8}, {"asked_again", 0}, {"timeouts", 0}}},
        {"camera at 19200",
         19200,
         none,
         {},
         LineCase::Present,
         false,
         "camera",
         "the camera answers at 19200: use --speed 19200",
         {{"serial_number", "10234"}}},
        {"silent camera",
         115200,
         fault([](auto& f) { f.silent = true; }),
         {},
         LineCase::Present,
         false,
         "camera",
         "no answer at 115200 or at 19200: check that the camera is switched on",
         {}},
        {"noisy line",
         115200,
         none,
         fault([](auto& f) { f.falseStarts = 4; }),
         LineCase::Present,
         false,
         "quality",
         "noisy: 6 of 8 requests answered first time, 2 asked again",
         {{"answered_first_time", 6}, {"asked_again", 2}, {"damaged", 4}, {"timeouts", 0}}},
        {"missing device",
         115200,
         none,
         {},
         LineCase::Missing,
         false,
         "device",
         "/dev/orvik3-none does not exist",
         {}},
        {"held device", 115200, none, {}, LineCase::Held, false, "free", " is in use by ", {}},
        {"good loopback",
         115200,
         fault([](auto& f) { f.loopback = true; }),
         {},
         LineCase::Present,
         true,
         "loopback",
         "all 512 bytes came back unchanged",
         {{"bytes_sent", 512}, {"bytes_back", 512}, {"bytes_changed", 0}}},
        {"spoiling loopback",
         115200,
         fault([](auto& f) {
             f.loopback = true;
             f.loopbackSpoilRate = 0.05;
         }),
         {},
         LineCase::Present,
         true,
         "loopback",
         "the adapter or the cable is faulty",
         {}},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        camsim::Options options = CameraRig::unpaced();
        options.baud = c.cameraBaud;
        CameraRig rig(camsim::SimCamera::defaultState(), Timing{1000, 2000, 200, 300, 2}, options);
        camera::startLink(rig.cam, camera::kProbeNone);
        rig.sim.setFaults(c.faults);
        if (c.device == LineCase::Missing) rig.cam.ports().assign(1, "/dev/orvik3-none");
        QSerialPort holder(QString::fromStdString(rig.sim.devicePath()));
        if (c.device == LineCase::Held) ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
        Noise noise(rig.sim, c.duringQuality);

        const camera::LineCheckResult r = camera::checkLine(rig.cam, {1, 8, c.loopback}, &noise);
        const QString last = c.lastStep;
        const bool passes = c.faults.loopbackSpoilRate == 0 && !c.duringQuality &&
                            (last == "quality" || last == "loopback");
        EXPECT_EQ(r.ok(), passes);
        ASSERT_FALSE(r.steps.empty());
        const camera::LineStep& step = r.steps.back();
        EXPECT_EQ(step.name, last);
        EXPECT_TRUE(step.detail.contains(c.detail)) << step.detail.toStdString();
        for (auto it = c.figures.begin(); it != c.figures.end(); ++it)
            EXPECT_EQ(step.figures[it.key()], it.value()) << it.key().toStdString();
        EXPECT_EQ(rig.cam.engine().port().settings(), "115200,N,8,1");  // the chosen speed again
    }
}

}  // namespace

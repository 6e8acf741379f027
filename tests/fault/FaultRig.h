#pragma once
// The whole program against a simulated camera that it reaches through a link name, as a udev name
// follows a USB adapter, so the cable can be pulled and put back. The timing table is scaled down;
// every lamp change and note is recorded; a watchdog bounds every case.

#include <time.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <cstring>

#include "app/LinkObserver.h"
#include "app/Mail.h"
#include "app/Wait.h"
#include "forms/Program.h"
#include "link/CommandTable.h"
#include "sim/SimCamera.h"
#include "tests/front/FormsFixture.h"
#include "tests/support/ScriptedDialogs.h"

// Processor time of the calling thread, in seconds.
inline double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// Ends the process with a message when a case runs past its bound: a hang fails loudly.
struct Watchdog {
    Watchdog(const char* what, unsigned seconds) {
        what_ = what;
        std::signal(SIGALRM, [](int) {
            (void)!write(2, "HANG: ", 6);
            (void)!write(2, what_, std::strlen(what_));
            std::abort();
        });
        alarm(seconds);
    }
    ~Watchdog() { alarm(0); }
    static inline const char* what_ = "";
};

// Passes everything on to the program's lamps and note lines, and keeps a log of it.
struct LampLog : LinkObserver {
    explicit LampLog(LinkObserver& next) : next(next) {}
    void showIndicator(Indicator i) override {
        lamps.push_back(i);
        next.showIndicator(i);
    }
    void showProgress(bool visible, int value) override { next.showProgress(visible, value); }
    void showCaption(bool visible, const QString& text) override {
        next.showCaption(visible, text);
    }
    void showNote(const QString& text) override {
        notes.push_back(text);
        next.showNote(text);
    }
    void showTransferHealth(const LinkHealth& h, bool complete) override {
        next.showTransferHealth(h, complete);
    }
    LinkObserver& next;
    std::vector<Indicator> lamps;
    std::vector<QString> notes;
};

struct FaultRig {
    explicit FaultRig(int baud = 115200,
                      camsim::CameraState initial = camsim::SimCamera::defaultState(),
                      Timing timing = shortTiming())
        : camera(cameraOptions(dir, baud), std::move(initial)),
          program(dialogs, mail, programOptions(QString::fromStdString(camera.linkPath()), timing)),
          lamps(program.indicator) {
        program.start();
        program.form1.engine().setObserver(&lamps);
    }
    ~FaultRig() { program.form1.engine().setObserver(&program.indicator); }

    static camsim::Options cameraOptions(const QTemporaryDir& dir, int baud) {
        camsim::Options o = CameraRig::unpaced();
        o.baud = baud;
        o.linkPath = dir.filePath("camera").toStdString();
        return o;
    }
    // Short waits; the FPGA upload keeps its real 10 s for a camera that stops asking.
    static Timing shortTiming() { return Timing{400, 1000, 20, 300, 20, 10000}; }
    static ProgramOptions programOptions(const QString& device, Timing timing) {
        ProgramOptions o = Forms::options(device, true);
        o.timing = timing;
        return o;
    }

    CommsEngine& engine() { return program.form1.engine(); }
    SharedState& state() { return program.state; }
    bool sawText(const QString& part) const {
        return std::ranges::any_of(dialogs.shown,
                                   [&](const auto& m) { return m.text.contains(part); });
    }
    // The plain command Z p: zoom off.
    void zoomOff() {
        Constants(state());
        state().CommandIndex = 24;
        engine().Transmit();
    }
    void forget() {
        dialogs.shown.clear();
        lamps.lamps.clear();
        lamps.notes.clear();
    }

    QTemporaryDir dir;
    camsim::SimCamera camera;
    ScriptedDialogs dialogs;
    RecordingTransport mail;
    Program program;
    LampLog lamps;
};

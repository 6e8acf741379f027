#pragma once
// The port map both front ends start with: the --port N=DEVICE choices, the simulated camera as
// port 1 under --simulate, then the serial devices found.

#include <memory>

#include "app/PortMap.h"
#include "camera/Camera.h"
#include "cli/CliRun.h"
#include "sim/SimCamera.h"

struct LineSetup {
    PortMap ports;
    std::unique_ptr<camsim::SimCamera> simulated;  // kept alive for the whole run
};

// The machine's serial devices are looked for only when `everyPort` is asked for or the port the
// command uses is not named already (by --port N=DEVICE or --simulate).
LineSetup setUpLine(const CommonOptions& options, bool everyPort = true);
// The port a command uses: --port's number, else the list's first entry.
int usedPort(const CommonOptions& options);

// The history chosen by --history or the environment; why it is not recorded goes to stderr.
void openHistory(camera::Camera& camera, const QString& option);

// The desktop program; returns its exit code.
int runDesktop(int argc, char** argv, const CommonOptions& options);

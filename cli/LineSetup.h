#pragma once
// The port map both front ends start with: the --port N=DEVICE choices, the simulated camera as
// port 1 under --simulate, then the serial devices found.

#include <memory>

#include "app/PortMap.h"
#include "cli/CliRun.h"
#include "sim/SimCamera.h"

struct LineSetup {
    PortMap ports;
    std::unique_ptr<camsim::SimCamera> simulated;  // kept alive for the whole run
};

LineSetup setUpLine(const CommonOptions& options);

// The desktop program; returns its exit code.
int runDesktop(int argc, char** argv, const CommonOptions& options);

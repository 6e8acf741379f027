#pragma once
// What the command runners share: the connect that also hands back the status it read.

#include "camera/Connection.h"
#include "cli/CliRun.h"

// "CONNECT TO CAMERA": the status read with its report; its messages are printed.
camera::StatusRead connectAndRead(CliRun& run);

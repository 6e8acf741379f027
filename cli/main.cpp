// The Orvik 3 service program: the desktop program, or one command-line action.
#include "cli/CommandLine.h"

int main(int argc, char** argv) {
    return runProgram(argc, argv);
}

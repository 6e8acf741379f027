#pragma once
// The commands of the command line as parsed, and the functions that run them. The parser
// (cli/CommandLine.cpp) fills these; each runner connects when its command needs the camera,
// calls the camera operations, prints, and returns the exit code.

#include <QDateTime>
#include <QString>
#include <QTextStream>
#include <vector>

#include "cli/CliRun.h"

struct PictureCommand {
    enum class Kind { Count, Download, Delete, Store };
    enum class Target { One, Splash, All };
    Kind kind = Kind::Count;
    Target target = Target::One;
    int number = 0;   // Target::One
    QString palette;  // a colour-list entry; empty: grey scale, white hot
    QString out;      // file or folder; empty: the current folder
    QString format;   // "bmp", "png" or "csv" (from --format, else from --out's suffix, else bmp)
    bool force = false;
    bool yes = false;
    bool verify = false;  // download twice and compare
};

struct SettingsCommand {
    enum class Kind { ConsoleRead, ConsoleWrite, StartValues };
    Kind kind = Kind::ConsoleRead;
    int address = 0;
    std::vector<int> bytes;  // console write: one to three
};

struct UploadCommand {
    enum class Kind { SplashFile, SplashOn, SplashOff, SplashView, Fpga, Serial };
    Kind kind = Kind::SplashFile;
    QString file;
    QString serial;
};

struct LineCheckCommand {
    int count = 20;  // status requests of the quality step
    bool loopback = false;
    bool countGiven = false;
};

// check-line [--count N] [--loopback]
int runCheckLine(CliRun& run, const LineCheckCommand& command);

// ports
int runPorts(CliRun& run);
// status [--save FILE]: FILE ends in .txt or .rtf (checked by the parser)
int runStatus(CliRun& run, const QString& saveFile);
// set-time [--now | --at]: `at` invalid means the PC's clock now
int runSetTime(CliRun& run, const QDateTime& at);
// console read|write, start-values
int runSettingsCommand(CliRun& run, const SettingsCommand& command);
// pictures, download, delete, store
int runPictureCommand(CliRun& run, const PictureCommand& command);
// splash, fpga, serial
int runUploadCommand(CliRun& run, const UploadCommand& command);

// history [SERIAL] [--json]: no camera, no port
int runHistory(const CommonOptions& options, const QString& camera, QTextStream& out,
               QTextStream& err);

// The connect every camera command starts with (CliRun::connect): what "CONNECT TO CAMERA" on
// the customer front screen does, without its window.
bool connectCamera(CliRun& run);

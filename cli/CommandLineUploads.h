#pragma once
// The upload commands of the command line: the splash picture and its switches, and, in the
// full edition, the FPGA configuration and the serial number.

#include <QString>
#include <QStringList>

class Program;

struct UploadCommand {
    enum class Kind { None, SplashFile, SplashOn, SplashOff, SplashView, Fpga, Serial };
    Kind kind = Kind::None;
    QString file;
    QString serial;
    QString error;

    bool given() const { return kind != Kind::None || !error.isEmpty(); }
    bool factory() const { return kind == Kind::Fpga || kind == Kind::Serial; }
};

// Takes the command's words out of args, leaving the common options.
UploadCommand takeUploadCommand(QStringList& args);
QString uploadUsageText();
// Connects as "CONNECT TO CAMERA" does, then runs the command; returns the exit code.
int runUploadCommand(Program& program, const UploadCommand& command);

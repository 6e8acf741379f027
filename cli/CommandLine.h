#pragma once
// The command line: the desktop program by default, or one action driven through the same
// forms without a display.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

struct CommandLine {
    enum class Action { Desktop, Ports, Status, SetTime, Help };
    Action action = Action::Desktop;
    std::vector<std::pair<int, QString>> portDevices;  // --port N=DEVICE
    int port = 0;                                      // the port to use; 0: the list's first
    bool simulate = false;
    int speed = 115200;
    QString repairCentre;
    bool fullEdition = false;
    QString saveFile;  // status --save
    QString traceFile; // --trace: the link log
    QDateTime at;      // set-time --at; invalid: the PC's clock
    QString error;     // set when the command line cannot be used
};

CommandLine parseCommandLine(const QStringList& arguments);  // without the program name
QString usageText();

// Exit codes.
constexpr int kExitOk = 0, kExitNoAnswer = 1, kExitUsage = 2;

// The whole program; main() hands over to it.
int runProgram(int argc, char** argv);

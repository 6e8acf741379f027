#pragma once
// The command line: the desktop program by default, or one command run on the camera
// operations without a window.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "cli/Commands.h"

struct Invocation {
    enum class Action {
        Desktop,
        Help,
        Version,
        Ports,
        Status,
        SetTime,
        Settings,
        Picture,
        Upload,
        History,
        CheckLine
    };
    Action action = Action::Desktop;
    CommonOptions common;
    QString saveFile;  // status --save
    QDateTime at;      // set-time --at; invalid: the PC's clock
    SettingsCommand settings;
    PictureCommand picture;
    UploadCommand upload;
    LineCheckCommand lineCheck;
    QString historyCamera;  // history SERIAL; empty: every camera
    QString error;          // set when the command line cannot be used
};

Invocation parseCommandLine(const QStringList& arguments);  // without the program name
QString usageText();

// The whole program; main() hands over to it.
int runProgram(int argc, char** argv);

#pragma once
// The factory commands of the command line: the engineering console's register read and write,
// and "Set starting values". They drive the full edition's controls as a user would.

#include <QString>
#include <QStringList>
#include <vector>

class Program;

struct SettingsCommand {
    enum class Kind { None, ConsoleRead, ConsoleWrite, StartValues };
    Kind kind = Kind::None;
    int address = 0;
    std::vector<int> bytes;  // console write: one to three
    QString error;           // set when the words cannot be used

    bool given() const { return kind != Kind::None || !error.isEmpty(); }
};

// Takes the command's words (and its --yes) out of args, leaving the common options.
SettingsCommand takeSettingsCommand(QStringList& args);
QString settingsUsageText();

// Connects, opens the advanced form and runs the command; returns the exit code.
int runSettingsCommand(Program& program, const SettingsCommand& command);

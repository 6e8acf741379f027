#pragma once
// The picture commands of the command line: count, download, delete and store, driven through
// the "Download image" tab as a user would drive it.

#include <QString>
#include <QStringList>
#include <optional>

class Program;
class ConsoleDialogs;

struct PictureCommand {
    enum class Kind { Count, Download, Delete, Store };
    enum class Target { One, Splash, All };
    Kind kind = Kind::Count;
    Target target = Target::One;
    int number = 0;   // Target::One
    QString palette;  // a colour-list entry; empty: grey scale, white hot
    QString out;      // file or folder; empty: the current folder
    QString format;   // "bmp" or "png"
    bool force = false;
    bool yes = false;
};

// Takes a picture command and its own options out of `args`, leaving the program-wide options
// for the common parser. Nothing when `args` name no picture command; `error` says what is
// wrong with one that cannot be used.
std::optional<PictureCommand> takePictureCommand(QStringList& args, QString& error);

QString pictureUsageText();

// Connects and runs the command; returns the program's exit code.
int runPictureCommand(Program& program, ConsoleDialogs& dialogs, const PictureCommand& command);

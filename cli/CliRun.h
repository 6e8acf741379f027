#pragma once
// What a command of the command line runs with: the camera, the program-wide choices, and where
// its output goes. Commands call the camera operations directly; no widget exists.

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QTextStream>
#include <functional>
#include <utility>
#include <vector>

namespace camera {
class Camera;
}

// Exit codes.
constexpr int kExitOk = 0, kExitNoAnswer = 1, kExitUsage = 2;

// The program-wide options, parsed once.
struct CommonOptions {
    std::vector<std::pair<int, QString>> portDevices;  // --port N=DEVICE
    int port = 0;                                      // the port to use; 0: the list's first
    bool simulate = false;
    int speed = 115200;
    QString repairCentre;  // empty: the built-in address
    bool fullEdition = false;
    QString traceFile;  // --trace: the link log
    QString history;    // --history: where the service history is kept; empty: the default
    bool json = false;  // --json: one JSON object on standard output instead of the text
};

struct CliRun {
    camera::Camera& camera;
    const CommonOptions& options;
    QTextStream& out;  // standard output: the command's results
    QTextStream& err;  // standard error: messages ("Orvik 3: ..."), progress, health lines
    // Connects as "CONNECT TO CAMERA" on the customer front screen does (status read, serial
    // number check); false when the camera did not answer, after its message was printed.
    std::function<bool()> connect;
    QJsonObject json;  // what --json prints, gathered by the command as it runs
};

// A failure of the command's own, on standard error as the program's messages read.
inline void fail(CliRun& run, const QString& text) {
    run.err << "Orvik 3: " << text << Qt::endl;
}

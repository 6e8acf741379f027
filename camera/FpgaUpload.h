#pragma once
// Sending an FPGA configuration to the camera: the start command until the camera acknowledges
// it, then the blocks the camera asks for, one at a time, the last one padded. The form around
// it is FPGA_configuration_frm.

#include <QByteArray>
#include <QIODevice>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "camera/Outcome.h"

class QFile;
class CommsEngine;
struct SharedState;

// The configuration data of a file: its first 59 216 bytes, zeros where the file is shorter.
std::vector<uint8_t> RbfDataFromFile(const QByteArray& file);

// Where each loaded file's text conversion goes: an open device (the advanced form's
// conversion file), or else the file at `path`, appended to. A file that cannot be written is
// reported once; loading goes on without it.
// Opens the conversion file in the program's folder afresh, as a program run starts it; the
// failure is told with the file's name and the reason.
camera::Outcome startConversionFile(QFile& file);

class FpgaConversionLog {
  public:
    explicit FpgaConversionLog(QString path);
    ~FpgaConversionLog();
    void setDevice(QIODevice* log) { device_ = log; }
    void setPath(const QString& path);
    camera::Outcome append(const QByteArray& text);

  private:
    QPointer<QIODevice> device_;
    QString path_;
    std::unique_ptr<QFile> own_;
    bool failureTold_ = false;
};

class FpgaUpload {
  public:
    explicit FpgaUpload(CommsEngine& engine);

    // Reads a configuration file into RbfData and gives its text conversion. Refused, nothing
    // loaded, when it cannot be read or is empty; a file of the wrong size loads with a warning.
    camera::Outcome load(const QString& path, QByteArray* conversion);

    enum class Result { Configured, StartRefused, NoRequest, PortFailed, NothingLoaded };
    // Runs the start and block loops; `progress` hears 47 once block 925 is asked for. With no
    // file loaded it sends nothing: the camera would take zeros as its configuration.
    Result Configure(const std::function<void(int)>& progress = {});
    // Configure, with the message when it stops short.
    camera::Outcome configure(const std::function<void(int)>& progress, Result* result);
    static QString stopMessage(Result result);

    // The reply handler: after each start command, and called by Receive in FpgaBlockMode.
    void FpgaReplyHandler();

    // The camera refusing the start this many times in a row ends the attempt.
    static constexpr int kStartAttempts = 20;

  private:
    enum class Start { Acknowledged, Refused, Failed };
    Start start();
    Result blockLoop(const std::function<void(int)>& progress);
    void sendBlock(int block);

    CommsEngine& engine_;
    SharedState& s_;
    bool replyHandled_ = false;
    bool loaded_ = false;
};

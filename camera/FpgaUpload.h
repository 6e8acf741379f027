#pragma once
// Sending an FPGA configuration to the camera: the start command until the camera acknowledges
// it, then the blocks the camera asks for, one at a time, the last one padded. The form around
// it is FPGA_configuration_frm.

#include <QByteArray>
#include <functional>
#include <vector>

class CommsEngine;
struct SharedState;

// The configuration data of a file: its first 59 216 bytes, zeros where the file is shorter.
std::vector<uint8_t> RbfDataFromFile(const QByteArray& file);

class FpgaUpload {
  public:
    explicit FpgaUpload(CommsEngine& engine);

    enum class Result { Configured, StartRefused, NoRequest, PortFailed };
    // Runs the start and block loops; `progress` hears 47 once block 925 is asked for.
    Result Configure(const std::function<void(int)>& progress = {});

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
};

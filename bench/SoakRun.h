#pragma once
// Many exchanges in a row over a noisy line, against the simulated camera through the real
// serial layer: picture downloads at a bit-error rate, then plain commands. Counts how each
// ended and samples the process's resident memory and open file descriptors. Used by the soak
// benchmark (100 downloads, 1 000 commands) and, shortened, by the fault tests.

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/Dialogs.h"
#include "app/PortMap.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"
#include "sim/SimCamera.h"

namespace soak {

struct Figures {
    int downloads = 0, exact = 0, patched = 0, failed = 0, wrongAsGood = 0;
    // Packets damaged yet still framing and checking (no 8-bit XOR can show two flips of one bit;
    // flips of the unchecked complement byte alone are among them and harm nothing).
    int64_t hiddenDamage = 0;
    int64_t nak2 = 0, nak1 = 0, timeouts = 0;
    int commands = 0, acknowledged = 0, unanswered = 0;
    long rssStartKb = 0, rssEndKb = 0, rssPeakKb = 0;
    int fdsBefore = 0, fdsAfter = 0;
};

// VmRSS of this process, in kB.
inline long residentKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

inline int openDescriptors() {
    return int(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

class Run {
  public:
    explicit Run(double bitErrorRate, double timeScale = 0.25)
        : camera_(options()), port_((map_.assign(1, path()), map_)) {
        Timing t = Timing{}.scaled(timeScale);
        t.indicatorMs = 1;  // the lamp's time is no part of what is soaked
        engine_ = std::make_unique<CommsEngine>(state_, port_, dialogs_, t);
        port_.setCommPort(1);
        Constants(state_);
        camsim::Faults f;
        f.bitFlipRate = bitErrorRate;
        camera_.setFaults(f);
    }

    // Downloads pictures 1 to 5 in turn, `count` times in all; memory is measured from the end
    // of the first, when everything made once for the life of the program exists.
    void downloads(int count, Figures& out) {
        const camsim::CameraState cam = camera_.state();
        for (int i = 0; i < count; ++i) {
            const int n = i % int(cam.pictures.size()) + 1;
            download(n, cam.pictures[n - 1].pixels, out);
            // The camera runs in this process; its log of what it heard is no part of the
            // program's memory.
            camera_.clearLog();
            const long rss = residentKb();
            if (i == 0) out.rssStartKb = rss;
            out.rssPeakKb = std::max(out.rssPeakKb, rss);
            out.rssEndKb = rss;
        }
        out.hiddenDamage = camera_.hiddenDamage();
    }

    // The status follow-up command ('I' 's'), `count` times.
    void commands(int count, Figures& out) {
        for (int i = 0; i < count; ++i) {
            Constants(state_);
            state_.CommandIndex = Row::StatusFollowUp;
            state_.LastReply.clear();
            engine_->Transmit();
            ++out.commands;
            if (state_.LastReply.contains(cameraAck()))
                ++out.acknowledged;
            else
                ++out.unanswered;
        }
    }

    camsim::SimCamera& camera() { return camera_; }
    ScriptedDialogs& dialogs() { return dialogs_; }

  private:
    static camsim::Options options() {
        camsim::Options o;
        o.paced = false;
        return o;
    }
    QString path() const { return QString::fromStdString(camera_.devicePath()); }

    void download(int n, const std::vector<uint8_t>& expected, Figures& out) {
        Constants(state_);
        ImageTransferConstants(state_, QString::number(n));
        state_.CommandIndex = Row::ImageTransfer;
        state_.PacketTransferMode = state_.BulkReplyMode = true;
        engine_->Transmit();
        ++out.downloads;
        const LinkHealth& h = state_.TransferHealth;
        out.nak1 += h.nak1;
        out.nak2 += h.nak2;
        out.timeouts += h.timeouts;
        const bool same = std::equal(expected.begin(), expected.end(), state_.ImageBuffer.begin());
        if (!state_.ImageTransferComplete)
            ++out.failed;  // said so: the transfer reports a failure
        else if (h.patched > 0)
            ++out.patched;
        else if (same)
            ++out.exact;
        else
            ++out.wrongAsGood;
    }

    camsim::SimCamera camera_;
    PortMap map_;
    QtSerialPort port_;
    SharedState state_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<CommsEngine> engine_;
};

}  // namespace soak

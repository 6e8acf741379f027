#pragma once
// Many exchanges in a row over a noisy line, against the simulated camera through the real
// serial layer: picture downloads at a bit-error rate, then plain commands. Counts how each
// ended and samples the process's resident memory and open file descriptors. Used by the soak
// benchmark (100 downloads, 1 000 commands) and, shortened, by the fault tests.

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "link/Packet.h"
#include "tests/support/SimLink.h"

namespace soak {

struct Figures {
    int downloads = 0, exact = 0, patched = 0, failed = 0, wrongAsGood = 0;
    // Packets whose content was damaged yet still frame and check: no 8-bit XOR can show two
    // flips of one bit.
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
    explicit Run(double bitErrorRate)
        : link_(SimLink::unpaced(), soakTiming(), camsim::SimCamera::defaultState()) {
        link_.engine.setObserver(nullptr);  // a recording observer grows with every packet
        camsim::Faults f;
        f.bitFlipRate = bitErrorRate;
        link_.camera.setFaults(f);
    }

    // Downloads pictures 1 to 5 in turn, `count` times in all; memory is measured from the end
    // of the first, when everything made once for the life of the program exists.
    void downloads(int count, Figures& out) {
        const camsim::CameraState cam = link_.camera.state();
        for (int i = 0; i < count; ++i) {
            const int n = i % int(cam.pictures.size()) + 1;
            download(n, cam.pictures[n - 1].pixels, out);
            // The camera runs in this process; its log of what it heard is no part of the
            // program's memory.
            link_.camera.clearLog();
            const long rss = residentKb();
            if (i == 0) out.rssStartKb = rss;
            out.rssPeakKb = std::max(out.rssPeakKb, rss);
            out.rssEndKb = rss;
        }
        out.hiddenDamage = link_.camera.hiddenDamage();
    }

    // The status follow-up command ('I' 's'), `count` times.
    void commands(int count, Figures& out) {
        for (int i = 0; i < count; ++i) {
            Constants(link_.state);
            link_.state.LastReply.clear();
            link_.send(Row::StatusFollowUp);
            ++out.commands;
            if (link_.state.LastReply.contains(cameraAck()))
                ++out.acknowledged;
            else
                ++out.unanswered;
        }
    }

  private:
    // A quarter of the real waits; the lamp's time is no part of what is soaked.
    static Timing soakTiming() {
        Timing t = Timing{}.scaled(0.25);
        t.indicatorMs = 1;
        return t;
    }

    void download(int n, const std::vector<uint8_t>& expected, Figures& out) {
        Constants(link_.state);
        requestPicture(link_, n);
        ++out.downloads;
        const SharedState& s = link_.state;
        const LinkHealth& h = s.TransferHealth;
        out.nak1 += h.nak1;
        out.nak2 += h.nak2;
        out.timeouts += h.timeouts;
        const bool same = std::equal(expected.begin(), expected.end(), s.ImageBuffer.begin());
        if (!s.ImageTransferComplete)
            ++out.failed;  // said so: the transfer reports a failure
        else if (h.patched > 0)
            ++out.patched;
        else if (same)
            ++out.exact;
        else
            ++out.wrongAsGood;
    }

    SimLink link_;
};

}  // namespace soak

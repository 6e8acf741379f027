#pragma once
// Every duration the program waits for, in one table. Tests may scale it down; the program never does.

struct Timing {
    int plainReplyMs = 2000;   // ordinary command reply
    int bulkReplyMs = 7000;    // bulk reply
    int shortReplyMs = 200;    // splash and FPGA block replies
    int packetIdleMs = 800;    // idle time-out between chunks of a packet
    int indicatorMs = 1296;    // green or red indicator before it turns grey (0.000015 day)
    // FPGA upload: no block request for this long means the camera has gone.
    int fpgaRequestTimeoutMs = 10000;

    Timing scaled(double factor) const {
        auto s = [factor](int ms) { return ms > 0 ? static_cast<int>(ms * factor + 0.5) : ms; };
        return {s(plainReplyMs), s(bulkReplyMs), s(shortReplyMs),
                s(packetIdleMs), s(indicatorMs), s(fpgaRequestTimeoutMs)};
    }
};

#include <sstream>
#include <utility>

#include "sim/CameraTypes.h"

namespace camsim {

std::string describeCounters(const Counters& c) {
    const std::pair<const char*, int64_t> rows[] = {
        {"bytesReceived", c.bytesReceived},
        {"packetsReceived", c.packetsReceived},
        {"badChecksums", c.badChecksums},
        {"badFrames", c.badFrames},
        {"commands", c.commands},
        {"acks", c.acks},
        {"naks", c.naks},
        {"cans", c.cans},
        {"statusBlocksSent", c.statusBlocksSent},
        {"countRepliesSent", c.countRepliesSent},
        {"registerRepliesSent", c.registerRepliesSent},
        {"repliesDropped", c.repliesDropped},
        {"transfersStarted", c.transfersStarted},
        {"headerPacketsSent", c.headerPacketsSent},
        {"dataPacketsSent", c.dataPacketsSent},
        {"retransmissions", c.retransmissions},
        {"packetsCorrupted", c.packetsCorrupted},
        {"packetsDropped", c.packetsDropped},
        {"packetsSkipped", c.packetsSkipped},
        {"ctrlAck", c.ctrlAck},
        {"ctrlNak", c.ctrlNak},
        {"ctrlNak1", c.ctrlNak1},
        {"ctrlNak2", c.ctrlNak2},
        {"ctrlEnd", c.ctrlEnd},
        {"transfersCompleted", c.transfersCompleted},
        {"transfersAbandoned", c.transfersAbandoned},
        {"blockRequestsSent", c.blockRequestsSent},
        {"splashBlocks", c.splashBlocks},
        {"fpgaBlocks", c.fpgaBlocks},
        {"badBlocks", c.badBlocks},
        {"uploadsCompleted", c.uploadsCompleted},
        {"uploadsAbandoned", c.uploadsAbandoned},
        {"bytesSent", c.bytesSent},
        {"bytesDroppedClosed", c.bytesDroppedClosed},
        {"bytesLostSilent", c.bytesLostSilent},
        {"bytesNoise", c.bytesNoise},
        {"hangups", c.hangups},
    };
    std::ostringstream out;
    for (const auto& [name, value] : rows) out << name << ": " << value << '\n';
    return out.str();
}

}  // namespace camsim

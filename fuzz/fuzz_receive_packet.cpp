// The packet accumulation fed in random chunks: ReceivePacket on its own for the lengths the
// link asks for, and a whole picture transfer. Never a read or write out of bounds, never a
// hang, and a transfer reported complete has every place of the picture filled.
#include <algorithm>

#include "fuzz/FuzzSupport.h"
#include "link/Packet.h"

namespace {

void receivePackets(fuzz::EngineFixture& f, int length) {
    // Each call takes at least one chunk or counts a time-out; five time-outs end a wait.
    for (int calls = 0; calls < 4096; ++calls) {
        const QByteArray packet = f.engine.ReceivePacket(length);
        if (packet == kResend || packet == kCommsTimeout) {
            if (f.port.drained() && packet == kCommsTimeout) return;
            continue;
        }
        fuzz::require(packet.size() == length);
        QByteArray result;
        CheckPacket(packet, length, result);
    }
    fuzz::require(false);  // the chunks ran out long ago: the wait does not end
}

void downloadPicture(fuzz::EngineFixture& f) {
    SharedState& s = f.state;
    s.PacketTransferMode = s.BulkReplyMode = true;
    f.engine.DownloadImagePackets();
    fuzz::require(s.ImageBuffer.size() == size_t(kImagePixels) + 1);
    if (s.ImageTransferComplete) fuzz::require(s.ImageWriteOffset >= kImagePixels);
    fuzz::require(s.TransferHealth.packets <= s.ImageWriteOffset / 32 + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    const int mode = fdp.ConsumeIntegralInRange<int>(0, 3);
    fuzz::EngineFixture f(fdp, 96);
    static constexpr int kLengths[] = {40, 57, 10};
    if (mode == 3)
        downloadPicture(f);
    else
        receivePackets(f, kLengths[mode]);
    fuzz::require(!f.engine.busy());
    return 0;
}

// Packets in random chunks, alone or as a whole picture: in bounds, no hang, complete means full.
#include "fuzz/FuzzSupport.h"
#include "link/Packet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    const int mode = fdp.ConsumeIntegralInRange<int>(0, 3);
    fuzz::EngineFixture f(&fdp, 96);
    SharedState& s = f.state;
    if (mode == 3) {
        s.PacketTransferMode = s.BulkReplyMode = true;
        f.engine.DownloadImagePackets();
        fuzz::require(s.ImageBuffer.size() == size_t(kImagePixels) + 1);
        fuzz::require(!s.ImageTransferComplete || s.ImageWriteOffset >= kImagePixels);
        fuzz::require(s.TransferHealth.packets <= s.ImageWriteOffset / 32 + 1);
    } else {
        const int length = std::array{40, 57, 10}[mode];
        // Each call takes at least one chunk or counts a time-out; five time-outs end a wait,
        // so the calls end long before the limit.
        int calls = 0;
        for (QByteArray p; !(p == kCommsTimeout && f.port.drained()); ++calls) {
            fuzz::require(calls < 4096);
            p = f.engine.ReceivePacket(length);
            if (p == kResend || p == kCommsTimeout) continue;
            fuzz::require(p.size() == length);
            QByteArray result;
            CheckPacket(p, length, result);
        }
    }
    fuzz::require(!f.engine.busy());
    return 0;
}

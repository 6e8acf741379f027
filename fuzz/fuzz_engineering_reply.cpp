// The register reply: registerReplyValue on any text, and the engine's read of it in chunks.
#include "fuzz/FuzzSupport.h"
#include "link/Packet.h"
#include "status/TypedBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray whole = fuzz::bytesOf(data, size);
    if (const std::optional<uint8_t> v = registerReplyValue(whole, Framing{}))
        fuzz::require(whole.contains(QByteArray("\x10\x02\x54\x01", 4) + char(*v)));

    FuzzedDataProvider fdp(data, size);
    fuzz::EngineFixture f;
    fuzz::fillChunks(fdp, f.port, 16);
    int handled = 0;
    f.engine.handlers.engineeringRead = [&] {
        ++handled;
        registerReplyValue(f.state.RxPacket, Framing::from(f.state));
    };
    for (int reads = 0; reads < 64 && !f.port.drained(); ++reads) {
        f.state.EngineeringReadMode = true;
        f.engine.Receive();
        fuzz::require(!f.state.EngineeringReadMode);
    }
    fuzz::require(handled > 0 || size == 0);
    return 0;
}

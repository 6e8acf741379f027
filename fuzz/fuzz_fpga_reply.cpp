// The FPGA upload's replies in chunks: every block asked for is 32 bytes of the configuration.
#include "camera/FpgaUpload.h"
#include "fuzz/FuzzSupport.h"
#include "uploads/UploadPackets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    fuzz::EngineFixture f(&fdp, 24);
    SharedState& s = f.state;
    FpgaUpload upload(f.engine);
    f.engine.handlers.fpgaBlockReply = [&] { upload.FpgaReplyHandler(); };
    s.FpgaAckMode = true;
    f.engine.Receive();
    upload.FpgaReplyHandler();
    s.FpgaAckMode = false;
    for (int replies = 0; replies < 4096 && !f.port.drained() && !s.FpgaLastBlockSent; ++replies) {
        s.FpgaBlockMode = true;
        f.engine.Receive();
        if (!std::exchange(s.FpgaSendNext, false)) continue;
        const int block = int(s.FpgaBlockIndex);
        fuzz::require(block >= 0 && block <= 0xFFFF);
        fuzz::require(uploads::fpgaBlockData(s.RbfData, block).size() ==
                      size_t(uploads::kBlockSize));
        s.FpgaLastBlockSent |= block >= uploads::kFpgaLastBlock;
    }
    s.FpgaBlockMode = false;
    return 0;
}

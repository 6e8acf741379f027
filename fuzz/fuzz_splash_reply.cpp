// The splash upload's block requests in chunks: the next block is inside and never skips ahead.
#include "camera/SplashUpload.h"
#include "fuzz/FuzzSupport.h"
#include "uploads/SplashImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    fuzz::EngineFixture f(&fdp, 24);
    SharedState& s = f.state;
    SplashUpload upload(f.engine);
    f.engine.handlers.splashReply = [&] { upload.SplashReplyHandler(); };
    s.SplashImage.assign(uploads::kSplashPixels, 0x5A);
    s.SplashReplyLength = 10;
    for (int replies = 0; replies < 4096 && !f.port.drained() && !s.SplashDone; ++replies) {
        const int before = int(s.SplashBlockIndex);
        s.SplashReplyMode = true;
        f.engine.Receive();
        const int block = int(s.SplashBlockIndex);
        fuzz::require(block >= 0 && block <= uploads::kSplashBlocks && block <= before + 1);
        fuzz::require(s.SplashReplyLength >= 1 && s.SplashReplyLength <= 11);
        // What sendBlock reads for this request.
        const size_t offset = size_t(std::min(32 * block, uploads::kSplashPixels - 32));
        fuzz::require(!s.SplashReplyValid || s.SplashDone || s.SplashImage.at(offset + 31) == 0x5A);
    }
    return 0;
}

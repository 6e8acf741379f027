// The simulated camera's frame parser byte by byte, then the camera fed the input in chunks.
// No Qt here (the camera's code uses names Qt takes for macros), so not FuzzSupport.h.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "sim/CameraCore.h"
#include "sim/SimCamera.h"
#include "sim/Wire.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    camsim::wire::FrameParser parser;
    for (size_t i = 0; i < size; ++i)
        if (const auto frame = parser.push(data[i]);
            frame && frame->payload().size() > frame->body.size())
            std::abort();

    static camsim::CameraState small = camsim::SimCamera::defaultState();
    small.pictures.resize(2);  // a small camera is a fast one
    FuzzedDataProvider fdp(data, size);
    camsim::CameraCore camera(small, 7);
    camsim::TimePoint t{};
    while (fdp.remaining_bytes() > 0) {
        const std::vector<uint8_t> chunk =
            fdp.ConsumeBytes<uint8_t>(fdp.ConsumeIntegralInRange<size_t>(1, 48));
        t += std::chrono::milliseconds(fdp.ConsumeIntegralInRange<int>(0, 1500));
        camera.receive(chunk, t);
        camera.tick(t);
    }
    if (camera.state().pictures.size() > 26) std::abort();
    return 0;
}

// The simulated camera's packet parser and what it does with what it parses: the frame parser
// byte by byte, then the whole camera fed the input in chunks.
// No Qt here: the camera's code uses names Qt takes for macros.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "sim/CameraCore.h"
#include "sim/SimCamera.h"
#include "sim/Wire.h"

namespace {

void require(bool holds) {
    if (!holds) std::abort();
}

const camsim::CameraState& smallCamera() {
    static const camsim::CameraState state = [] {
        camsim::CameraState s = camsim::SimCamera::defaultState();
        s.pictures.resize(2);
        return s;
    }();
    return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    camsim::wire::FrameParser parser;
    for (size_t i = 0; i < size; ++i) {
        if (const std::optional<camsim::wire::Frame> frame = parser.push(data[i]))
            require(frame->payload().size() <= frame->body.size());
    }

    FuzzedDataProvider fdp(data, size);
    camsim::CameraCore camera(smallCamera(), 7);
    camsim::TimePoint t{};
    while (fdp.remaining_bytes() > 0) {
        const size_t n = fdp.ConsumeIntegralInRange<size_t>(1, 48);
        const std::vector<uint8_t> chunk = fdp.ConsumeBytes<uint8_t>(n);
        t += std::chrono::milliseconds(fdp.ConsumeIntegralInRange<int>(0, 1500));
        camera.receive(chunk, t);
        camera.tick(t);
    }
    require(camera.state().pictures.size() <= 26);
    return 0;
}

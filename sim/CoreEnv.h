#pragma once
// What the camera's protocol parts share: the fault switches, the counters, the random source
// and the list of packets to put on the line.

#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

#include "sim/CameraTypes.h"

namespace camsim {

using SteadyClock = std::chrono::steady_clock;
using TimePoint = SteadyClock::time_point;

// A packet ready to go: it may start on the line at `at`.
struct Outgoing {
    std::vector<uint8_t> bytes;
    TimePoint at;
};

struct CoreEnv {
    Faults faults;
    Counters counters;
    std::mt19937 rng;
    std::vector<Outgoing> out;
    TimePoint sendAt{};
    bool muted = false;  // the answer being built is to be lost (dropReplies)

    void send(std::vector<uint8_t> bytes) {
        if (muted) {
            ++counters.repliesDropped;
            return;
        }
        out.push_back({std::move(bytes), sendAt});
    }
    bool chance(double rate) {
        return rate > 0 && std::uniform_real_distribution<double>(0, 1)(rng) < rate;
    }
};

}  // namespace camsim

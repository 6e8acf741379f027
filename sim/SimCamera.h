#pragma once
// The simulated camera on a pseudo-terminal: the program opens devicePath() as its serial port.
// One thread per camera paces the line, runs the protocol core and applies the line faults.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/CameraTypes.h"
#include "sim/Scene.h"

namespace camsim {

struct Options {
    int baud = 115200;
    bool paced = true;  // 10 bit times a byte, both ways
    unsigned seed = 1;
};

class SimCamera {
  public:
    explicit SimCamera(Options opts = {}, CameraState initial = defaultState());
    ~SimCamera();
    SimCamera(const SimCamera&) = delete;
    SimCamera& operator=(const SimCamera&) = delete;

    std::string devicePath() const;
    CameraState state() const;
    void updateState(const std::function<void(CameraState&)>& change);
    Faults faults() const;
    void setFaults(const Faults& faults);
    Counters counters() const;
    void resetCounters();
    // Every good-checksum packet's payload (after T 01), in order.
    std::vector<std::vector<uint8_t>> receivedPayloads() const;
    std::vector<uint8_t> rawReceived() const;
    void clearLog();

    // Five stored pictures, serial number 10234, firmware 3.2, the factory splash.
    static CameraState defaultState();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace camsim

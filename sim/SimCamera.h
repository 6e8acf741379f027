#pragma once
// The simulated camera on a pseudo-terminal: the program opens devicePath() as its serial port.
// One thread per camera paces the line, runs the protocol core and applies the line faults.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/CameraTypes.h"
#include "sim/Scene.h"

namespace camsim {

struct Options {
    int baud = 115200;
    bool paced = true;  // 10 bit times a byte, both ways
    unsigned seed = 1;
    // When set, a symbolic link here names the program's side, and follows it across a replug,
    // as a udev name follows a USB adapter.
    std::string linkPath;
};

class SimCamera {
  public:
    explicit SimCamera(Options opts = {}, CameraState initial = defaultState());
    ~SimCamera();
    SimCamera(const SimCamera&) = delete;
    SimCamera& operator=(const SimCamera&) = delete;

    std::string devicePath() const;
    const std::string& linkPath() const;
    // The cable pulled: the pseudo-terminal closes (the program's side reads an error) and the
    // link goes. replug() attaches a new pseudo-terminal and points the link at it. Both return
    // once the camera thread has done it.
    void unplug();
    void replug();
    bool plugged() const;
    // Packets the line damaged in a way their 8-bit XOR checksum cannot show (two flips of the
    // same bit): the only damage a receiver cannot catch.
    int64_t hiddenDamage() const;
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
    // When the first byte from the program reached the camera since it started or its log was
    // last cleared, on the steady clock (the poll that found it; 5 ms at most after it came while
    // the program's side was still closed).
    std::optional<std::chrono::steady_clock::time_point> firstByteTime() const;

    // Five stored pictures, serial number 10234, firmware 3.2, the factory splash.
    static CameraState defaultState();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace camsim

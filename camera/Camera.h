#pragma once
// One program run's link to the camera: the shared state, the port map, the serial port and the
// transaction engine. The desktop forms and the command line both reach the camera through it;
// the operations in this folder take it as their first argument.

#include <functional>
#include <memory>

#include "app/PortMap.h"
#include "app/SerialPort.h"
#include "app/Timing.h"
#include "link/CommsEngine.h"

struct SharedState;
class Dialogs;
namespace history {
class Recorder;
struct Location;
}  // namespace history

namespace camera {

class Camera {
  public:
    // The engine reports link failures (time-outs, a port already open) through `dialogs`.
    Camera(SharedState& state, Dialogs& dialogs, PortMap ports, Timing timing = {});
    ~Camera();  // closes the port

    // Port settings "115200,N,8,1" and the command table. False when the port number is
    // unavailable; the design then says "Port unavailable - select another".
    bool load();

    SharedState& state() { return state_; }
    PortMap& ports() { return ports_; }
    QtSerialPort& port() { return port_; }
    CommsEngine& engine() { return engine_; }
    Dialogs& dialogs() { return dialogs_; }

    // The service history the operations record to. Opened once per run; when it cannot be
    // written, the link's observer (the note line) and `tell`, the front end's own channel,
    // hear why, and the work goes on.
    void openHistory(const history::Location& where,
                     std::function<void(const QString&)> tell = nullptr);
    history::Recorder* history() { return history_.get(); }

  private:
    SharedState& state_;
    Dialogs& dialogs_;
    PortMap ports_;
    QtSerialPort port_;
    CommsEngine engine_;
    std::unique_ptr<history::Recorder> history_;
};

}  // namespace camera

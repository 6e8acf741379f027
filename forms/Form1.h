#pragma once
// The hidden comms form: holds the program's link to the camera (the port map, the serial port
// MSComm1 and the transaction engine with its timer Timer1).

#include <QWidget>

#include "camera/Camera.h"

struct SharedState;
class Dialogs;

class Form1 : public QWidget {
    Q_OBJECT
  public:
    Form1(SharedState& state, Dialogs& dialogs, PortMap ports, Timing timing = {},
          QWidget* parent = nullptr);

    camera::Camera& camera() { return camera_; }
    PortMap& ports() { return camera_.ports(); }
    QtSerialPort& MSComm1() { return camera_.port(); }
    CommsEngine& engine() { return camera_.engine(); }

  private:
    camera::Camera camera_;
};

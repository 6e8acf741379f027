#pragma once
// The hidden comms form: owns the port map, the serial port MSComm1 and the transaction engine
// (with its timer Timer1).

#include <QWidget>

#include "app/PortMap.h"
#include "app/SerialPort.h"
#include "app/Timing.h"
#include "link/CommsEngine.h"

struct SharedState;
class Dialogs;

class Form1 : public QWidget {
    Q_OBJECT
  public:
    Form1(SharedState& state, Dialogs& dialogs, PortMap ports, Timing timing = {},
          QWidget* parent = nullptr);

    // Port settings "115200,N,8,1" and the command table.
    void Form_Load();

    PortMap& ports() { return ports_; }
    QtSerialPort& MSComm1() { return port_; }
    CommsEngine& engine() { return engine_; }

  private:
    SharedState& state_;
    Dialogs& dialogs_;
    PortMap ports_;
    QtSerialPort port_;
    CommsEngine engine_;
};

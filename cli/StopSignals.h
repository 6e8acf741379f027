#pragma once
// Ctrl-C and SIGTERM on the command line stop the exchange under way instead of killing the
// program mid-transfer: the handler only records the signal and wakes the event loop, and the
// link ends its exchange (a picture transfer with its end packet) and sends nothing more.

#include <QObject>

class QSocketNotifier;

class StopSignals : public QObject {
  public:
    StopSignals();
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // 128 + the signal once one came, as a shell reports a process the signal ended; else 0.
    static int exitCode();

  private:
    QSocketNotifier* notifier_ = nullptr;
};

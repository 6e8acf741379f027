#pragma once

#include "app/SerialPort.h"

// A port that passes everything to another; wrappers (the link log, benchmarks, tests) override
// only what they watch or change.
class ForwardingPort : public SerialPort {
  public:
    explicit ForwardingPort(SerialPort& real) : real_(real) {}
    void setCommPort(int n) override { real_.setCommPort(n); }
    int commPort() const override { return real_.commPort(); }
    void setSettings(const QString& s) override { real_.setSettings(s); }
    QString settings() const override { return real_.settings(); }
    void setPortOpen(bool open) override { real_.setPortOpen(open); }
    bool portOpen() const override { return real_.portOpen(); }
    int inBufferCount() override { return real_.inBufferCount(); }
    QByteArray input() override { return real_.input(); }
    void output(const QByteArray& bytes) override { real_.output(bytes); }
    bool ctsAndDsrOnly() override { return real_.ctsAndDsrOnly(); }
    bool lowLatency() const override { return real_.lowLatency(); }
    bool deviceLost() const override { return real_.deviceLost(); }

  protected:
    SerialPort& real_;
};

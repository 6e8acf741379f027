#pragma once
// The serial port control: port number, settings text, open state, input count, input, output.

#include <QByteArray>
#include <QString>
#include <memory>
#include <stdexcept>

class PortMap;
class QSerialPort;

// A failure of the port control, numbered as the design numbers them.
class CommError : public std::runtime_error {
  public:
    static constexpr int kPortAlreadyOpen = 8005;
    static constexpr int kInvalidPortNumber = 8002;
    static constexpr int kPermissionDenied = 8010;  // the device exists but we may not open it
    static constexpr int kNoSuchDevice = 8012;      // a named device that has never been there
    // `detail`: what the user is told beyond the designed message, such as who holds the device.
    CommError(int number, const QString& text, const QString& detail = {})
        : std::runtime_error(text.toStdString()), number_(number), text_(text), detail_(detail) {}
    int number() const { return number_; }
    QString text() const { return text_; }
    QString detail() const { return detail_; }

  private:
    int number_;
    QString text_;
    QString detail_;
};

class SerialPort {
  public:
    virtual ~SerialPort() = default;
    virtual void setCommPort(int number) = 0;
    virtual int commPort() const = 0;
    virtual void setSettings(const QString& settings) = 0;  // "115200,N,8,1"
    virtual QString settings() const = 0;
    virtual void setPortOpen(bool open) = 0;  // throws CommError
    virtual bool portOpen() const = 0;
    virtual int inBufferCount() = 0;
    virtual QByteArray input() = 0;  // every waiting byte
    virtual void output(const QByteArray& bytes) = 0;
    // Modem status for probing: true when the lines read exactly CTS plus DSR.
    virtual bool ctsAndDsrOnly() { return false; }
    virtual bool lowLatency() const { return false; }
    // The device went away under an open port, or a device that has opened before is missing:
    // the camera is gone. Cleared by the next successful open.
    virtual bool deviceLost() const { return false; }
};

int baudFromSettings(const QString& settings);  // 0 when the text is not a valid settings text

// The real port over QSerialPort; port numbers are resolved through the port map.
class QtSerialPort : public SerialPort {
  public:
    explicit QtSerialPort(const PortMap& map);
    ~QtSerialPort() override;
    void setCommPort(int number) override;
    int commPort() const override { return number_; }
    void setSettings(const QString& settings) override;
    QString settings() const override { return settings_; }
    void setPortOpen(bool open) override;
    bool portOpen() const override;
    int inBufferCount() override;
    QByteArray input() override;
    void output(const QByteArray& bytes) override;
    bool ctsAndDsrOnly() override;
    bool lowLatency() const override { return lowLatency_; }
    bool deviceLost() const override { return lost_; }
    QString device() const;

  private:
    void applySettings();
    void dropLostDevice();  // the device went away: close, and say so to deviceLost()
    [[noreturn]] void throwMissing(const QString& device);
    [[noreturn]] void throwOpenFailure(const QString& device);
    const PortMap& map_;
    std::unique_ptr<QSerialPort> port_;
    int number_ = 1;
    QString settings_ = "115200,N,8,1";
    bool lowLatency_ = false;
    bool lost_ = false;
};

// Asks the driver for low-latency mode; false (and nothing changed) where it refuses.
bool requestLowLatency(int fd);

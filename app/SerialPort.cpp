#include "app/SerialPort.h"

#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QSerialPort>
#include <QStringList>
#include <set>

#include "app/DeviceHolder.h"
#include "app/PortMap.h"

namespace {

// The devices this program has opened, by any port object: one of them missing now has gone
// away (unplugged); a device never seen was named wrongly. One user-interface thread.
std::set<QString>& devicesSeen() {
    static std::set<QString> seen;
    return seen;
}

}  // namespace

int baudFromSettings(const QString& settings) {
    const QStringList parts = settings.split(',');
    if (parts.size() != 4) return 0;
    bool ok = false;
    const int baud = parts[0].trimmed().toInt(&ok);
    return ok && baud > 0 ? baud : 0;
}

bool requestLowLatency(int fd) {
    serial_struct ss{};
    if (fd < 0 || ioctl(fd, TIOCGSERIAL, &ss) != 0) return false;
    ss.flags |= ASYNC_LOW_LATENCY;
    return ioctl(fd, TIOCSSERIAL, &ss) == 0;
}

QtSerialPort::QtSerialPort(const PortMap& map) : map_(map), port_(std::make_unique<QSerialPort>()) {
    // Qt 6.4 spins at full processor on a vanished device: close on the first such error.
    QObject::connect(
        port_.get(), &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
            if ((e == QSerialPort::ReadError || e == QSerialPort::ResourceError) && port_->isOpen())
                dropLostDevice();
        });
}

QtSerialPort::~QtSerialPort() = default;

QString QtSerialPort::device() const {
    return map_.device(number_);
}

void QtSerialPort::setCommPort(int number) {
    if (port_->isOpen()) throw CommError(CommError::kPortAlreadyOpen, "Port already open");
    if (number < 1 || number > 255)
        throw CommError(CommError::kInvalidPortNumber, "Invalid port number");
    number_ = number;
    lost_ = false;
}

void QtSerialPort::setSettings(const QString& settings) {
    if (!baudFromSettings(settings)) throw CommError(380, "Invalid property value");
    settings_ = settings;
    if (port_->isOpen()) applySettings();
}

void QtSerialPort::applySettings() {
    port_->setBaudRate(baudFromSettings(settings_));
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
}

void QtSerialPort::setPortOpen(bool open) {
    if (!open) {
        if (port_->isOpen()) port_->close();
        return;
    }
    if (port_->isOpen()) throw CommError(CommError::kPortAlreadyOpen, "Port already open");
    const QString dev = device();
    if (dev.isEmpty()) throw CommError(CommError::kInvalidPortNumber, "Invalid port number");
    if (access(dev.toLocal8Bit().constData(), F_OK) != 0) throwMissing(dev);
    if (access(dev.toLocal8Bit().constData(), R_OK | W_OK) != 0)
        throw CommError(CommError::kPermissionDenied,
                        QString("Permission denied on %1: add your user to the dialout group "
                                "(sudo usermod -aG dialout $USER) and log in again.")
                            .arg(dev));
    port_->setPortName(dev);
    if (!port_->open(QIODevice::ReadWrite)) throwOpenFailure(dev);
    applySettings();
    lowLatency_ = requestLowLatency(port_->handle());
    lost_ = false;
    devicesSeen().insert(dev);
}

void QtSerialPort::throwMissing(const QString& dev) {
    if (devicesSeen().count(dev)) {
        lost_ = true;  // it was there before: unplugged
        throw CommError(CommError::kInvalidPortNumber, "Invalid port number");
    }
    throw CommError(CommError::kNoSuchDevice,
                    QString("The serial device %1 does not exist. Check its name.").arg(dev));
}

// The device is there and we may use it, so a refusal to lock it means another program has it.
void QtSerialPort::throwOpenFailure(const QString& dev) {
    const QSerialPort::SerialPortError e = port_->error();
    if (e == QSerialPort::DeviceNotFoundError)
        throw CommError(CommError::kInvalidPortNumber, port_->errorString());
    if (e != QSerialPort::PermissionError)
        throw CommError(CommError::kPortAlreadyOpen, port_->errorString(),
                        QString("%1 could not be opened: %2").arg(dev, port_->errorString()));
    const QString holder = deviceHolder(dev);
    throw CommError(CommError::kPortAlreadyOpen, port_->errorString(),
                    holder.isEmpty() ? QString("%1 is in use by another program.").arg(dev)
                                     : QString("%1 is in use by %2.").arg(dev, holder));
}

bool QtSerialPort::portOpen() const {
    return port_->isOpen();
}

int QtSerialPort::inBufferCount() {
    return port_->isOpen() ? int(port_->bytesAvailable()) : 0;
}

QByteArray QtSerialPort::input() {
    return port_->isOpen() ? port_->readAll() : QByteArray();
}

void QtSerialPort::output(const QByteArray& bytes) {
    if (!port_->isOpen()) throw CommError(8018, "Operation valid only when the port is open");
    port_->write(bytes);
    port_->flush();
    // A write to a vanished device fails at once; reading would only find out later.
    if (port_->error() == QSerialPort::WriteError || port_->error() == QSerialPort::ResourceError) {
        dropLostDevice();
        throw CommError(8018, "The device has gone");
    }
}

void QtSerialPort::dropLostDevice() {
    port_->close();
    lost_ = true;
}

bool QtSerialPort::ctsAndDsrOnly() {
    if (!port_->isOpen()) return false;
    // A device without modem lines (a pseudo-terminal) counts as status 0.
    const QSerialPort::PinoutSignals s = port_->pinoutSignals();
    if (port_->error() == QSerialPort::UnsupportedOperationError) {
        port_->clearError();
        return false;
    }
    const auto wanted = QSerialPort::ClearToSendSignal | QSerialPort::DataSetReadySignal;
    const auto lines =
        s & (QSerialPort::ClearToSendSignal | QSerialPort::DataSetReadySignal |
             QSerialPort::DataCarrierDetectSignal | QSerialPort::RingIndicatorSignal);
    return lines == wanted;
}

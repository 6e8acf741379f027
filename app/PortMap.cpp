#include "app/PortMap.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

void PortMap::assign(int number, const QString& device) { entries_[number] = device; }

int PortMap::append(const QString& device) {
    if (int n = numberOf(device)) return n;
    int n = 1;
    while (entries_.count(n)) ++n;
    entries_[n] = device;
    return n;
}

QString PortMap::device(int number) const {
    auto it = entries_.find(number);
    return it == entries_.end() ? QString() : it->second;
}

int PortMap::numberOf(const QString& device) const {
    const QString canonical = QFileInfo(device).canonicalFilePath();
    for (const auto& [n, dev] : entries_) {
        if (dev == device || (!canonical.isEmpty() && QFileInfo(dev).canonicalFilePath() == canonical))
            return n;
    }
    return 0;
}

QStringList PortMap::scanDevices() {
    // Stable names for USB adapters: /dev/serial/by-id links, keyed by the device they point to.
    std::map<QString, QString> byId;
    const QDir idDir("/dev/serial/by-id");
    for (const QFileInfo& link : idDir.entryInfoList(QDir::Files | QDir::System))
        byId[link.canonicalFilePath()] = link.absoluteFilePath();
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString location = info.systemLocation();
        auto it = byId.find(QFileInfo(location).canonicalFilePath());
        devices << (it != byId.end() ? it->second : location);
    }
    devices.sort();
    return devices;
}

bool PortMap::parseOption(const QString& text, int& number, QString& device) {
    const int eq = text.indexOf('=');
    if (eq <= 0) return false;
    bool ok = false;
    number = text.left(eq).toInt(&ok);
    device = text.mid(eq + 1);
    return ok && number >= 1 && number <= 255 && !device.isEmpty();
}

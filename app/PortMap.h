#pragma once
// Port numbers to devices: explicit --port N=DEVICE entries, the simulated camera as port 1,
// then the serial devices found on the machine.

#include <QString>
#include <QStringList>
#include <map>

class PortMap {
public:
    void assign(int number, const QString& device);
    // Gives the device the lowest free number (from 1); a device already mapped keeps its number.
    int append(const QString& device);
    QString device(int number) const;  // empty when the number means nothing
    int numberOf(const QString& device) const;  // 0 when not mapped
    const std::map<int, QString>& entries() const { return entries_; }
    // The serial devices of this machine, stable by-id names first.
    static QStringList scanDevices();
    // Parses "N=DEVICE"; false on bad text.
    static bool parseOption(const QString& text, int& number, QString& device);

private:
    std::map<int, QString> entries_;
};

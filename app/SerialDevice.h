#pragma once
// What the system says about one serial device, read from the device node and sysfs without
// opening it and without walking the machine's list of terminals.

#include <QString>

struct SerialDeviceFacts {
    QString device;        // as named
    QString node;          // the device node behind a link ("/dev/ttyUSB0"); empty if missing
    QString byIdName;      // its /dev/serial/by-id name, for a USB adapter
    QString description;   // a USB adapter's product text
    QString serialNumber;  // a USB adapter's serial number
    QString driver;        // the kernel driver ("ftdi_sio"); empty for a pseudo-terminal
    bool exists() const { return !node.isEmpty(); }
};

SerialDeviceFacts serialDeviceFacts(const QString& device);

// Whether this user may open the node for reading and writing; when not, the group that may.
struct DeviceAccess {
    bool allowed = false;
    QString group;  // the node's group ("dialout")
};
DeviceAccess deviceAccess(const QString& node);

#pragma once
// Who else has a serial device: the program that keeps the device's lock file, or one with the
// device open, found in /proc. For messages only; nothing here opens the device.

#include <QString>

// "name (process 1234)" of another process that holds `device`; empty when none is found.
QString deviceHolder(const QString& device);

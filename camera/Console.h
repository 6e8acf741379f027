#pragma once
// The engineering console: raw writes of one to three bytes to a controller address, raw reads
// of one byte, and the controller's Save and Att commands.

#include <QString>
#include <array>
#include <optional>

#include "camera/Outcome.h"

namespace camera {

class Camera;

struct RegisterAnswer {
    bool replied = false;          // the camera sent a register reply
    std::optional<uint8_t> value;  // its value byte; empty for a refusal or a broken reply
    Outcome outcome;               // ok false: nothing was sent (the messages say why)
};

// The write boxes: the address and three data bytes, each byte box in use or not.
struct RegisterWrite {
    QString address;
    std::array<QString, 3> bytes;
    std::array<bool, 3> inUse{true, true, true};
};

// A box holding its first text ("Text1"), or nothing at all, has no value.
bool consoleEmpty(const QString& text);

// Row 85 from the boxes. With "byte 1" out of use the last write goes out again, with its own
// length. The camera answers with the register's value.
RegisterAnswer writeRegister(Camera& camera, const RegisterWrite& write);
// Row 84; an empty address sends nothing and says nothing.
RegisterAnswer readRegister(Camera& camera, const QString& addressText);

// Sends the register row already filled and takes the camera's register reply. A reply without
// a value shows a note on the link's status line.
RegisterAnswer transmitRegisterCommand(Camera& camera);

void consoleSave(Camera& camera);
void consoleAtt(Camera& camera);

}  // namespace camera

#pragma once
// The camera's serial number as the service engineer gives it: the typed text checked, then
// sent as S n lo hi 0.

#include <QString>
#include <optional>

#include "camera/Outcome.h"

class CommsEngine;

namespace camera {

class Camera;

inline const QString kSerialTooLarge =
    QStringLiteral("Sorry, the serial Number must be less than 65535");
inline const QString kSerialEmpty = QStringLiteral("No serial number entered");
inline const QString kSerialNotANumber =
    QStringLiteral("The serial number must be a whole number from 0 to 65534");

// The number a text gives ("000123" is 123), or nothing with the message refusing it: empty,
// not a whole number, or 65535 and above.
std::optional<int> serialNumberFromText(const QString& text, QString* refusal);
// The same, the refusal as the message the design shows (information icon, "Orvik 3").
Outcome checkSerialNumber(const QString& text, int* number);

// Sends the number; true when the camera acknowledged it.
bool sendSerialNumber(CommsEngine& engine, int number);
bool sendSerialNumber(Camera& camera, int number);

}  // namespace camera

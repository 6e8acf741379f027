#pragma once
// The camera's settings: fixed command rows (option buttons, test pictures, iris, sensor kit,
// video standard, resets), and the rows filled from typed or listed values (gain, offset, iris
// pulse width, LCD, transmitter channels, picture colour, the options of "Send options").

#include <QString>

#include "camera/Console.h"
#include "camera/Outcome.h"

namespace camera {

class Camera;

// Row numbers the buttons send.
namespace Rows {
constexpr int IrisTest = 13, OpenIris = 15, IrisNormal = 17, TestCard = 12, Bars = 10;
constexpr int ZoomIn = 21, Pal = 66, Ntsc = 65;
constexpr int KitLockheed = 64, KitAsi = 61, KitOldBst = 63, KitNewBst = 62;
}  // namespace Rows

// A fixed row: the table refilled (Constants), then the row sent.
void sendFixedRow(Camera& camera, int row);
// A row whose letters go out as they stand, without the table being refilled first. The length
// is set too: the last command may have left a longer one.
void sendRowAsIs(Camera& camera, int row);

// "The gain must be a whole number from 0 to 255." when the text is not one; nothing is sent.
Outcome sendGain(Camera& camera, const QString& gainText);
// Offset: the row with the flag clear (a value of 50 or more goes out reduced by 50); with
// `both` it then goes again with the flag set.
Outcome sendOffset(Camera& camera, const QString& offsetText, bool both = true);
void sendIrisPulseWidth(Camera& camera, const QString& widthText);
// "Normal operation": the iris row, then the status follow-up.
void irisNormalOperation(Camera& camera);
void sendLcd(Camera& camera, const QString& brightness, const QString& contrast,
             const QString& colour);
void sendTxChannels(Camera& camera, const QString& channelsText);
void sendPictureColour(Camera& camera, int listIndex);

// "Send options": spot sensor, ambient sensor, unit and time/date display.
struct DisplayOptions {
    bool spotOn = true, ambientOn = true, fahrenheit = false, timeDateOn = true;
};
void sendOptions(Camera& camera, const DisplayOptions& options);

// Before the new BST kit is chosen its controller is woken (Att), told its sensor in register 3
// and made to keep it (Save); the kit row follows. The answer is the register write's reply.
constexpr int kBstRegister = 3, kBstValue = 6;
RegisterAnswer prepareNewBstController(Camera& camera);

}  // namespace camera

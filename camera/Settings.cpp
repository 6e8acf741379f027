#include "camera/Settings.h"

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Console.h"
#include "camera/Recording.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"
#include "status/TypedBytes.h"

namespace camera {

namespace {

void send(Camera& camera, int row) {
    camera.state().CommandIndex = static_cast<uint8_t>(row);
    transmitRecorded(camera);
}

Outcome typedByte(const QString& text, const QString& what, uint8_t& value) {
    Outcome out;
    if (const std::optional<uint8_t> v = byteEntry(text))
        value = *v;
    else
        out.fail({QString("The %1 must be a whole number from 0 to 255.").arg(what), "Orvik 3",
                  MsgIcon::Exclamation});
    return out;
}

}  // namespace

void sendFixedRow(Camera& camera, int row) {
    camera.state().CommandIndex = static_cast<uint8_t>(row);
    Constants(camera.state());
    transmitRecorded(camera);
}

void sendRowAsIs(Camera& camera, int row) {
    camera.state().CommandLength = 1;
    send(camera, row);
}

Outcome sendGain(Camera& camera, const QString& gainText) {
    uint8_t gain = 0;
    Outcome out = typedByte(gainText, "gain", gain);
    if (!out.ok) return out;
    BSTGain_Constants(camera.state(), QString::number(gain));
    send(camera, Row::Gain);
    return out;
}

Outcome sendOffset(Camera& camera, const QString& offsetText, bool both) {
    uint8_t offset = 0;
    Outcome out = typedByte(offsetText, "offset", offset);
    if (!out.ok) return out;
    Recording recording(camera);
    for (bool flag : {false, true}) {
        if (flag && !both) break;
        BSTOffset_Constants(camera.state(), QString::number(offset), flag);
        send(camera, Row::Offset);
    }
    return out;
}

void sendIrisPulseWidth(Camera& camera, const QString& widthText) {
    BSTIrisPulseWidth_Constants(camera.state(), widthText);
    send(camera, Row::IrisPulse);
}

void irisNormalOperation(Camera& camera) {
    Recording recording(camera);
    sendFixedRow(camera, Rows::IrisNormal);
    sendFixedRow(camera, Row::StatusFollowUp);
}

void sendLcd(Camera& camera, const QString& brightness, const QString& contrast,
             const QString& colour) {
    Recording recording(camera);
    LCDSetup_Constants(camera.state(), brightness, contrast, colour);
    for (int row : {Row::LcdBrightness, Row::LcdContrast, Row::LcdColour}) send(camera, row);
}

void sendTxChannels(Camera& camera, const QString& channelsText) {
    TxChannel_Constants(camera.state(), channelsText);
    send(camera, Row::TxChannels);
}

void sendPictureColour(Camera& camera, int listIndex) {
    PictureColour_Constants(camera.state(), listIndex);
    send(camera, Row::PictureColour);
}

void sendOptions(Camera& camera, const DisplayOptions& o) {
    camera.state().LastReply.clear();
    SendOptions(camera.engine(), o.spotOn, o.ambientOn, o.fahrenheit, o.timeDateOn);
    const bool ack = camera.state().LastReply.contains(cameraAck());
    recordEvent(camera, "command", ack,
                {{"what", "setting"},
                 {"options", QJsonObject{{"spot", o.spotOn},
                                         {"ambient", o.ambientOn},
                                         {"fahrenheit", o.fahrenheit},
                                         {"time and date", o.timeDateOn}}},
                 {"acknowledged", ack}});
}

RegisterAnswer prepareNewBstController(Camera& camera) {
    Recording recording(camera);
    consoleAtt(camera);
    const uint8_t value = kBstValue;
    TalkToVemra(camera.state(), kBstRegister, &value, 1);
    camera.state().CommandIndex = Row::VemraWrite;
    const RegisterAnswer answer = transmitRegisterCommand(camera);
    consoleSave(camera);
    return answer;
}

}  // namespace camera

#include "camera/Console.h"

#include <vector>

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Recording.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"
#include "status/TypedBytes.h"

namespace camera {

namespace {

const QString kNoData = "No data is to be sent because, there is no data in the text boxs.";
const QString kRange = "The address and the data bytes must be whole numbers from 0 to 255.";
const QString kNoAnswer = "The camera gave no register value.";

RegisterAnswer refused(const QString& text, MsgIcon icon) {
    RegisterAnswer a;
    a.outcome.fail({text, "Orvik 3", icon});
    return a;
}

}  // namespace

bool consoleEmpty(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() || t == "Text1";
}

RegisterAnswer transmitRegisterCommand(Camera& camera) {
    SharedState& s = camera.state();
    CommsEngine& engine = camera.engine();
    RegisterAnswer answer;
    auto previous = std::move(engine.handlers.engineeringRead);
    engine.handlers.engineeringRead = [&] {
        answer.replied = true;
        answer.value = registerReplyValue(s.RxPacket, Framing::from(s));
        if (!answer.value) engine.showNote(kNoAnswer);
    };
    s.EngineeringReadMode = true;
    engine.Transmit();
    // A send that never reached the wait must not leave the next command waiting for a register.
    s.EngineeringReadMode = false;
    engine.handlers.engineeringRead = std::move(previous);
    recordRegisterCommand(camera, answer.value.has_value());
    return answer;
}

RegisterAnswer writeRegister(Camera& camera, const RegisterWrite& w) {
    SharedState& s = camera.state();
    s.CommandIndex = Row::VemraWrite;
    if (consoleEmpty(w.address)) return refused(kNoData, MsgIcon::None);
    if (!w.inUse[0]) {
        const int k = s.CommandTable[Row::VemraWrite][4];
        if (k < 1 || k > 3) return refused(kNoData, MsgIcon::None);
        s.CommandLength = static_cast<int16_t>(4 + k);
        return transmitRegisterCommand(camera);
    }
    if (consoleEmpty(w.bytes[0])) return refused(kNoData, MsgIcon::None);
    std::vector<QString> texts{w.address, w.bytes[0]};
    if (w.inUse[1] && !consoleEmpty(w.bytes[1])) {
        texts.push_back(w.bytes[1]);
        if (w.inUse[2] && !consoleEmpty(w.bytes[2])) texts.push_back(w.bytes[2]);
    }
    uint8_t values[4] = {};
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::optional<uint8_t> v = byteEntry(texts[i]);
        if (!v) return refused(kRange, MsgIcon::Exclamation);
        values[i] = *v;
    }
    TalkToVemra(s, values[0], values + 1, int(texts.size()) - 1);
    return transmitRegisterCommand(camera);
}

RegisterAnswer readRegister(Camera& camera, const QString& addressText) {
    if (consoleEmpty(addressText)) {
        RegisterAnswer silent;
        silent.outcome.ok = false;
        return silent;
    }
    const std::optional<uint8_t> address = byteEntry(addressText);
    if (!address) return refused(kRange, MsgIcon::Exclamation);
    ReadFromVemra_Constants(camera.state(), QString::number(*address));
    camera.state().CommandIndex = Row::VemraRead;
    return transmitRegisterCommand(camera);
}

void consoleSave(Camera& camera) {
    BSTVemraSave_constant(camera.state());
    camera.state().CommandIndex = Row::VemraSave;
    transmitRecorded(camera);
}

void consoleAtt(Camera& camera) {
    BSTVemraAtt_constant(camera.state());
    camera.state().CommandIndex = Row::VemraAtt;
    transmitRecorded(camera);
}

}  // namespace camera

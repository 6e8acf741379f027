#include "camera/SerialNumber.h"

#include <QRegularExpression>
#include <algorithm>

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Recording.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"

namespace camera {

std::optional<int> serialNumberFromText(const QString& text, QString* refusal) {
    const QString t = text.trimmed();
    QString why;
    if (t.isEmpty())
        why = kSerialEmpty;
    else if (!std::all_of(t.begin(), t.end(), [](QChar c) { return c >= '0' && c <= '9'; }))
        why = kSerialNotANumber;
    else {
        // Leading zeros add nothing; the length test keeps a long text from overflowing.
        const qsizetype first = t.indexOf(QRegularExpression("[^0]"));
        const QString digits = first < 0 ? QStringLiteral("0") : t.mid(first);
        if (digits.size() <= 5 && digits.toInt() < 65535) return digits.toInt();
        why = kSerialTooLarge;
    }
    if (refusal) *refusal = why;
    return std::nullopt;
}

Outcome checkSerialNumber(const QString& text, int* number) {
    QString refusal;
    Outcome outcome;
    const std::optional<int> n = serialNumberFromText(text, &refusal);
    if (!n) return outcome.fail({refusal, QStringLiteral("Orvik 3"), MsgIcon::Information});
    if (number) *number = *n;
    return outcome;
}

bool sendSerialNumber(CommsEngine& engine, int number) {
    SharedState& s = engine.state();
    s.LastReply.clear();
    SerialNumber_Constants(s, number);
    s.CommandIndex = Row::SerialNumber;
    engine.Transmit();
    const bool ack = s.LastReply.contains(cameraAck());
    if (ack) s.CameraSerialNumber = number;  // what the camera holds now, for the next opening
    return ack;
}

bool sendSerialNumber(Camera& camera, int number) {
    const history::Recorder* r = camera.history();
    const QString old = r ? r->camera() : QString();
    const bool ack = sendSerialNumber(camera.engine(), number);
    recordEvent(camera, "serial", ack, {{"old", old}, {"new", number}, {"acknowledged", ack}});
    return ack;
}

}  // namespace camera

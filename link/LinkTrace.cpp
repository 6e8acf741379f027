#include "link/LinkTrace.h"

#include <QDateTime>

#include "link/Packet.h"

namespace {

constexpr char kDle = 0x10, kStx = 0x02, kEtx = 0x03;

QString hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ')).toUpper();
}

QString letter(char c) {
    const auto u = static_cast<uint8_t>(c);
    return u >= 0x21 && u < 0x7F ? QString(QChar(u)) : QString::asprintf("0x%02X", u);
}

int word(const QByteArray& t, int highAt) {
    return 256 * uint8_t(t[highAt]) + uint8_t(t[highAt + 1]);
}

bool checksumGood(const QByteArray& text, int length) {
    QByteArray result;
    return CheckPacket(text, length, result);
}

}  // namespace

QString describePcPayload(const QByteArray& p, bool preamble) {
    if (p.size() >= 2 && p[0] == 'C') {
        const char code = p[1];
        if (code == 0x06 && p.size() == 2) return "control ACK";
        if (code == 0x15)
            return p.size() == 3 ? QString("control NAK%1").arg(int(p[2])) : "control NAK";
        if (code == 'x' && p.size() == 2) return "end of transfer";
        if (code == 'b' && p.size() == 34) return "splash block (32 bytes)";
    }
    if (p.size() == 34 && p[0] == 'J' && p[1] == 'b') return "FPGA block (32 bytes)";
    if (!preamble && p == "Sr") return "status request";
    if (p.size() < 2) return "packet " + hex(p);
    QString text = "command " + letter(p[0]) + " " + letter(p[1]);
    if (p.size() > 2) text += ", parameters " + hex(p.mid(2));
    return text;
}

QString describeCameraReply(const QByteArray& t, int expected) {
    if (t.isEmpty()) return "nothing";
    QStringList kinds;
    if (t.contains(cameraAck())) kinds << "ACK";
    if (t.contains(cameraNak())) kinds << "NAK";
    if (t.contains(cameraCan())) kinds << "CAN";
    if (!kinds.isEmpty() && t.size() == 9) return "reply " + kinds.join(", ");
    const bool framed = t.size() >= 5 && t[0] == kDle && t[1] == kStx;
    if (framed && t.size() == expected) {
        const QString sum = checksumGood(t, expected) ? ", checksum good" : ", checksum bad";
        switch (expected) {
            case 40:
                return (word(t, 2) == 0xFFFF ? QString("picture header")
                                             : QString("picture packet %1").arg(word(t, 2))) +
                       sum;
            case 57:
                return "status block" + sum;
            case 8:
                return QString("picture count %1").arg(uint8_t(t[4]));
            case 10:
                return QString("register %1 holds %2").arg(uint8_t(t[5])).arg(uint8_t(t[4]));
            case 11:
                if (t[4] == 'c') return QString("splash block request %1").arg(word(t, 5)) + sum;
                break;
            case 12:
                if (t[4] == 'J') return QString("FPGA block request %1").arg(word(t, 6)) + sum;
                break;
        }
    }
    QString text = QString("%1 bytes: %2").arg(t.size()).arg(hex(t.left(64)));
    if (t.size() > 64) text += " ...";
    if (!kinds.isEmpty()) text += " (contains " + kinds.join(", ") + ")";
    return text;
}

bool LinkTrace::start(const QString& path) {
    stop();
    file_.setFileName(path);
    return file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
}

void LinkTrace::stop() {
    if (file_.isOpen()) file_.close();
    pending_.clear();
    lastPort_.clear();
}

void LinkTrace::portOpened(int number, const QString& settings, bool lowLatency) {
    const QString text = QString("port %1 open at %2, low latency: %3")
                             .arg(number)
                             .arg(settings, lowLatency ? "yes" : "no (the driver does not offer it)");
    if (text == lastPort_) return;
    lastPort_ = text;
    event(text);
}

void LinkTrace::line(const QString& direction, const QString& text) {
    const QString time = QDateTime::currentDateTime().toString("HH:mm:ss.zzz");
    file_.write((time + "  " + direction + "  " + text + "\n").toUtf8());
    file_.flush();  // a log that ends with a crash or a pulled cable still holds the last packet
}

void LinkTrace::event(const QString& text) {
    if (logging()) line("------", text);
}

void LinkTrace::incoming(const QByteArray& text, int expectedLength) {
    if (logging()) line("CAM>PC", describeCameraReply(text, expectedLength));
}

void LinkTrace::outgoing(const QByteArray& bytes) {
    pending_ += bytes;
    decodePending();
}

// A frame from the PC: sync bytes, DLE STX, the body with DLE doubled, DLE ETX, checksum and its
// complement taken raw.
void LinkTrace::decodePending() {
    for (;;) {
        int start = 0;
        while (start < pending_.size() && uint8_t(pending_[start]) == 0xFF) ++start;
        const bool preamble = start > 0;
        if (pending_.size() - start < 2) return;
        if (pending_[start] != kDle || pending_[start + 1] != kStx) {
            line("PC>CAM", "unframed bytes " + hex(pending_));
            pending_.clear();
            return;
        }
        QByteArray body;
        int i = start + 2;
        for (; i + 1 < pending_.size(); ++i) {
            if (pending_[i] == kDle && pending_[i + 1] == kDle)
                body += kDle, ++i;
            else if (pending_[i] == kDle && pending_[i + 1] == kEtx)
                break;
            else
                body += pending_[i];
        }
        if (i + 3 >= pending_.size()) return;  // the trailer has not been written yet
        const bool good = xorChecksum(body) == uint8_t(pending_[i + 2]);
        const QByteArray payload = body.size() >= 2 ? body.mid(2) : body;
        line("PC>CAM",
             describePcPayload(payload, preamble) + (good ? ", checksum good" : ", checksum bad"));
        pending_.remove(0, i + 4);
    }
}

#include "link/Packet.h"

#include <algorithm>

#include "app/SharedState.h"

Framing Framing::from(const SharedState& s) {
    return {s.SyncByte, s.DLE, s.STX, s.ETX, s.PacketTag, s.PacketAddress};
}

QByteArray CommandFrame::whole() const {
    QByteArray all = head;
    for (const QByteArray& b : body) all += b;
    return all + trailer;
}

static QByteArray bytes(std::initializer_list<uint8_t> list) {
    QByteArray out;
    for (uint8_t b : list) out.append(static_cast<char>(b));
    return out;
}

CommandFrame buildCommandFrame(const uint8_t* command, int count, const Framing& f) {
    CommandFrame frame;
    uint8_t sum = f.tag ^ f.address;
    frame.head = bytes({f.sync, f.sync, f.sync, f.sync, f.sync, f.dle, f.stx, f.tag, f.address});
    for (int i = 0; i < count; ++i) {
        const uint8_t b = command[i];
        frame.body.push_back(b == f.dle ? bytes({b, b}) : bytes({b}));
        sum ^= b;
    }
    frame.trailer = bytes({f.dle, f.etx, sum, static_cast<uint8_t>(255 - sum)});
    return frame;
}

QByteArray ackPacket() { return bytes({0x10, 0x02, 0x54, 0x01, 0x43, 0x06, 0x10, 0x03, 0x10, 0xEF}); }
QByteArray nakPacket() { return bytes({0x10, 0x02, 0x54, 0x01, 0x43, 0x15, 0x10, 0x03, 0x03, 0xFC}); }
QByteArray nak1Packet() {
    return bytes({0x10, 0x02, 0x54, 0x01, 0x43, 0x15, 0x01, 0x10, 0x03, 0x02, 0xFD});
}
QByteArray nak2Packet() {
    return bytes({0x10, 0x02, 0x54, 0x01, 0x43, 0x15, 0x02, 0x10, 0x03, 0x01, 0xFE});
}
std::vector<QByteArray> endOfTransferWrites() {
    return {bytes({0x10, 0x02, 0x54, 0x01}), bytes({0x43, 0x78}), bytes({0x10, 0x03, 0x6E, 0x91})};
}

QByteArray cameraAck() { return bytes({0x10, 0x02, 0x54, 0x01, 0x06, 0x10, 0x03, 0x53, 0xAC}); }
QByteArray cameraNak() { return bytes({0x10, 0x02, 0x54, 0x01, 0x15, 0x10, 0x03, 0x40, 0xBF}); }
QByteArray cameraCan() { return bytes({0x10, 0x02, 0x54, 0x01, 0x18, 0x10, 0x03, 0x4D, 0xB2}); }

std::vector<QByteArray> statusRequestWrites(const Framing& f) {
    const uint8_t sum = f.tag ^ f.address ^ 'S' ^ 'r';
    return {bytes({f.dle, f.stx, f.tag, f.address}), QByteArray("Sr"),
            bytes({f.dle, f.etx, sum, static_cast<uint8_t>(255 - sum)})};
}

uint8_t xorChecksum(QByteArrayView bytes) {
    uint8_t sum = 0;
    for (char c : bytes) sum ^= static_cast<uint8_t>(c);
    return sum;
}

std::optional<QByteArray> shortReplyValues(const QByteArray& reply, int valueBytes,
                                           bool withComplement, const Framing& f) {
    const int p = reply.indexOf(bytes({f.dle, f.stx, f.tag, f.address}));
    const int length = 4 + valueBytes + 3 + (withComplement ? 1 : 0);
    if (p < 0 || reply.size() - p < length) return std::nullopt;
    auto at = [&](int i) { return static_cast<uint8_t>(reply[p + i]); };
    const int trailer = 4 + valueBytes;
    const uint8_t sum = xorChecksum(QByteArrayView(reply).sliced(p + 2, 2 + valueBytes));
    if (at(trailer) != f.dle || at(trailer + 1) != f.etx || at(trailer + 2) != sum) return std::nullopt;
    if (withComplement && at(trailer + 3) != 255 - sum) return std::nullopt;
    return reply.mid(p + 4, valueBytes);
}

bool CheckPacket(const QByteArray& text, int length, QByteArray& transferResult) {
    if (text.isEmpty() || text == kResend || text == kCommsTimeout) {
        transferResult = text;
        return false;
    }
    transferResult = "none";
    if (length < 5 || text.size() < length - 1) return false;
    return xorChecksum(QByteArrayView(text).sliced(2, std::max(0, length - 6))) == static_cast<uint8_t>(text[length - 2]);
}

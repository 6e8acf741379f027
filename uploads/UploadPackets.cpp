#include "uploads/UploadPackets.h"

#include <algorithm>

#include "link/Packet.h"

namespace uploads {

namespace {

const QByteArray kSplashHeader("\x10\x02\x54\x01\x63", 5);
const QByteArray kFpgaHeader("\x10\x02\x54\x01\x4A\x73", 6);

uint8_t at(const QByteArray& text, int i) {
    return static_cast<uint8_t>(text[i]);
}

}  // namespace

QByteArray BlockWrites::whole() const {
    QByteArray all = head;
    for (const QByteArray& b : data) all += b;
    return all + trailer;
}

BlockWrites blockWrites(uint8_t letter, uint8_t code, const uint8_t* data) {
    // The command frame's stuffing and checksum, without its sync bytes.
    std::vector<uint8_t> body{letter, code};
    body.insert(body.end(), data, data + kBlockSize);
    CommandFrame frame = buildCommandFrame(body.data(), int(body.size()));
    BlockWrites w;
    w.head = frame.head.mid(5) + frame.body[0] + frame.body[1];
    w.data.assign(frame.body.begin() + 2, frame.body.end());
    w.trailer = frame.trailer;
    return w;
}

BlockWrites splashStartWrites() {
    const uint8_t body[] = {'C', 'u'};
    CommandFrame frame = buildCommandFrame(body, 2);
    return {frame.head.mid(5) + frame.body[0] + frame.body[1], {}, frame.trailer};
}

bool SplashChecksumOk(int hi, int lo, int checksum) {
    return checksum == (lo ^ hi ^ 54);
}

SplashReplyScan ScanSplashReply(const QByteArray& text) {
    SplashReplyScan best, bad;
    int last = -1;
    for (int p = text.indexOf(kSplashHeader); p >= 0; p = text.indexOf(kSplashHeader, p + 1)) {
        last = p;
        if (text.size() - p < 10) continue;
        SplashReplyScan s{SplashReplyScan::Complete, p, at(text, p + 5), at(text, p + 6),
                          at(text, p + 9)};
        if (SplashChecksumOk(s.hi, s.lo, s.checksum))
            best = s;
        else
            bad = s;
    }
    if (best.kind == SplashReplyScan::Complete) return best;
    if (last >= 0 && text.size() - last < 10) return {SplashReplyScan::Partial, last};
    bad.kind = SplashReplyScan::Bad;
    return bad;
}

int NextSplashBlock(int old, int asked) {
    if (asked == 0) return old;
    if (asked > old + 1) return old + 1;
    return asked;
}

std::vector<uint8_t> fpgaBlockData(const std::vector<uint8_t>& rbf, int block) {
    block = std::clamp(block, 0, kFpgaLastBlock);
    const int offset = block * kBlockSize;
    const int count = block == kFpgaLastBlock ? kFpgaBytes - offset : kBlockSize;
    std::vector<uint8_t> data(kBlockSize, 0xAA);
    for (int i = 0; i < count; ++i) data[i] = offset + i < int(rbf.size()) ? rbf[offset + i] : 0;
    return data;
}

bool FpgaAckIsAck(const QByteArray& reply) {
    const int p = reply.indexOf(QByteArray("\x10\x02", 2));
    return p >= 0 && p + 4 < reply.size() && at(reply, p + 4) == 0x06;
}

std::optional<int> FpgaRequestedBlock(const QByteArray& reply) {
    const int p = reply.indexOf(kFpgaHeader);
    if (p < 0 || reply.size() < p + 8) return std::nullopt;
    const uint8_t hi = at(reply, p + 6), lo = at(reply, p + 7);
    if (reply.size() > p + 10 && at(reply, p + 10) != (0x54 ^ 0x01 ^ 'J' ^ 's' ^ hi ^ lo))
        return std::nullopt;
    return 256 * hi + lo;
}

uint8_t reverseBits(uint8_t b) {
    uint8_t r = 0;
    for (int i = 0; i < 8; ++i) r |= ((b >> i) & 1) << (7 - i);
    return r;
}

QByteArray FpgaConversionText(const std::vector<uint8_t>& rbf, int count) {
    static const char* const kHex = "0123456789ABCDEF";
    QByteArray text("DB ");
    text.reserve(count * 6 + 8);
    for (int i = 0; i < count; ++i) {
        const uint8_t v = reverseBits(i < int(rbf.size()) ? rbf[i] : 0);
        if (i > 0 && i % 10 == 0) text += "\r\nDB ";
        text += "0x";
        text += kHex[v >> 4];
        text += kHex[v & 0x0F];
        text += ',';
    }
    return text;
}

}  // namespace uploads

#include "status/TypedBytes.h"

#include <algorithm>

#include "link/Packet.h"

std::optional<uint8_t> byteEntry(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || !std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok || v > 255) return std::nullopt;
    return static_cast<uint8_t>(v);
}

std::optional<uint8_t> registerReplyValue(const QByteArray& reply, const Framing& f) {
    const char bytes[] = {char(f.dle), char(f.stx), char(f.tag), char(f.address)};
    const QByteArray header(bytes, 4);
    const int p = reply.indexOf(header);
    if (p < 0 || reply.size() - p < 10) return std::nullopt;
    auto at = [&](int i) { return static_cast<uint8_t>(reply[p + i]); };
    if (at(6) != f.dle || at(7) != f.etx) return std::nullopt;
    const uint8_t chk = f.tag ^ f.address ^ at(4) ^ at(5);
    if (at(8) != chk || at(9) != 255 - chk) return std::nullopt;
    return at(4);
}

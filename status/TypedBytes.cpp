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
    const std::optional<QByteArray> values = shortReplyValues(reply, 2, true, f);
    if (!values) return std::nullopt;
    return static_cast<uint8_t>(values->at(0));
}

#pragma once
// Values the user types for the camera's one-byte parameters, and the byte a register reply
// carries. Plain text in, plain values out.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

struct Framing;

// A whole number from 0 to 255, blanks around it allowed; anything else gives nothing.
std::optional<uint8_t> byteEntry(const QString& text);

// The value byte of the camera's register reply (DLE STX tag address value register DLE ETX chk
// ~chk, chk the XOR of tag to register), found after whatever precedes its header. A refusal
// (NAK or CAN), a reply cut short or one with a bad checksum gives nothing.
std::optional<uint8_t> registerReplyValue(const QByteArray& reply, const Framing& f);

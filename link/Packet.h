#pragma once
// The wire format: command frames with byte stuffing and an XOR checksum, the fixed control
// packets, the camera's acknowledgements, and the data-packet check. No I/O here.

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <optional>
#include <vector>

struct SharedState;

struct Framing {
    uint8_t sync = 255, dle = 16, stx = 2, etx = 3, tag = 84, address = 1;
    static Framing from(const SharedState& s);
};

// A command frame in the pieces it is written in: the preamble and header in one write, each
// command byte (with its stuffing copy) by itself, the trailer in one write.
struct CommandFrame {
    QByteArray head;
    std::vector<QByteArray> body;
    QByteArray trailer;
    QByteArray whole() const;
};
CommandFrame buildCommandFrame(const uint8_t* bytes, int count, const Framing& f = {});

// The PC's control packets, sent while a picture arrives.
QByteArray ackPacket();
QByteArray nakPacket();
QByteArray nak1Packet();
QByteArray nak2Packet();
// The end-of-transfer packet in its three writes.
std::vector<QByteArray> endOfTransferWrites();

// The camera's acknowledgements, found in a reply by containment.
QByteArray cameraAck();
QByteArray cameraNak();
QByteArray cameraCan();

// The fixed status request in its three writes.
std::vector<QByteArray> statusRequestWrites(const Framing& f = {});

// True when the XOR of positions 3 to L-4 (1-based) equals position L-1. The result words
// "Resend" and "COMMS TIMEOUT" and the empty text fail at once and become the transfer result;
// any other text makes the transfer result "none". Short texts fail without reading past the end.
bool CheckPacket(const QByteArray& text, int length, QByteArray& transferResult);

// The XOR of the bytes, starting from 0: the checksum of every packet kind.
uint8_t xorChecksum(QByteArrayView bytes);

// The value bytes of a short reply (DLE STX tag address, `valueBytes` bytes, DLE ETX, the XOR
// of tag to the last value byte and, where `withComplement`, 255 minus it), found after
// whatever precedes its header. Nothing when the reply is cut short or its checksum is bad.
std::optional<QByteArray> shortReplyValues(const QByteArray& reply, int valueBytes,
                                           bool withComplement, const Framing& f);

// Result words of a packet wait.
inline const QByteArray kResend = "Resend";
inline const QByteArray kCommsTimeout = "COMMS TIMEOUT";

#pragma once
// The packets of the two camera-driven uploads and the camera's block requests. No I/O here.

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <vector>

namespace uploads {

constexpr int kBlockSize = 32;

// A block packet in the pieces it is written in: DLE STX T 01 and the two letters in one write,
// each data byte by itself (a DLE with its copy), DLE ETX checksum complement in one write.
struct BlockWrites {
    QByteArray head;
    std::vector<QByteArray> data;
    QByteArray trailer;
    QByteArray whole() const;
};
BlockWrites blockWrites(uint8_t letter, uint8_t code, const uint8_t* data);

// The splash upload's start packet (C u): header, then trailer.
BlockWrites splashStartWrites();

// --- Splash requests: DLE STX T 01 'c' hi lo DLE ETX chk ~chk.
struct SplashReplyScan {
    enum Kind { Bad, Partial, Complete };
    Kind kind = Bad;
    int at = -1;  // where the request starts in the text
    uint8_t hi = 0, lo = 0, checksum = 0;
};
// Finds the camera's request in what arrived. A complete request whose checksum holds is
// preferred, the latest of them when several arrived; otherwise a request still arriving
// (5 to 9 bytes) is Partial; otherwise a complete one with a bad checksum, or nothing, is Bad.
SplashReplyScan ScanSplashReply(const QByteArray& text);
bool SplashChecksumOk(int hi, int lo, int checksum);

// The block to send after the camera asked for `asked`, `old` being the one sent last: the next
// one, the same one again, never a skip ahead, and a request for 0 changes nothing.
int NextSplashBlock(int old, int asked);

// --- FPGA.
constexpr int kFpgaFileSize = 59216;
constexpr int kFpgaBytes = 59215;  // what goes to the camera
constexpr int kFpgaLastBlock = 1850;
constexpr int kFpgaLastBlockOffset = kFpgaLastBlock * kBlockSize;  // 59 200
constexpr int kFpgaHalfwayBlock = 925;

// The 32 data bytes of block n: the last block holds 15 bytes and 17 bytes 0xAA. A block beyond
// the last is the last block.
std::vector<uint8_t> fpgaBlockData(const std::vector<uint8_t>& rbf, int block);

// True when the camera's acknowledgement of the start command is ACK.
bool FpgaAckIsAck(const QByteArray& reply);
// The block number the camera asks for (J s hi lo). A request whose checksum arrived and does
// not hold is not taken: a damaged number would put a block in the wrong place.
std::optional<int> FpgaRequestedBlock(const QByteArray& reply);

uint8_t reverseBits(uint8_t b);
// The text conversion: "DB " and ten "0xHH," items a line, lines ended by CR LF, the bytes bit
// reversed, no line end after the last item.
QByteArray FpgaConversionText(const std::vector<uint8_t>& rbf, int count = kFpgaBytes);

}  // namespace uploads

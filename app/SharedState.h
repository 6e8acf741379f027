#pragma once
// The program's shared variables: one instance per program, handed to the forms and the engine.
// Names follow the design so the forms, the engine and the tests speak of the same things.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

constexpr int kCommandRows = 121;
constexpr int kCommandColumns = 34;
constexpr int kImageWidth = 320;
constexpr int kImageHeight = 240;
constexpr int kImagePixels = kImageWidth * kImageHeight;  // 76 800
constexpr int kImagePackets = kImagePixels / 32;           // 2 400

// What one picture transfer went through; the designed transfer reports none of it.
struct LinkHealth {
    int packets = 0;      // data packets accepted
    int nak1 = 0;         // wrong packet numbers answered by NAK1
    int nak2 = 0;         // bad checksums answered by NAK2
    int timeouts = 0;     // idle time-outs ("Resend")
    int resends = 0;      // control packets sent again after a time-out
    int patched = 0;      // places filled by repeating a neighbour (the NAK1 recovery)
};

struct SharedState {
    // Command table and framing constants.
    std::array<std::array<uint8_t, kCommandColumns>, kCommandRows> CommandTable{};
    uint8_t CommandIndex = 0;
    int16_t CommandLength = 1;
    uint8_t SyncByte = 255, DLE = 16, STX = 2, ETX = 3, PacketTag = 84, PacketAddress = 1;

    // Reply modes and replies.
    bool PacketTransferMode = false;
    bool BulkReplyMode = false;
    bool FpgaAckMode = false;
    QByteArray FpgaAckReply;
    bool FpgaAckReceived = false;
    bool SplashReplyMode = false;
    int16_t SplashReplyLength = 0;
    QByteArray SplashReply;
    int16_t ReplyByteCount = 0;
    int16_t SplashTimeoutCount = 0;
    bool SplashTimedOut = false;
    bool FpgaBlockMode = false;
    QByteArray FpgaBlockReply;
    bool FpgaBlockReplyReceived = false;
    bool EngineeringReadMode = false;
    bool ImageCountRequested = false;
    QByteArray RxPacket;
    QByteArray LastReply;  // what the last plain wait read (the common tail's text)

    // Transfer state.
    QByteArray TransferResult;
    QByteArray LastReplySent;
    int32_t PacketNumber = 0;
    int32_t ExpectedPacketNumber = -1;
    int16_t ResendCount = 0;
    int32_t ImageWriteOffset = 0;
    bool ImageTransferComplete = false;  // all 2 400 places filled and the end packet sent
    LinkHealth TransferHealth;

    // The last transferred picture.
    std::vector<uint8_t> ImageBuffer = std::vector<uint8_t>(kImagePixels + 1);
    std::array<int16_t, 21> ImageHeader{};
    bool DownloadStarted = false;

    // Ports and connection.
    std::array<bool, 5> PortPresent{};
    bool AdvancedConnect = false;

    // Edition and screens.
    bool CustomerMode = false;
    bool CustomerScreenLoaded = false;
};

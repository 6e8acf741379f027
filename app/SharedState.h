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
    // A verified download: the downloads made (0: not verified), the differing packets a third
    // download decided by majority, and those on which no two of three agreed.
    int downloads = 0;
    int decided = 0;
    int undecided = 0;
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

    // Camera status kept after a read.
    int32_t CameraSerialNumber = 0;
    int32_t StatusSerialNumber = 0;
    QString SerialNumberText;
    bool StatusCommsError = false;
    bool NewFirmware = false;
    bool OldFirmware = false;
    int16_t StoredImageCount = 0;
    double StoredImageCountRaw = 0;
    QString TempUnitText;
    int16_t TempUnitLetter = 0;
    QString ColourationText;
    bool StatusReadBusy = false;  // option buttons send nothing while a status read sets them

    // The setup summary's ways out.
    QString ReportFilePath;
    bool ReportSaved = false;

    // The PC clock as last read into a set of time lists.
    int PcHour = 0, PcMinute = 0, PcDay = 0, PcMonth = 0, PcYear = 0;

    // Splash upload.
    int16_t SplashBitsPerPixel = 0;                    // 24 once a file is opened
    std::vector<std::array<uint8_t, 3>> SplashPixels;  // blue, green, red, in file order
    std::vector<uint8_t> SplashImage;                  // 76 800 bytes, top row first
    QString SplashFileName, SplashFileTitle;
    double SplashBlockIndex = 0;  // the block to send next
    QString SplashIndexHigh, SplashIndexLow;
    bool SplashReplyValid = false;
    bool SplashPartialPending = false;
    QByteArray SplashPartialReply;
    int16_t SplashBadReplyCount = 0;
    bool SplashDone = false;
    bool SplashAborted = false;

    // FPGA configuration upload.
    std::vector<uint8_t> RbfData = std::vector<uint8_t>(59216);
    double FpgaBlockIndex = 0;  // the block the camera asked for last
    bool FpgaSendNext = false;
    bool FpgaAckOk = false;
    bool FpgaAckRefused = false;
    bool FpgaLastBlockSent = false;
};

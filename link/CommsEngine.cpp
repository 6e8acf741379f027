#include "link/CommsEngine.h"

#include <algorithm>
#include <cstring>

#include "app/Dialogs.h"
#include "app/LinkObserver.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "app/Wait.h"
#include "link/Packet.h"
#include "link/PortDiscovery.h"

const QString CommsEngine::kBusyNote =
    "The camera is still answering; try again when it has finished.";
const QString CommsEngine::kNoConfirmation =
    "The camera did not confirm the last command; it may not have been carried out.";
const QString CommsEngine::kCameraGone =
    "The camera is not connected: its serial device has gone. Connect the cable again and "
    "repeat the command.";

class CommsEngine::WaitScope {
  public:
    explicit WaitScope(int& n) : n_(n) { ++n_; }
    ~WaitScope() { --n_; }

  private:
    int& n_;
};

CommsEngine::CommsEngine(SharedState& state, SerialPort& port, Dialogs& dialogs, Timing timing,
                         QObject* parent)
    : QObject(parent),
      s_(state),
      traced_(port, trace_),
      port_(traced_),
      dialogs_(dialogs),
      timing_(timing) {
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setSingleShot(true);  // its tick only disables it
}

bool CommsEngine::refuseWhileBusy() {
    if (!busy()) return false;
    if (observer_) observer_->showNote(kBusyNote);
    noteShown_ = busyNoteShown_ = true;
    return true;
}

void CommsEngine::showNote(const QString& text) {
    noteShown_ = !text.isEmpty();
    noteThisExchange_ = noteThisExchange_ || noteShown_;
    busyNoteShown_ = false;
    if (observer_) observer_->showNote(text);
}

// A command that succeeded makes an earlier line of ours untrue; its own stays.
void CommsEngine::commandSucceeded() {
    if (noteShown_ && !noteThisExchange_) showNote(QString());
}

// One exchange the user started, however many waits it takes: the line it leaves is cleared
// only by a later one that succeeds, and the busy note goes when it ends.
class CommsEngine::ExchangeScope {
  public:
    explicit ExchangeScope(CommsEngine& e) : e_(e) {
        if (e_.exchanges_++ == 0) e_.noteThisExchange_ = false;
    }
    ~ExchangeScope() {
        if (--e_.exchanges_ == 0 && e_.busyNoteShown_) e_.showNote(QString());
    }

  private:
    CommsEngine& e_;
};

// Once per loss a message, and the note line while it lasts; a healthy wait clears the note.
bool CommsEngine::deviceGone() {
    if (!port_.deviceLost()) {
        if (goneTold_ && port_.portOpen()) {
            goneTold_ = false;
            showNote(QString());
        }
        return false;
    }
    showNote(kCameraGone);
    if (!goneTold_) dialogs_.message(kCameraGone, "Orvik 3", MsgIcon::Exclamation);
    goneTold_ = true;
    return true;
}

void CommsEngine::reportPortError(const CommError& error) {
    if (deviceGone()) return;
    const QString text = portErrorText(error);
    if (!text.isEmpty()) dialogs_.message(text, "Orvik 3: Error", MsgIcon::Exclamation);
}

void CommsEngine::Transmit() {
    if (refuseWhileBusy()) return;
    if (stopRequested()) return;  // the user stopped the work: nothing more goes out
    ExchangeScope exchange(*this);
    try {
        if (port_.portOpen()) port_.setPortOpen(false);
        if (port_.portOpen()) return;
        port_.setPortOpen(true);
        yieldOnce();
        transmitFrame();
        if (s_.PacketTransferMode && !s_.FpgaAckMode) {
            DownloadImagePackets();
            if (port_.portOpen()) port_.setPortOpen(false);
            // Left set, every later command would wait 7 s and drop its reply.
            s_.BulkReplyMode = false;
        } else {
            Receive();
        }
    } catch (const CommError& e) {
        reportPortError(e);
    }
    s_.PacketTransferMode = false;
}

void CommsEngine::transmitFrame() {
    const int count = s_.CommandLength + 1;
    if (s_.CommandIndex >= kCommandRows || count < 1 || count > kCommandColumns - 1) return;
    const auto& row = s_.CommandTable[s_.CommandIndex];
    const CommandFrame frame = buildCommandFrame(&row[1], count, Framing::from(s_));
    port_.output(frame.head);
    for (const QByteArray& b : frame.body) port_.output(b);
    port_.output(frame.trailer);
    yieldOnce();
}

bool CommsEngine::waitForCount(int count) {
    WaitScope scope(waiting_);
    waitWhile(Timer1, [&] { return port_.inBufferCount() >= count || port_.deviceLost(); });
    deviceGone();
    replied_ = port_.inBufferCount() > 0;
    return port_.inBufferCount() >= count;
}

void CommsEngine::Receive() {
    ExchangeScope exchange(*this);
    try {
        const int interval = (s_.SplashReplyMode || s_.FpgaBlockMode) ? timing_.shortReplyMs
                             : s_.BulkReplyMode                       ? timing_.bulkReplyMs
                                                                      : timing_.plainReplyMs;
        Timer1.start(interval);
        bool plain = false;  // a command only the camera's ACK confirms
        if (s_.BulkReplyMode) {
            waitForCount(30);
            if (!Timer1.isActive()) return;
        } else if (s_.FpgaAckMode) {
            waitForCount(9);
            s_.FpgaAckReply = port_.input();
            s_.FpgaAckReceived = true;
            trace_.incoming(s_.FpgaAckReply, 9);
        } else if (s_.SplashReplyMode) {
            s_.SplashReply = "0";
            waitForCount(s_.SplashReplyLength);
            s_.ReplyByteCount = static_cast<int16_t>(port_.inBufferCount());
            if (!Timer1.isActive() && ++s_.SplashTimeoutCount >= 4) s_.SplashTimedOut = true;
            s_.SplashReply = port_.input();
            trace_.incoming(s_.SplashReply, s_.SplashReplyLength);
            if (handlers.splashReply) handlers.splashReply();
            return;
        } else if (s_.FpgaBlockMode) {
            s_.FpgaBlockReply = "0";
            if (!port_.portOpen()) port_.setPortOpen(true);
            waitForCount(10);
            s_.FpgaBlockReplyReceived = true;
            s_.FpgaBlockReply = port_.input();
            trace_.incoming(s_.FpgaBlockReply, 12);
            if (handlers.fpgaBlockReply) handlers.fpgaBlockReply();
            return;
        } else if (s_.EngineeringReadMode) {
            s_.EngineeringReadMode = false;
            waitForCount(10);
            s_.ReplyByteCount = static_cast<int16_t>(port_.inBufferCount());
            s_.RxPacket = port_.input();
            trace_.incoming(s_.RxPacket, 10);
            if (handlers.engineeringRead) handlers.engineeringRead();
        } else if (s_.ImageCountRequested) {
            waitForCount(8);
            s_.RxPacket = port_.input();
            trace_.incoming(s_.RxPacket, 8);
            if (handlers.imageCount) handlers.imageCount();
        } else {
            plain = true;
            waitForCount(9);
            if (port_.inBufferCount() == 0)
                trace_.event(QString("no reply within %1 ms").arg(Timer1.interval()));
        }
        commonTail(plain);
    } catch (const CommError& e) {
        Timer1.stop();
        reportPortError(e);
    }
}

void CommsEngine::commonTail(bool plain) {
    const QByteArray text = port_.input();
    s_.LastReply = text;
    if (!text.isEmpty()) trace_.incoming(text, 9);
    Indicator led = Indicator::Green;
    if (!text.isEmpty() && !text.contains(cameraAck()) &&
        (text.contains(cameraNak()) || text.contains(cameraCan())))
        led = Indicator::Red;
    if (port_.deviceLost()) led = Indicator::Red;  // the camera went away mid-exchange
    if (observer_) observer_->showIndicator(led);
    // Silence or a damaged answer leaves the lamp green; the note line says what it means.
    const bool confirmed = text.contains(cameraAck());
    if (plain && led == Indicator::Green && !confirmed) showNote(kNoConfirmation);
    if (led == Indicator::Green && replied_ && (confirmed || !plain)) commandSucceeded();
    Timer1.stop();
    if (port_.portOpen()) port_.setPortOpen(false);
    yieldOnce();
    pauseFor(timing_.indicatorMs);
    if (observer_) observer_->showIndicator(Indicator::Grey);
}

QByteArray CommsEngine::packetTimeout(const char* message) {
    if (s_.ResendCount >= 4) {
        dialogs_.message(message, "Error", MsgIcon::Critical);
        return kCommsTimeout;
    }
    ++s_.ResendCount;
    return kResend;
}

QByteArray CommsEngine::ReceivePacket(int length) {
    ExchangeScope exchange(*this);
    WaitScope scope(waiting_);
    QByteArray result;
    bool done = false;
    do {
        Timer1.start(timing_.packetIdleMs);  // idle time-out: restarts with every chunk
        waitWhile(Timer1, [&] { return port_.inBufferCount() >= 1 || port_.deviceLost(); });
        if (deviceGone()) {  // no time-outs and resends for a camera that is not there
            result = kCommsTimeout;
            done = true;
            break;
        }
        if (stopRequested()) {  // no time-out message: the user asked for the stop
            result = kCommsTimeout;
            done = true;
            break;
        }
        if (accumulation_.size() < length && !Timer1.isActive()) {
            result = packetTimeout("Comms Timeout 1");
            done = true;
            break;
        }
        const QByteArray input = port_.input();
        if (startFound_) {
            accumulation_ += input;
            if (accumulation_.size() > 4096) accumulation_ = accumulation_.right(4096);
        } else {
            if (accumulation_.size() == 1 && accumulation_[0] == char(s_.DLE))
                accumulation_ += input;
            else
                accumulation_ = input;
            QByteArray start;
            start.append(char(s_.DLE)).append(char(s_.STX));
            const int p = accumulation_.indexOf(start);
            if (p >= 0) {
                startFound_ = true;
                accumulation_.remove(0, p);
            }
        }
    } while (accumulation_.size() < length && Timer1.isActive());
    if (!done) {
        if (accumulation_.size() >= length) {
            result = accumulation_.left(length);
            accumulation_.remove(0, length);
            startFound_ = false;
        } else {
            result = packetTimeout("Comms Timeout 2");
        }
    }
    if (result == kResend || result == kCommsTimeout) {
        trace_.event(QString("idle time-out after %1 ms: %2")
                         .arg(timing_.packetIdleMs)
                         .arg(QString(result)));
        // A packet cut short by silence never completes; kept, it would head the next packet
        // (or the next exchange's reply) and shift it.
        accumulation_.clear();
        startFound_ = false;
    } else {
        trace_.incoming(result, length);
    }
    if (length == 40 && result.size() >= 4)
        s_.PacketNumber = 256 * uint8_t(result[2]) + uint8_t(result[3]);
    if (result != kResend) s_.ResendCount = 0;
    return result;
}

void CommsEngine::askingAgain(const QString& what, int request) {
    ++askedAgain_;
    trace_.event(QString("%1 damaged (bad checksum or misaligned): asking again, request %2 of %3")
                     .arg(what)
                     .arg(request)
                     .arg(kRequestsPerReply));
    // The rest of the damaged reply may still be on its way: it must not pass for the answer
    // to the new request.
    pauseFor(timing_.packetIdleMs / 4);
    accumulation_.clear();
    startFound_ = false;
    try {
        if (port_.portOpen()) port_.input();
    } catch (const CommError&) {
    }
}

void CommsEngine::SendAck() {
    port_.output(ackPacket());
}
void CommsEngine::SendNak() {
    port_.output(nakPacket());
}
void CommsEngine::SendNak1() {
    port_.output(nak1Packet());
}
void CommsEngine::SendNak2() {
    port_.output(nak2Packet());
}
void CommsEngine::SendEndOfTransfer() {
    for (const QByteArray& piece : endOfTransferWrites()) port_.output(piece);
}

// The camera leaves its transfer only on the end packet; without it the next command would meet
// a camera still sending picture packets.
bool CommsEngine::stoppedMidTransfer() {
    if (!stopRequested()) return false;
    s_.TransferResult = kCommsTimeout;  // ended without a message of its own, as a lost line does
    try {
        SendEndOfTransfer();
        trace_.event("transfer stopped by the user: end of transfer sent");
    } catch (const CommError&) {
    }
    return true;
}

void CommsEngine::resendLastReply() {
    if (s_.LastReplySent == "ACK")
        SendAck();
    else if (s_.LastReplySent == "NAK1")
        SendNak1();
    else if (s_.LastReplySent == "NAK2")
        SendNak2();
    else
        return;
    ++s_.TransferHealth.resends;
}

void CommsEngine::storeHeader(const QByteArray& packet) {
    for (int i = 0; i < 21; ++i) s_.ImageHeader[i] = uint8_t(packet[4 + i]);
    // A first reading digit of 51 means a blank digit.
    if (s_.ImageHeader[13] == 51) s_.ImageHeader[13] = 0;
    if (s_.ImageHeader[17] == 51) s_.ImageHeader[17] = 0;
}

// Copies the packet's 32 data bytes at ImageWriteOffset (twice when repeat is set, the NAK1
// recovery); never writes past the picture. Returns true when a place was patched.
bool CommsEngine::storeData(const QByteArray& packet, bool& repeat) {
    auto copy = [&] {
        const int room = std::clamp(kImagePixels - s_.ImageWriteOffset, 0, 32);
        if (room > 0)
            std::memcpy(&s_.ImageBuffer[s_.ImageWriteOffset], packet.constData() + 4, room);
        s_.ImageWriteOffset += 32;
    };
    copy();
    if (!repeat) return false;
    copy();
    ++s_.PacketNumber;
    --s_.ExpectedPacketNumber;
    repeat = false;
    return true;
}

void CommsEngine::showTransferEnd() {
    trace_.event("transfer " + QString(s_.ImageTransferComplete ? "complete" : "incomplete") +
                 ": " + healthText(s_.TransferHealth));
    if (!observer_) return;
    observer_->showProgress(false, 0);
    observer_->showCaption(false, QString());
    observer_->showTransferHealth(s_.TransferHealth, s_.ImageTransferComplete);
    noteShown_ = noteThisExchange_ = true;  // the health line is this transfer's note
    busyNoteShown_ = false;
}

void CommsEngine::DownloadImagePackets() {
    WaitScope scope(waiting_);
    struct Finish {  // progress and caption go away however the transfer ends; the health stays
        CommsEngine& e;
        ~Finish() { e.showTransferEnd(); }
    } finish{*this};
    s_.ImageBuffer.assign(kImagePixels + 1, 0);
    s_.ImageWriteOffset = 0;
    s_.ImageTransferComplete = false;
    s_.TransferHealth = {};
    QString caption = "Downloading . ";
    if (observer_) observer_->showProgress(true, 0), observer_->showCaption(true, caption);

    int errors = 0;
    for (;;) {
        const QByteArray header = ReceivePacket(40);
        if (CheckPacket(header, 40, s_.TransferResult)) {
            storeHeader(header);
            break;
        }
        if (stoppedMidTransfer()) return;
        ++errors;
        SendNak();
        if (s_.TransferResult == kCommsTimeout || errors >= 5) return;
    }
    errors = 0;
    SendAck();
    s_.ExpectedPacketNumber = -1;
    bool repeat = false, nak2 = false;
    int k = 1, progress = 0;
    for (;;) {
        const QByteArray packet = ReceivePacket(40);
        if (stoppedMidTransfer()) return;
        const QByteArray previous = s_.TransferResult;
        const bool good = CheckPacket(packet, 40, s_.TransferResult);
        if (!good && s_.TransferResult != kCommsTimeout && s_.TransferResult != kResend) {
            if (errors >= 5) return;
            ++errors;
            ++s_.TransferHealth.nak2;
            SendNak2();
            s_.LastReplySent = "NAK2";
            nak2 = true;
            continue;
        }
        if (s_.TransferResult == kCommsTimeout) return;
        if (s_.TransferResult == kResend) {
            ++s_.TransferHealth.timeouts;
            resendLastReply();
            continue;
        }
        if ((s_.LastReplySent == "NAK1" && previous == kResend) || nak2) ++k;
        if (storeData(packet, repeat)) ++s_.TransferHealth.patched;
        if (observer_) observer_->showProgress(true, ++progress);
        if (caption == "Downloading . . . . . . . . . . ")
            caption = "Downloading . ";
        else if (k % 10 == 0)
            caption += ". ";
        if (observer_) observer_->showCaption(true, caption);
        if (s_.PacketNumber != s_.ExpectedPacketNumber + 1) {
            ++errors;
            ++s_.TransferHealth.nak1;
            SendNak1();
            s_.LastReplySent = "NAK1";
            s_.ExpectedPacketNumber = s_.PacketNumber;
            s_.ImageWriteOffset -= 32;
            repeat = true;
            nak2 = false;
            ++k;
            if (errors >= 5) return;
            continue;
        }
        SendAck();
        s_.LastReplySent = "ACK";
        errors = 0;
        s_.ExpectedPacketNumber = s_.PacketNumber;
        nak2 = false;
        ++k;
        ++s_.TransferHealth.packets;
        // Ends when every place is filled; k takes extra steps on recoveries and would end early.
        if (s_.ImageWriteOffset >= kImagePixels) break;
    }
    SendEndOfTransfer();
    for (int i = 0; i < 3; ++i)
        if (ReceivePacket(40) == kResend) SendEndOfTransfer();
    s_.ImageTransferComplete = true;
}

void SendOptions(CommsEngine& engine, bool spotOn, bool ambientOn, bool fahrenheit,
                 bool timeDateOn) {
    SharedState& s = engine.state();
    s.CommandLength = 1;
    for (int row :
         {spotOn ? 36 : 37, ambientOn ? 90 : 91, fahrenheit ? 59 : 58, timeDateOn ? 32 : 35}) {
        s.CommandIndex = static_cast<uint8_t>(row);
        engine.Transmit();
    }
}

#include "camera/SplashUpload.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "app/FileSave.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "app/Wait.h"
#include "camera/Recording.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"
#include "uploads/SplashImage.h"
#include "uploads/UploadPackets.h"

using namespace uploads;

const QString SplashUpload::kFormatProblem =
    "The picture being sent to camera, has problem with it format";
const QString SplashUpload::kLoaded = "The splash screen has been loaded successfully";
const QString SplashUpload::kCommsError = "Splash load comms error";

namespace {

constexpr int kProgressMaximum = 2403;
// Unusable replies in a row after which the camera is taken to have gone.
constexpr int kBadReplyLimit = 400;
constexpr int kRowSplashToggle = 109, kRowSplashOn = 114, kRowSplashOff = 115;

}  // namespace

SplashUpload::SplashUpload(CommsEngine& engine, SplashView* view)
    : engine_(engine), s_(engine.state()), view_(view ? view : &noView_) {}

camera::Outcome SplashUpload::load(const QString& path) {
    camera::Outcome result;
    const QString title = QFileInfo(path).fileName();
    QFile file(path);
    QString why;
    if (!openToRead(file, path, &why))
        return result.fail({why, "Orvik 3: Error", MsgIcon::Exclamation});
    // A splash bitmap is 230 454 bytes; a far bigger file is refused before it is read.
    constexpr qint64 kLargestSplashFile = qint64(1) << 20;
    QString what;
    std::optional<std::vector<Bgr>> pixels;
    if (file.size() > kLargestSplashFile)
        what = QString("a file of %1 bytes").arg(file.size());
    else {
        const QByteArray bytes = file.readAll();
        pixels = LoadSplashPixels(bytes, &what);
        if (pixels) fileSha256_ = camera::sha256Hex(bytes);
    }
    if (!pixels) return result.fail({SplashRefusal(title, what), "Orvik 3", MsgIcon::Exclamation});
    s_.SplashBitsPerPixel = 24;
    s_.SplashPixels = std::move(*pixels);
    s_.SplashFileName = path;
    s_.SplashFileTitle = title;
    view_->showPreview(SplashPreview(s_.SplashPixels));
    return result;
}

camera::Outcome SplashUpload::send() {
    said_ = {};
    outcome_ = Outcome::NotSent;
    CommsEngine::HandlerScope scope(engine_.handlers.splashReply, [this] { SplashReplyHandler(); });
    engine_.port().setSettings("115200,N,8,1");
    s_.SplashPartialPending = s_.SplashTimedOut = s_.SplashDone = s_.SplashAborted = false;
    s_.SplashBlockIndex = 0;
    s_.SplashBadReplyCount = 0;
    s_.SplashReplyValid = false;
    // A picture download leaves BulkReplyMode set, and Receive tests it before SplashReplyMode.
    s_.BulkReplyMode = false;
    view_->lockForUpload(true);
    sendRow(Row::DownloadReturnToNormal);
    progress_ = 0;
    view_->showProgress(true, progress_, kProgressMaximum);
    // The picture is checked once the camera is back on its live scene: nothing more goes out.
    if (s_.SplashBitsPerPixel != 24) {
        said_.fail({kFormatProblem, "Orvik 3", MsgIcon::None});
        endUpload();
        return said_;
    }
    outcome_ = Outcome::Stopped;
    s_.SplashImage = ConvertSplash(s_.SplashPixels);
    view_->showWaitCaption(true, "Please wait ");
    try {
        runUpload();
    } catch (const CommError& e) {
        // The port failed under the upload: said as the engine says it, and never left unsaid.
        engine_.reportPortError(e);
        said_.tell({kCommsError, "Error", MsgIcon::Critical});
    }
    endUpload();
    said_.ok = outcome_ == Outcome::Loaded;
    if (camera_)
        camera::recordEvent(*camera_, "splash", said_.ok,
                            {{"file", s_.SplashFileTitle},
                             {"sha256", fileSha256_},
                             {"outcome", said_.ok ? "loaded" : "stopped"}});
    return said_;
}

void SplashUpload::runUpload() {
    SerialPort& port = engine_.port();
    if (!port.portOpen()) port.setPortOpen(true);
    port.input();  // whatever waits belongs to no request of this upload
    const BlockWrites start = splashStartWrites();
    port.output(start.head);
    port.output(start.trailer);
    s_.SplashReplyLength = 10;
    while (!stopRequested()) {
        if (!port.portOpen()) port.setPortOpen(true);  // closed under us by a line error
        s_.SplashReplyMode = true;
        replyHandled_ = false;
        engine_.Receive();
        if (!replyHandled_) {  // the port failed inside the wait; the engine has said how
            said_.tell({kCommsError, "Error", MsgIcon::Critical});
            return;
        }
        if (s_.SplashAborted) return;  // the handler stopped the upload and has said why
        if (s_.SplashDone) {
            outcome_ = Outcome::Loaded;
            said_.tell({kLoaded, "Orvik 3", MsgIcon::None});
            return;
        }
        // Nothing goes out on a reply that is unusable or still arriving: the camera asks again.
        if (!s_.SplashReplyValid) continue;
        // Whatever else waits is stale. It is dropped rather than by closing and reopening the
        // port before every block, which doubles the upload time and drops the modem lines.
        port.input();
        sendBlock();
        s_.SplashPartialPending = false;
        view_->showProgress(true, progress_ = std::min(progress_ + 1, kProgressMaximum),
                            kProgressMaximum);
    }
}

void SplashUpload::sendBlock() {
    const int offset = std::min(32 * int(s_.SplashBlockIndex), kSplashPixels - 32);
    const BlockWrites w = blockWrites('C', 'b', s_.SplashImage.data() + offset);
    SerialPort& port = engine_.port();
    port.output(w.head);
    for (const QByteArray& b : w.data) port.output(b);
    port.output(w.trailer);
}

void SplashUpload::endUpload() {
    try {
        if (engine_.port().portOpen()) engine_.port().setPortOpen(false);
    } catch (const CommError&) {
    }
    view_->showWaitCaption(false, QString());
    view_->showProgress(false, progress_, kProgressMaximum);
    view_->lockForUpload(false);
    s_.SplashDone = false;
    s_.SplashReplyMode = false;
}

void SplashUpload::SplashReplyHandler() {
    replyHandled_ = true;
    s_.SplashAborted = false;
    s_.SplashReplyValid = false;  // every reply is judged on its own
    QByteArray reply = s_.SplashReply;
    if (s_.SplashPartialPending) {
        if (reply.isEmpty()) return badReply();  // the rest of the request never came
        reply.prepend(s_.SplashPartialReply);
    }
    const SplashReplyScan scan = ScanSplashReply(reply);
    if (scan.kind == SplashReplyScan::Partial) return holdPartial(reply.mid(scan.at));
    if (scan.kind == SplashReplyScan::Bad && scan.at < 0) return badReply();
    s_.SplashIndexHigh = QString::number(scan.hi);
    s_.SplashIndexLow = QString::number(scan.lo);
    int16_t checksum = scan.checksum;
    CheckRxSplashCRC(checksum);
    if (!s_.SplashReplyValid) return badReply();
    s_.SplashPartialPending = false;
    s_.SplashBadReplyCount = 0;
    s_.SplashBlockIndex = NextSplashBlock(int(s_.SplashBlockIndex), 256 * scan.hi + scan.lo);
    if (s_.SplashBlockIndex > kSplashBlocks - 1) s_.SplashDone = true;
}

void SplashUpload::CheckRxSplashCRC(int16_t& receivedChecksum) {
    s_.SplashReplyValid =
        SplashChecksumOk(s_.SplashIndexHigh.toInt(), s_.SplashIndexLow.toInt(), receivedChecksum);
}

// The number in a fragment is not trusted until the checksum that follows it has arrived.
void SplashUpload::holdPartial(const QByteArray& fragment) {
    s_.SplashPartialReply = fragment;
    s_.SplashPartialPending = true;
    s_.SplashReplyLength = static_cast<int16_t>(10 - fragment.size());
}

void SplashUpload::badReply() {
    s_.SplashReplyValid = false;
    ++s_.SplashBadReplyCount;
    s_.SplashPartialPending = false;
    s_.SplashReplyLength = 11;
    // Only the camera's own request for the block after the last confirms the picture, so
    // running out of replies is a failure, at the last block too.
    if (s_.SplashBadReplyCount >= kBadReplyLimit) {
        said_.tell({kCommsError, "Error", MsgIcon::Critical});
        finish();
    }
}

void SplashUpload::finish() {
    view_->uploadStopped();
    s_.SplashDone = true;
    s_.SplashReplyMode = false;
    s_.SplashAborted = true;
}

bool SplashUpload::sendRow(int row) {
    Constants(s_);
    s_.CommandIndex = static_cast<uint8_t>(row);
    if (camera_) return camera::transmitRecorded(*camera_);
    s_.LastReply.clear();
    engine_.Transmit();
    return s_.LastReply.contains(cameraAck());
}

bool SplashUpload::switchOn() {
    return sendRow(s_.OldFirmware ? kRowSplashToggle : kRowSplashOn);
}

bool SplashUpload::switchOff() {
    return sendRow(s_.OldFirmware ? kRowSplashToggle : kRowSplashOff);
}

bool SplashUpload::viewOnCamera() {
    view_->selectSplashInImageList();
    Constants(s_);
    ViewImage_Constants(s_, 0, s_.StoredImageCount);
    s_.CommandIndex = Row::ViewImage;
    s_.LastReply.clear();
    engine_.Transmit();
    return s_.LastReply.contains(cameraAck());
}

bool SplashUpload::normalImage() {
    return sendRow(Row::ReturnToNormal);
}

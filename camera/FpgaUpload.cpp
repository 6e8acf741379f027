#include "camera/FpgaUpload.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <utility>

#include "app/FileSave.h"
#include "app/ProgramFiles.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "app/Wait.h"
#include "camera/Recording.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "uploads/UploadPackets.h"

using namespace uploads;

namespace {

constexpr int kRowStart = 93;  // J a

}  // namespace

std::vector<uint8_t> RbfDataFromFile(const QByteArray& file) {
    std::vector<uint8_t> data(kFpgaFileSize, 0);
    const int n = std::min<int>(file.size(), kFpgaFileSize);
    for (int i = 0; i < n; ++i) data[i] = static_cast<uint8_t>(file[i]);
    return data;
}

FpgaConversionLog::FpgaConversionLog(QString path) : path_(std::move(path)) {}
FpgaConversionLog::~FpgaConversionLog() = default;

void FpgaConversionLog::setPath(const QString& path) {
    path_ = path;
    own_.reset();
    failureTold_ = false;
}

camera::Outcome FpgaConversionLog::append(const QByteArray& text) {
    camera::Outcome result;
    QIODevice* out = device_;
    if (!out) {
        if (!own_) {
            own_ = std::make_unique<QFile>(path_);
            if (!own_->open(QIODevice::WriteOnly | QIODevice::Append)) {
                if (!failureTold_)
                    result.tell({QString("The FPGA conversion file %1 could not be written: %2")
                                     .arg(path_, own_->errorString()),
                                 "Orvik 3: Error", MsgIcon::Exclamation});
                failureTold_ = true;
                return result;
            }
        }
        out = own_.get();
    }
    if (out->write(text) != text.size() && !failureTold_) {
        result.tell(
            {QString("The FPGA conversion file could not be written: %1").arg(out->errorString()),
             "Orvik 3: Error", MsgIcon::Exclamation});
        failureTold_ = true;
    }
    if (auto* f = qobject_cast<QFile*>(out)) f->flush();
    return result;
}

camera::Outcome startConversionFile(QFile& file) {
    file.setFileName(programFileWritePath("\\FPGA_rbf_conversion.txt"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return {};
    return camera::Outcome{}.fail({QString("The FPGA conversion file %1 could not be created: %2")
                                       .arg(file.fileName(), file.errorString()),
                                   "Orvik 3: Error", MsgIcon::Exclamation});
}

FpgaUpload::FpgaUpload(CommsEngine& engine) : engine_(engine), s_(engine.state()) {}

camera::Outcome FpgaUpload::load(const QString& path, QByteArray* conversion) {
    camera::Outcome result;
    const QString title = QFileInfo(path).fileName();
    QFile file(path);
    QString why;
    if (!openToRead(file, path, &why))
        return result.fail({why, "Orvik 3: Error", MsgIcon::Exclamation});
    // Only what the camera takes is read, so a huge file costs no memory; an empty one holds no
    // configuration at all and would load as zeros.
    const qint64 size = file.size();
    const QByteArray bytes = file.read(kFpgaFileSize);
    if (size == 0 || bytes.size() < std::min<qint64>(size, kFpgaFileSize))
        return result.fail(
            {size == 0 ? QString("\"%1\" is empty. Nothing has been loaded.").arg(title)
                       : QString("\"%1\" could not be read: %2").arg(title, file.errorString()),
             "Orvik 3: Error", MsgIcon::Exclamation});
    s_.RbfData = RbfDataFromFile(bytes);
    fileTitle_ = title;
    fileSha256_ = camera::sha256Hex(bytes);
    loaded_ = true;
    if (conversion) *conversion = FpgaConversionText(s_.RbfData);
    if (size != kFpgaFileSize)
        result.tell({QString("\"%1\" is %2 bytes long; an FPGA configuration file has %3 bytes. "
                             "It has been loaded all the same, %4.")
                         .arg(title)
                         .arg(size)
                         .arg(kFpgaFileSize)
                         .arg(size < kFpgaFileSize ? "filled up with zeros" : "cut to that length"),
                     "Orvik 3", MsgIcon::Exclamation});
    return result;
}

QString FpgaUpload::stopMessage(Result r) {
    if (r == Result::NothingLoaded)
        return "No FPGA configuration file has been loaded: load one with \"Load config file\" "
               "first. Nothing has been sent to the camera.";
    if (r == Result::StartRefused)
        return QString(
                   "The camera refused to start the FPGA configuration %1 times in a row. "
                   "The FPGA has not been configured.")
            .arg(kStartAttempts);
    if (r == Result::NoRequest)
        return "The camera stopped asking for configuration blocks: nothing came for 10 seconds. "
               "The FPGA has not been configured.";
    return "The serial port could not be used. The FPGA has not been configured.";
}

camera::Outcome FpgaUpload::configure(const std::function<void(int)>& progress, Result* result) {
    camera::Outcome outcome;
    const Result r = Configure(progress);
    if (result) *result = r;
    if (r != Result::Configured) outcome.fail({stopMessage(r), "Orvik 3", MsgIcon::Exclamation});
    if (camera_)
        camera::recordEvent(*camera_, "fpga", outcome.ok,
                            {{"file", fileTitle_},
                             {"sha256", fileSha256_},
                             {"outcome", outcome.ok ? "configured" : stopMessage(r)}});
    return outcome;
}

FpgaUpload::Result FpgaUpload::Configure(const std::function<void(int)>& progress) {
    if (!loaded_) return Result::NothingLoaded;
    CommsEngine::HandlerScope scope(engine_.handlers.fpgaBlockReply,
                                    [this] { FpgaReplyHandler(); });
    s_.FpgaAckOk = s_.FpgaAckRefused = s_.FpgaBlockMode = s_.FpgaLastBlockSent = false;
    s_.FpgaAckReceived = s_.FpgaSendNext = false;
    // Receive tests these before the FPGA modes; left set, they would take the replies.
    s_.BulkReplyMode = s_.SplashReplyMode = false;
    s_.FpgaAckMode = true;
    Result result = Result::PortFailed;
    try {
        const Start started = start();
        result = started == Start::Acknowledged ? blockLoop(progress)
                 : started == Start::Refused    ? Result::StartRefused
                                                : Result::PortFailed;
    } catch (const CommError& e) {
        engine_.reportPortError(e);
    }
    s_.FpgaAckMode = s_.FpgaBlockMode = false;
    try {
        if (engine_.port().portOpen()) engine_.port().setPortOpen(false);
    } catch (const CommError&) {
    }
    return result;
}

// J a until the camera acknowledges it with ACK; a camera that refuses it twenty times in a
// row, or a port that cannot be opened, ends the attempt.
FpgaUpload::Start FpgaUpload::start() {
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        Constants(s_);
        s_.CommandIndex = kRowStart;
        s_.FpgaAckReceived = false;
        engine_.Transmit();
        if (!s_.FpgaAckReceived) return Start::Failed;  // nothing was sent; the engine has said why
        FpgaReplyHandler();
        if (s_.FpgaAckOk) return Start::Acknowledged;
    }
    return Start::Refused;
}

FpgaUpload::Result FpgaUpload::blockLoop(const std::function<void(int)>& progress) {
    SerialPort& port = engine_.port();
    QElapsedTimer sinceRequest;
    sinceRequest.start();
    while (!s_.FpgaLastBlockSent) {
        if (32 * int(s_.FpgaBlockIndex) == kFpgaHalfwayBlock * kBlockSize && progress) progress(47);
        if (!port.portOpen()) port.setPortOpen(true);
        s_.FpgaAckMode = false;
        s_.FpgaBlockMode = true;
        if (s_.FpgaSendNext) {
            sendBlock(int(s_.FpgaBlockIndex));
            s_.FpgaSendNext = false;
        }
        replyHandled_ = false;
        engine_.Receive();
        if (!replyHandled_ || stopRequested()) return Result::PortFailed;
        if (s_.FpgaSendNext)
            sinceRequest.restart();
        else if (!s_.FpgaLastBlockSent &&
                 sinceRequest.elapsed() >= engine_.timing().fpgaRequestTimeoutMs)
            return Result::NoRequest;
    }
    return Result::Configured;
}

// A request beyond the last block is answered with the last block.
void FpgaUpload::sendBlock(int block) {
    const std::vector<uint8_t> data = fpgaBlockData(s_.RbfData, block);
    if (block >= kFpgaLastBlock) s_.FpgaLastBlockSent = true;
    const BlockWrites w = blockWrites('J', 'b', data.data());
    SerialPort& port = engine_.port();
    port.output(w.head);
    for (const QByteArray& b : w.data) port.output(b);
    port.output(w.trailer);
}

void FpgaUpload::FpgaReplyHandler() {
    replyHandled_ = true;
    if (s_.FpgaAckReceived) {
        if (FpgaAckIsAck(s_.FpgaAckReply))
            s_.FpgaAckOk = true;
        else
            s_.FpgaAckRefused = true;
    } else if (s_.FpgaBlockReplyReceived) {
        if (const std::optional<int> block = FpgaRequestedBlock(s_.FpgaBlockReply)) {
            s_.FpgaBlockIndex = *block;
            s_.FpgaSendNext = true;
        }
    }
    s_.FpgaAckReceived = false;
    s_.FpgaBlockReplyReceived = false;
    s_.FpgaAckReply = "0";
}

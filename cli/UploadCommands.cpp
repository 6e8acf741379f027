// The upload commands: the splash picture and its switches, the FPGA configuration and the
// serial number, on the camera operations.
#include <unistd.h>

#include <QFile>
#include <QTextStream>
#include <algorithm>

#include "app/ProgramFiles.h"
#include "camera/Camera.h"
#include "camera/FpgaUpload.h"
#include "camera/SerialNumber.h"
#include "camera/SplashUpload.h"
#include "cli/Commands.h"

namespace {

using Kind = UploadCommand::Kind;

// A progress bar on standard error when it is a terminal, drawn whenever the value changes.
class TerminalBar {
  public:
    // `shown`: the value the bar starts at, which draws nothing.
    TerminalBar(CliRun& run, QString what, int shown = -1)
        : run_(run), what_(std::move(what)), terminal_(isatty(STDERR_FILENO)), last_(shown) {}
    void show(int value, int maximum) {
        if (!terminal_ || value == last_) return;
        last_ = value;
        const int percent = std::clamp(100 * value / std::max(1, maximum), 0, 100);
        const int filled = percent * 40 / 100;
        run_.err << "\r" << what_ << " [" << QString(filled, '#') << QString(40 - filled, ' ')
                 << "] " << percent << "%" << (percent == 100 ? "\n" : "") << Qt::flush;
    }

  private:
    CliRun& run_;
    QString what_;
    bool terminal_;
    int last_;
};

class SplashBar : public SplashView {
  public:
    explicit SplashBar(CliRun& run) : bar_(run, "Splash") {}
    void showProgress(bool, int value, int maximum) override { bar_.show(value, maximum); }

  private:
    TerminalBar bar_;
};

int splashSwitch(CliRun& run, bool acknowledged) {
    if (acknowledged) return kExitOk;
    fail(run, "the camera did not accept the command");
    return kExitNoAnswer;
}

int uploadSplash(CliRun& run, const QString& file) {
    SplashBar bar(run);
    SplashUpload upload(run.camera.engine(), &bar);
    upload.recordTo(&run.camera);
    const camera::Outcome loaded = upload.load(file);
    camera::showMessages(run.camera.dialogs(), loaded);
    if (!loaded.ok) return kExitNoAnswer;
    camera::showMessages(run.camera.dialogs(), upload.send());
    return upload.outcome() == SplashUpload::Outcome::Loaded ? kExitOk : kExitNoAnswer;
}

// The conversion file starts afresh on each run, as the advanced form's load makes it.
int uploadFpga(CliRun& run, const QString& file) {
    QFile fresh;
    const camera::Outcome started = startConversionFile(fresh);
    camera::showMessages(run.camera.dialogs(), started);
    FpgaConversionLog log(fresh.fileName());
    if (started.ok) log.setDevice(&fresh);
    FpgaUpload upload(run.camera.engine());
    upload.recordTo(&run.camera);
    QByteArray conversion;
    const camera::Outcome loaded = upload.load(file, &conversion);
    if (!loaded.ok) {
        camera::showMessages(run.camera.dialogs(), loaded);
        return kExitNoAnswer;
    }
    camera::showMessages(run.camera.dialogs(), log.append(conversion));
    camera::showMessages(run.camera.dialogs(), loaded);
    TerminalBar bar(run, "FPGA", 0);
    FpgaUpload::Result result = FpgaUpload::Result::PortFailed;
    const camera::Outcome done = upload.configure([&bar](int v) { bar.show(v, 100); }, &result);
    if (done.ok) bar.show(100, 100);
    camera::showMessages(run.camera.dialogs(), done);
    return result == FpgaUpload::Result::Configured ? kExitOk : kExitNoAnswer;
}

int setSerial(CliRun& run, const QString& text) {
    int number = 0;
    const camera::Outcome checked = camera::checkSerialNumber(text, &number);
    camera::showMessages(run.camera.dialogs(), checked);
    if (!checked.ok) return kExitUsage;
    if (camera::sendSerialNumber(run.camera, number)) return kExitOk;
    fail(run, "the camera did not accept the serial number");
    return kExitNoAnswer;
}

}  // namespace

int runUploadCommand(CliRun& run, const UploadCommand& c) {
    if (!run.connect()) return kExitNoAnswer;
    SplashUpload splash(run.camera.engine());
    splash.recordTo(&run.camera);
    switch (c.kind) {
        case Kind::SplashFile:
            return uploadSplash(run, c.file);
        case Kind::SplashOn:
            return splashSwitch(run, splash.switchOn());
        case Kind::SplashOff:
            return splashSwitch(run, splash.switchOff());
        case Kind::SplashView:
            return splashSwitch(run, splash.viewOnCamera());
        case Kind::Fpga:
            return uploadFpga(run, c.file);
        case Kind::Serial:
            return setSerial(run, c.serial);
    }
    return kExitUsage;
}

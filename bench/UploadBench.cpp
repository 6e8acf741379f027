// Upload benchmarks over the simulated camera, paced at 115200 baud both ways. Prints one
// "name: value" line per figure, as ratios to the wire limit where there is one.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <optional>

#include "link/ForwardingPort.h"
#include "tests/support/ScriptedDialogs.h"
#include "app/PortMap.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "images/Bitmap.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "sim/SimCamera.h"
#include "forms/FpgaConfigurationForm.h"
#include "camera/SplashUpload.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kBitsPerByte = 10, kBaud = 115200;

double seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// Forwards to the real port and notes when the marked moments of an upload cross it, and how
// many bytes went out and came in between them.
class TimedPort : public ForwardingPort {
  public:
    explicit TimedPort(SerialPort& real) : ForwardingPort(real) {}
    QByteArray input() override {
        const QByteArray in = real_.input();
        // What arrives at a marked moment crossed the line before it.
        if (start && !end && !endIn.isEmpty() && in.contains(endIn)) end = Clock::now();
        if (start && !end) bytes += in.size();
        if (!start && armed() && !startIn.isEmpty() && in.contains(startIn)) start = Clock::now();
        return in;
    }
    void output(const QByteArray& b) override {
        real_.output(b);
        if (!start && !startOut.isEmpty() && b == startOut) start = Clock::now();
        if (start && !end) bytes += b.size();
        if (start && !end && onOutput) onOutput(b);
    }
    QByteArray startIn, startOut, endIn;
    std::function<bool()> armed = [] { return true; };
    std::function<void(const QByteArray&)> onOutput;
    std::optional<Clock::time_point> start, end;
    qint64 bytes = 0;
};

struct Rig {
    explicit Rig(camsim::SimCamera& camera) : real(map), port(real), engine(s, port, dialogs) {
        map.assign(1, QString::fromStdString(camera.devicePath()));
        port.setCommPort(1);
        Constants(s);
    }
    PortMap map;
    QtSerialPort real;
    TimedPort port;
    SharedState s;
    ScriptedDialogs dialogs;
    CommsEngine engine;
};

// Start packet to the camera's request for block 2400, against the bytes that crossed the line.
std::optional<double> splashRatio(camsim::SimCamera& camera, const QString& file) {
    Rig rig(camera);
    rig.port.startOut = QByteArray::fromHex("100254014375");  // C u, before its trailer
    rig.port.endIn = QByteArray::fromHex("10025401630960");
    SplashUpload upload(rig.engine);
    if (!upload.load(file).ok) return std::nullopt;
    upload.send();
    if (upload.outcome() != SplashUpload::Outcome::Loaded || !rig.port.end) return std::nullopt;
    // The last request's 11 bytes crossed the line before it was read.
    const double wire = (rig.port.bytes + 11) * kBitsPerByte / kBaud;
    return seconds(*rig.port.start, *rig.port.end) / wire;
}

struct FpgaFigures {
    double ratio = 0, configureSeconds = 0;
};

// First block request to the end of the last block; and the whole "Config FPGA" click.
std::optional<FpgaFigures> fpgaFigures(camsim::SimCamera& camera, const QString& file) {
    Rig rig(camera);
    rig.port.startIn = QByteArray::fromHex("100254014A73");
    rig.port.armed = [&rig] { return rig.s.FpgaBlockMode; };  // not a request in the start's reply
    std::optional<Clock::time_point> lastBlockEnd;
    int blocks = 0;
    rig.port.onOutput = [&](const QByteArray& b) {
        if (b.startsWith(QByteArray::fromHex("100254014A62"))) ++blocks;
        if (blocks == 1851 && b.startsWith(QByteArray::fromHex("1003")) && !lastBlockEnd) {
            lastBlockEnd = Clock::now();
            rig.port.end = lastBlockEnd;
        }
    };
    FPGA_configuration_frm form(rig.engine);
    QTemporaryDir dir;
    form.setConversionPath(dir.filePath("FPGA_rbf_conversion.txt"));
    if (!form.LoadConfigFile(file)) return std::nullopt;
    const auto click = Clock::now();
    form.ConfigureFPGA_btn_Click();
    const auto done = Clock::now();
    if (form.lastResult() != FpgaUpload::Result::Configured || !rig.port.start || !lastBlockEnd)
        return std::nullopt;
    const double wire = rig.port.bytes * kBitsPerByte / kBaud;
    return FpgaFigures{seconds(*rig.port.start, *lastBlockEnd) / wire, seconds(click, done)};
}

QString writeFiles(const QTemporaryDir& dir) {
    QImage picture(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) picture.setPixel(x, y, qRgb(x * 5 + y, (y * 3) ^ x, x * y));
    images::SaveBitmapFile(dir.filePath("splash.bmp"), picture);
    QFile rbf(dir.filePath("camera.rbf"));
    rbf.open(QIODevice::WriteOnly);
    QByteArray data(59216, 0);
    for (int i = 0; i < data.size(); ++i) data[i] = char((i * 31) ^ (i >> 8));
    rbf.write(data);
    return dir.path();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    writeFiles(dir);
    camsim::SimCamera camera;  // paced at 115200 both ways
    const std::optional<double> splash = splashRatio(camera, dir.filePath("splash.bmp"));
    if (splash) std::printf("splash_upload_ratio: %.3f\n", *splash);
    std::fflush(stdout);
    const std::optional<FpgaFigures> fpga = fpgaFigures(camera, dir.filePath("camera.rbf"));
    if (fpga) {
        std::printf("fpga_upload_ratio: %.3f\n", fpga->ratio);
        std::printf("fpga_configure_s: %.2f\n", fpga->configureSeconds);
    }
    std::fflush(stdout);
    return splash && fpga ? 0 : 1;
}

// Picture benchmarks: one render through a palette with its strip, and "Retrieve Image" from the
// click to the rendered picture over the paced simulated camera, as a ratio to the wire limit.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "tests/support/ScriptedDialogs.h"
#include "app/Mail.h"
#include "camera/Camera.h"
#include "camera/Connection.h"
#include "camera/Pictures.h"
#include "forms/Program.h"
#include "forms/DownloadImageTab.h"
#include "images/Render.h"
#include "sim/SimCamera.h"

namespace {

using Clock = std::chrono::steady_clock;

// 2401 packets of 40 bytes and 2401 acknowledgements of 10 bytes, 10 bits a byte.
constexpr double kWireLimitS = 2401.0 * (40 + 10) * 10 / 115200;

double milliseconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// Median of many renders, palette text parsed each time as the program does.
double renderMs() {
    const camsim::Picture picture = camsim::SimCamera::defaultState().pictures.at(0);
    const images::ImageHeader header = images::ImageHeaderFromBytes(picture.header);
    std::vector<double> times;
    for (int i = 0; i < 201; ++i) {
        const auto start = Clock::now();
        const QImage image = images::RenderStoredImage(picture.pixels, 17, header, {true, "C"});
        times.push_back(milliseconds(start, Clock::now()));
        if (image.isNull()) return -1;
    }
    std::nth_element(times.begin(), times.begin() + 100, times.end());
    return times[100];
}

double downloadSeconds() {
    camsim::SimCamera camera;  // paced at 115200 both ways
    ProgramOptions options;
    options.ports.assign(1, QString::fromStdString(camera.devicePath()));
    ScriptedDialogs dialogs;
    RecordingTransport mail;
    Program program(dialogs, mail, options);
    program.start();
    program.front.ConnectToCamera_btn->click();
    program.front.DownloadImages_btn->click();
    images::DownloadImageTab& tab = *program.advanced.imageTab;
    tab.ui.ViewImage_combo->setCurrentIndex(1);
    const auto start = Clock::now();
    tab.ui.Download_image_->click();
    const auto end = Clock::now();
    if (tab.lastOutcome() != images::TransferOutcome::Complete) return -1;
    return milliseconds(start, end) / 1000.0;
}

// A verified download of a clean picture against a plain one of the same picture, same run.
double verifyRatio() {
    camsim::SimCamera camera;  // paced at 115200 both ways
    PortMap ports;
    ports.assign(1, QString::fromStdString(camera.devicePath()));
    SharedState state;
    ScriptedDialogs dialogs;
    camera::Camera cam(state, dialogs, ports, Timing{});
    camera::startLink(cam);
    const auto start = Clock::now();
    const camera::Download plain = camera::downloadPicture(cam, 1);
    const auto middle = Clock::now();
    const camera::Download verified = camera::downloadVerified(cam, 1);
    const auto end = Clock::now();
    if (!plain.picture || !verified.picture || verified.health.downloads != 2) return -1;
    return milliseconds(middle, end) / milliseconds(start, middle);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double render = renderMs();
    if (render >= 0) std::printf("render_ms: %.3f\n", render);
    std::fflush(stdout);
    const double download = downloadSeconds();
    if (download > 0) std::printf("picture_download_ratio: %.3f\n", download / kWireLimitS);
    std::fflush(stdout);
    const double verify = verifyRatio();
    if (verify > 0) std::printf("verify_ratio: %.3f\n", verify);
    return render >= 0 && download > 0 && verify > 0 ? 0 : 1;
}

// Program benchmarks: start-up to the customer front screen shown, and resident memory after a
// picture download, on the offscreen platform against the simulated camera.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

#include "tests/support/ScriptedDialogs.h"
#include "app/Mail.h"
#include "forms/Program.h"
#include "link/CommandTable.h"
#include "sim/SimCamera.h"

namespace {

double residentMb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    camsim::Options unpaced;
    unpaced.paced = false;  // memory does not depend on the line's pace
    camsim::SimCamera camera(unpaced);
    ProgramOptions options;
    options.ports.assign(1, QString::fromStdString(camera.devicePath()));
    ScriptedDialogs dialogs;
    RecordingTransport mail;
    Program program(dialogs, mail, options);
    program.start();
    while (!program.front.isVisible()) QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    std::printf("startup_ms: %.1f\n", clock.nsecsElapsed() / 1e6);

    SharedState& s = program.state;
    ImageTransferConstants(s, "1");
    s.CommandIndex = Row::ImageTransfer;
    s.PacketTransferMode = s.BulkReplyMode = true;
    program.form1.engine().Transmit();
    if (s.ImageTransferComplete) std::printf("rss_mb: %.1f\n", residentMb());
    std::fflush(stdout);
    return s.ImageTransferComplete ? 0 : 1;
}

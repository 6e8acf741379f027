// Link benchmarks over the simulated camera, paced at 115200 baud both ways. Prints one
// "name: value" line per figure, as ratios to the wire limit where there is one.
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "link/ForwardingPort.h"
#include "tests/support/ScriptedDialogs.h"
#include "app/PortMap.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"
#include "sim/SimCamera.h"

namespace {

using Clock = std::chrono::steady_clock;

// 2401 packets of 40 bytes and 2401 acknowledgements of 10 bytes, 10 bits a byte.
constexpr double kWireLimitS = 2401.0 * (40 + 10) * 10 / 115200;

// Forwards to the real port and notes when the picture request and the end packet go out.
class TimedPort : public ForwardingPort {
public:
    explicit TimedPort(SerialPort& real) : ForwardingPort(real) {}
    void output(const QByteArray& bytes) override {
        real_.output(bytes);
        if (bytes.endsWith(QByteArray::fromHex("6E91")) && !endSeen) end = Clock::now(), endSeen = true;
        if (bytes.startsWith(QByteArray::fromHex("FFFFFFFFFF"))) start = Clock::now();
    }
    Clock::time_point start, end;
    bool endSeen = false;
};

double seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

double programTransferSeconds(camsim::SimCamera& camera) {
    PortMap map;
    map.assign(1, QString::fromStdString(camera.devicePath()));
    QtSerialPort real(map);
    TimedPort port(real);
    SharedState s;
    ScriptedDialogs dialogs;
    CommsEngine engine(s, port, dialogs);
    port.setCommPort(1);
    Constants(s);
    ImageTransferConstants(s, "1");
    s.CommandIndex = Row::ImageTransfer;
    s.PacketTransferMode = s.BulkReplyMode = true;
    engine.Transmit();
    if (!s.ImageTransferComplete || !port.endSeen) return -1;
    return seconds(port.start, port.end);
}

// The best this line allows: a plain read/write loop that answers every packet with ACK.
double referenceTransferSeconds(camsim::SimCamera& camera) {
    const int fd = open(camera.devicePath().c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) return -1;
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, B115200);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &t);
    const uint8_t request[] = {'C', 'S', 1};
    const QByteArray frame = buildCommandFrame(request, 3).whole();
    const QByteArray ack = ackPacket();
    QByteArray end;
    for (const QByteArray& piece : endOfTransferWrites()) end += piece;
    const auto start = Clock::now();
    if (write(fd, frame.constData(), frame.size()) != frame.size()) return -1;
    char buf[256];
    for (int packet = 0; packet < 2401; ++packet) {
        int have = 0;
        while (have < 40) {
            const ssize_t n = read(fd, buf, 40 - have);
            if (n <= 0) {
                close(fd);
                return -1;
            }
            have += int(n);
        }
        const QByteArray& reply = packet == 2400 ? end : ack;
        if (write(fd, reply.constData(), reply.size()) != reply.size()) return -1;
    }
    const auto finish = Clock::now();
    close(fd);
    return seconds(start, finish);
}

double waitCpuPercent(camsim::SimCamera& camera) {
    camsim::Faults silent;
    silent.silent = true;
    camera.setFaults(silent);
    PortMap map;
    map.assign(1, QString::fromStdString(camera.devicePath()));
    QtSerialPort port(map);
    SharedState s;
    ScriptedDialogs dialogs;
    CommsEngine engine(s, port, dialogs);
    port.setCommPort(1);
    port.setPortOpen(true);
    s.BulkReplyMode = true;
    timespec a{}, b{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &a);
    QElapsedTimer wall;
    wall.start();
    engine.Receive();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &b);
    const double cpu = (b.tv_sec - a.tv_sec) + (b.tv_nsec - a.tv_nsec) / 1e9;
    camera.setFaults({});
    return 100.0 * cpu / (wall.elapsed() / 1000.0);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    camsim::SimCamera camera;  // paced at 115200 both ways
    const double ours = programTransferSeconds(camera);
    const double reference = referenceTransferSeconds(camera);
    if (ours > 0) std::printf("picture_transfer_ratio: %.3f\n", ours / kWireLimitS);
    if (ours > 0 && reference > 0)
        std::printf("picture_transfer_vs_reference: %.3f\n", ours / reference);
    std::printf("wait_cpu_percent: %.3f\n", waitCpuPercent(camera));
    std::fflush(stdout);
    return ours > 0 ? 0 : 1;
}

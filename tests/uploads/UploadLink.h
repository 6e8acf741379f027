#pragma once
// The simulated camera behind a port that lets a test watch, or spoil, what goes out, with an
// engine of its own so the uploads go through that port.

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "link/ForwardingPort.h"
#include "tests/support/SimLink.h"

class WatchedPort : public ForwardingPort {
  public:
    explicit WatchedPort(SerialPort& real) : ForwardingPort(real) {}
    void output(const QByteArray& bytes) override {
        QByteArray b = bytes;
        if (onOutput) onOutput(b);
        real_.output(b);
    }
    std::function<void(QByteArray&)> onOutput;
};

struct UploadLink {
    explicit UploadLink(double timeScale, camsim::Options options = SimLink::unpaced())
        : sim(options, timeScale),
          port(sim.port),
          engine(sim.state, port, sim.dialogs, Timing{}.scaled(timeScale)) {}
    SharedState& state() { return sim.state; }
    ScriptedDialogs& dialogs() { return sim.dialogs; }
    camsim::SimCamera& camera() { return sim.camera; }
    // The camera's payloads that start with these two letters.
    std::vector<std::vector<uint8_t>> payloads(char a, char b) const {
        std::vector<std::vector<uint8_t>> out;
        for (auto& p : sim.camera.receivedPayloads())
            if (p.size() >= 2 && p[0] == uint8_t(a) && p[1] == uint8_t(b)) out.push_back(p);
        return out;
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }

    SimLink sim;
    WatchedPort port;
    CommsEngine engine;
    QTemporaryDir dir;
};

#pragma once
// The simulated camera behind a port that can lose, split or damage what crosses it, with an
// engine of its own so the uploads go through that port.

#include <QByteArray>
#include <QTemporaryDir>
#include <functional>
#include <utility>

#include "tests/support/SimLink.h"

class FaultyPort : public ForwardingPort {
  public:
    explicit FaultyPort(SerialPort& real) : ForwardingPort(real) {}
    int inBufferCount() override { return int(later.size()) + real_.inBufferCount(); }
    QByteArray input() override {
        QByteArray out = std::exchange(later, {});
        QByteArray fresh = real_.input();
        if (onInput && !fresh.isEmpty()) fresh = onInput(fresh);
        return out + fresh;
    }
    void output(const QByteArray& bytes) override {
        QByteArray b = bytes;
        if (onOutput) onOutput(b);
        real_.output(b);
    }
    // What arrived, turned into what the program gets now; `later` comes with the next read.
    std::function<QByteArray(const QByteArray&)> onInput;
    std::function<void(QByteArray&)> onOutput;
    QByteArray later;
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
    bool saw(const QString& text) const { return sim.dialogs.saw(text); }

    SimLink sim;
    FaultyPort port;
    CommsEngine engine;
    QTemporaryDir dir;
};

#pragma once
// A simulated camera on a pseudo-terminal, reached through the real serial layer as port 1,
// with a fresh shared state and the timing table scaled down for speed.

#include <memory>

#include "tests/support/ScriptedDialogs.h"
#include "app/LinkObserver.h"
#include "app/PortMap.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "sim/SimCamera.h"

// Records what the link showed.
struct RecordingObserver : LinkObserver {
    std::vector<Indicator> indicators;
    std::vector<QString> captions, notes;
    int lastProgress = -1;
    bool progressVisible = false;
    void showIndicator(Indicator i) override { indicators.push_back(i); }
    void showProgress(bool visible, int value) override {
        progressVisible = visible;
        if (visible) lastProgress = value;
    }
    void showCaption(bool visible, const QString& text) override {
        if (visible) captions.push_back(text);
    }
    void showNote(const QString& text) override { notes.push_back(text); }
    void showTransferHealth(const LinkHealth& h, bool complete) override {
        health.push_back(h);
        healthComplete = complete;
    }
    std::vector<LinkHealth> health;
    bool healthComplete = false;
};

struct SimLink {
    explicit SimLink(camsim::Options options = unpaced(), double timeScale = 0.25,
                     camsim::CameraState initial = camsim::SimCamera::defaultState())
        : SimLink(options, Timing{}.scaled(timeScale), std::move(initial)) {}
    SimLink(camsim::Options options, Timing timing, camsim::CameraState initial)
        : camera(options, initial),
          port((map.assign(1, QString::fromStdString(camera.devicePath())), map)),
          engine(state, port, dialogs, timing) {
        port.setCommPort(1);
        engine.setObserver(&observer);
        Constants(state);
    }
    static camsim::Options unpaced() {
        camsim::Options o;
        o.paced = false;
        return o;
    }
    // Sends one row as the buttons do: Constants, the row, Transmit.
    void send(int row) {
        state.CommandIndex = static_cast<uint8_t>(row);
        engine.Transmit();
    }

    camsim::SimCamera camera;
    PortMap map;
    QtSerialPort port;
    SharedState state;
    ScriptedDialogs dialogs;
    RecordingObserver observer;
    CommsEngine engine;
};

inline std::vector<uint8_t> cameraPicture(const SimLink& link, int n) {
    return link.camera.state().pictures.at(n - 1).pixels;
}

inline std::vector<uint8_t> receivedPicture(const SimLink& link) {
    return {link.state.ImageBuffer.begin(), link.state.ImageBuffer.begin() + kImagePixels};
}

// Requests picture n as "Retrieve Image" does.
inline void requestPicture(SimLink& link, int n) {
    ImageTransferConstants(link.state, QString::number(n));
    link.state.CommandIndex = Row::ImageTransfer;
    link.state.PacketTransferMode = true;
    link.state.BulkReplyMode = true;
    link.engine.Transmit();
}

inline int firstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i]) return int(i);
    return a.size() == b.size() ? -1 : int(std::min(a.size(), b.size()));
}

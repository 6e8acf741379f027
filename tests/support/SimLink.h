#pragma once
// The simulated camera reached through the real serial layer, with the timing table scaled down
// for speed.

#include <memory>
#include <ostream>

#include "tests/support/ScriptedDialogs.h"
#include "app/LinkObserver.h"
#include "app/PortMap.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "camera/Camera.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "sim/SimCamera.h"

// Records what the link showed.
struct RecordingObserver : LinkObserver {
    std::vector<Indicator> indicators;
    std::vector<QString> notes;
    int lastProgress = -1;
    bool progressVisible = false;
    void showIndicator(Indicator i) override { indicators.push_back(i); }
    void showProgress(bool visible, int value) override {
        progressVisible = visible;
        if (visible) lastProgress = value;
    }
    void showNote(const QString& text) override { notes.push_back(text); }
    void showTransferHealth(const LinkHealth& h, bool complete) override {
        health.push_back(h);
        healthComplete = complete;
    }
    std::vector<LinkHealth> health;
    bool healthComplete = false;
};

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << b.toHex(' ').toStdString();
}

// The payloads the camera took, control packets included.
inline std::vector<QByteArray> payloadsHeard(const camsim::SimCamera& camera) {
    std::vector<QByteArray> out;
    for (const auto& p : camera.receivedPayloads())
        out.emplace_back(reinterpret_cast<const char*>(p.data()), int(p.size()));
    return out;
}

// A simulated camera on a pseudo-terminal as port 1, reached through the real serial layer by a
// camera::Camera with a fresh shared state; no widget anywhere. The operations' tests use it as
// it stands, the link's tests through SimLink below.
struct CameraRig {
    explicit CameraRig(camsim::CameraState initial = camsim::SimCamera::defaultState(),
                       Timing timing = Timing{}.scaled(0.25), camsim::Options options = unpaced())
        : sim(options, initial), cam(state, dialogs, ports(), timing) {
        cam.engine().setObserver(&observer);
    }
    static camsim::Options unpaced() {
        camsim::Options o;
        o.paced = false;
        return o;
    }
    PortMap ports() const {
        PortMap map;
        map.assign(1, QString::fromStdString(sim.devicePath()));
        return map;
    }
    std::vector<QByteArray> heard() const { return payloadsHeard(sim); }

    camsim::SimCamera sim;
    SharedState state;
    ScriptedDialogs dialogs;
    RecordingObserver observer;
    camera::Camera cam;
};

// The rig with port 1 chosen and the command table loaded, its engine driven directly.
struct SimLink : CameraRig {
    explicit SimLink(camsim::Options options = unpaced(), double timeScale = 0.25,
                     camsim::CameraState initial = camsim::SimCamera::defaultState())
        : SimLink(options, Timing{}.scaled(timeScale), std::move(initial)) {}
    SimLink(camsim::Options options, Timing timing, camsim::CameraState initial)
        : CameraRig(std::move(initial), timing, options) {
        port.setCommPort(1);
        Constants(state);
    }
    // Sends one row as the buttons do: the row, then Transmit.
    void send(int row) {
        state.CommandIndex = static_cast<uint8_t>(row);
        engine.Transmit();
    }

    camsim::SimCamera& camera = sim;
    QtSerialPort& port = cam.port();
    CommsEngine& engine = cam.engine();
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

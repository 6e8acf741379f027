#pragma once
// The camera operations' own rig: a camera::Camera on the simulated camera's pseudo-terminal
// (port 1), no widgets, the timing table scaled down.

#include "camera/Camera.h"
#include "tests/support/SimLink.h"

struct CameraLink {
    explicit CameraLink(camsim::CameraState initial = camsim::SimCamera::defaultState())
        : sim(SimLink::unpaced(), initial), cam(state, dialogs, ports(), Timing{}.scaled(0.25)) {
        cam.port().setCommPort(1);
        cam.load();
        cam.engine().setObserver(&observer);
        state.NewFirmware = initial.firmwareMajor >= 3;
        state.OldFirmware = !state.NewFirmware;
        state.StoredImageCount = uint8_t(initial.pictures.size());
    }
    PortMap ports() const {
        PortMap map;
        map.assign(1, QString::fromStdString(sim.devicePath()));
        return map;
    }
    // What the camera was told, without the control packets of a picture transfer.
    std::vector<QByteArray> commands() const {
        std::vector<QByteArray> out;
        for (const auto& p : sim.receivedPayloads()) {
            const bool control = p.size() >= 2 && p[0] == 'C' && (p[1] == 0x06 || p[1] == 0x15 || p[1] == 'x');
            if (!control) out.emplace_back(reinterpret_cast<const char*>(p.data()), int(p.size()));
        }
        return out;
    }

    camsim::SimCamera sim;
    SharedState state;
    ScriptedDialogs dialogs;
    RecordingObserver observer;
    camera::Camera cam;
};

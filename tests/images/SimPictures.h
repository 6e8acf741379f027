#pragma once
// A simulated camera holding pictures, and what it was told without a transfer's control
// packets.

#include <QByteArray>
#include <vector>

#include "sim/Scene.h"
#include "sim/SimCamera.h"
#include "tests/support/SimLink.h"

inline camsim::CameraState cameraWith(int pictures, int firmwareMajor = 3) {
    camsim::CameraState s = camsim::SimCamera::defaultState();
    s.firmwareMajor = uint8_t(firmwareMajor);
    s.pictures.clear();
    for (int n = 1; n <= pictures; ++n) s.pictures.push_back(camsim::syntheticPicture(n, s));
    return s;
}

inline QByteArray bytes(std::initializer_list<char> b) {
    return QByteArray(b.begin(), int(b.size()));
}

inline std::vector<QByteArray> commandsHeard(const camsim::SimCamera& camera) {
    std::vector<QByteArray> out = payloadsHeard(camera);
    std::erase_if(out, [](const QByteArray& p) {
        return p.size() >= 2 && p[0] == 'C' && (p[1] == 0x06 || p[1] == 0x15 || p[1] == 'x');
    });
    return out;
}

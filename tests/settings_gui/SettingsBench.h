#pragma once
// The full edition connected to a simulated camera on a pseudo-terminal, with the advanced form
// open and the lamp time cut short so long runs of commands go quickly.

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <ostream>
#include <stdexcept>

#include "tests/support/ScriptedDialogs.h"
#include "app/Mail.h"
#include "forms/Program.h"
#include "sim/SimCamera.h"

inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << b.toHex(' ').toStdString();
}
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// A payload as the camera takes it: the command letters, then the parameter bytes.
inline QByteArray cmd(const char* letters, std::initializer_list<int> bytes = {}) {
    QByteArray out(letters);
    for (int b : bytes) out.append(char(b));
    return out;
}

struct SettingsBench {
    explicit SettingsBench(camsim::CameraState initial = camsim::SimCamera::defaultState())
        : camera(unpaced(), initial), program(dialogs, mail, options(camera.devicePath())) {
        program.start();
        click("ConnectToCamera_btn");
        click("AdvFunc_btn");
        camera.clearLog();
    }
    static camsim::Options unpaced() {
        camsim::Options o;
        o.paced = false;
        return o;
    }
    static ProgramOptions options(const std::string& device) {
        ProgramOptions o;
        o.ports.assign(1, QString::fromStdString(device));
        o.timing = Timing{1000, 2000, 200, 300, 2};
        o.fullEdition = true;
        return o;
    }

    // The advanced form's control of that name, else the front screen's.
    template <typename W = QWidget>
    W* find(const char* name) {
        if (W* w = program.advanced.findChild<W*>(name)) return w;
        if (W* w = program.front.findChild<W*>(name)) return w;
        throw std::runtime_error(std::string("no control ") + name);
    }
    void click(const char* name) { find<QAbstractButton>(name)->click(); }
    void type(const char* name, const QString& text) { find<QLineEdit>(name)->setText(text); }
    void pick(const char* name, const QString& text) {
        auto* list = find<QComboBox>(name);
        list->setCurrentIndex(list->findText(text));
    }
    std::vector<QByteArray> heard() const {
        std::vector<QByteArray> out;
        for (const auto& p : camera.receivedPayloads())
            out.emplace_back(reinterpret_cast<const char*>(p.data()), int(p.size()));
        return out;
    }

    camsim::SimCamera camera;
    ScriptedDialogs dialogs;
    RecordingTransport mail;
    Program program;
};

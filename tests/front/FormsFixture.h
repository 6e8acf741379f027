#pragma once
// One program run against a simulated camera on a pseudo-terminal (port 1), with the timing
// table scaled down, scripted dialogs and a recording mail transport.

#include <QAbstractButton>
#include <QComboBox>
#include <QTextEdit>

#include "app/Mail.h"
#include "forms/Program.h"
#include "tests/support/SimLink.h"

struct Forms {
    explicit Forms(camsim::CameraState initial = camsim::SimCamera::defaultState(),
                   bool fullEdition = false, QString device = QString())
        : camera(CameraRig::unpaced(), initial),
          program(dialogs, mail, options(device.isEmpty() ? path() : device, fullEdition)) {
        program.start();
    }

    QString path() const { return QString::fromStdString(camera.devicePath()); }
    static ProgramOptions options(const QString& device, bool fullEdition) {
        ProgramOptions o;
        o.ports.assign(1, device);
        // Short lamp time for speed, but waits long enough for a loaded machine.
        o.timing = Timing{1000, 2000, 200, 300, 50};
        o.repairCentreAddress = "repairs@example.org";
        o.fullEdition = fullEdition;
        return o;
    }

    template <typename W = QWidget>
    W* find(QWidget* form, const char* name) {
        W* w = form->findChild<W*>(name);
        if (!w) throw std::runtime_error(std::string("no control ") + name);
        return w;
    }
    QWidget* front() { return &program.front; }
    QWidget* advanced() { return &program.advanced; }
    void click(QWidget* form, const char* name) { find<QAbstractButton>(form, name)->click(); }
    QString text(QWidget* form, const char* name) {
        if (auto* box = form->findChild<QTextEdit*>(name)) return box->toPlainText();
        return find<QComboBox>(form, name)->currentText();
    }
    bool checked(const char* name) { return find<QAbstractButton>(advanced(), name)->isChecked(); }

    // Payloads the camera took, as text ("Sr", "Is", ...); bytes beyond ASCII as \xHH.
    std::vector<QByteArray> heard() const { return payloadsHeard(camera); }

    camsim::SimCamera camera;
    ScriptedDialogs dialogs;
    RecordingTransport mail;
    Program program;
};

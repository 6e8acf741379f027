#pragma once
// The program against a simulated camera, opened on its "Download image" tab.

#include <QComboBox>
#include <QImage>
#include <QTemporaryDir>

#include "forms/DownloadImageTab.h"
#include "sim/Scene.h"
#include "tests/front/FormsFixture.h"

struct PictureForms : Forms {
    explicit PictureForms(camsim::CameraState initial = camsim::SimCamera::defaultState())
        : Forms(std::move(initial)) {
        click(front(), "ConnectToCamera_btn");
        click(front(), "DownloadImages_btn");  // "STORED IMAGES"
        camera.clearLog();
        dialogs.shown.clear();
    }

    void select(const char* list, const QString& entry) {
        auto* combo = find<QComboBox>(advanced(), list);
        const int i = combo->findText(entry);
        if (i < 0) throw std::runtime_error("no entry " + entry.toStdString());
        combo->setCurrentIndex(i);
    }
    QString selected(const char* list) { return find<QComboBox>(advanced(), list)->currentText(); }

    void retrieve(const QString& entry) {
        select("ViewImage_combo", entry);
        click(advanced(), "Download_image_");
    }

    // Saves through the "Save" dialog and reads the file back with Qt's own reader.
    QImage save(const QString& path) {
        dialogs.files.push_back(FileChoice{path, 1});
        click(advanced(), "Image_save_btn");
        return QImage(path, "BMP");
    }

    // What the camera was told, without the control packets of a picture transfer.
    std::vector<QByteArray> commands() const {
        std::vector<QByteArray> out;
        for (const QByteArray& p : heard()) {
            const bool control =
                p.size() >= 2 && p[0] == 'C' && (p[1] == 0x06 || p[1] == 0x15 || p[1] == 'x');
            if (!control) out.push_back(p);
        }
        return out;
    }

    images::DownloadImageTab& tab() { return *program.advanced.imageTab; }
};

inline camsim::CameraState cameraWith(int pictures) {
    camsim::CameraState s = camsim::SimCamera::defaultState();
    s.pictures.clear();
    for (int n = 1; n <= pictures; ++n) s.pictures.push_back(camsim::syntheticPicture(n, s));
    return s;
}

inline QByteArray bytes(std::initializer_list<char> b) {
    return QByteArray(b.begin(), int(b.size()));
}

#pragma once
// The program against a simulated camera, opened on its "Download image" tab.

#include <QComboBox>
#include <QTemporaryDir>

#include "forms/DownloadImageTab.h"
#include "tests/front/FormsFixture.h"
#include "tests/images/SimPictures.h"

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

    void retrieve(const QString& entry) {
        select("ViewImage_combo", entry);
        click(advanced(), "Download_image_");
    }

    std::vector<QByteArray> commands() const { return commandsHeard(camera); }
    images::DownloadImageTab& tab() { return *program.advanced.imageTab; }
};

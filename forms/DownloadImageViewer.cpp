// Showing the camera's stored pictures on its own display: "View image", Next and Previous.
#include <QComboBox>

#include "app/Dialogs.h"
#include "app/SharedState.h"
#include "forms/DownloadImageTab.h"
#include "camera/AppContext.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"

namespace images {

void DownloadImageTab::queryImageCount() {
    s_.CommandIndex = Row::ImageCount;
    Constants(s_);
    s_.ImageCountRequested = true;
    ctx_.engine.Transmit();
    // Left set after a send that never happened, the next plain reply would pass for a count.
    s_.ImageCountRequested = false;
}

// A refused number sends nothing, rather than whatever show command the row held before.
void DownloadImageTab::showPicture(int number) {
    if (!ViewImage_Constants(s_, number, s_.StoredImageCount)) {
        exclaim(text::kTooFewStored);
        ui.ViewImage_combo->setCurrentIndex(number - 1);
        return;
    }
    s_.CommandIndex = Row::ViewImage;
    ctx_.engine.Transmit();
}

void DownloadImageTab::ViewImage_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (s_.NewFirmware) queryImageCount();
    showPicture(selectedPicture());
}

void DownloadImageTab::NextImage_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (s_.NewFirmware) queryImageCount();
    const int current = selectedPicture();
    if (current > s_.StoredImageCount) return exclaim(text::kTooFewStored);
    if (ui.ViewImage_combo->currentIndex() >= kLastPictureNumber) return exclaim(text::kOnly26);
    ui.ViewImage_combo->setCurrentIndex(current + 1);
    showPicture(current + 1);
}

void DownloadImageTab::PreviousImage_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (s_.NewFirmware) queryImageCount();
    const int current = selectedPicture();
    if (ui.ViewImage_combo->currentIndex() < 1) return exclaim(text::kOnly0To26);
    ui.ViewImage_combo->setCurrentIndex(current - 1);
    showPicture(current - 1);
}

}  // namespace images

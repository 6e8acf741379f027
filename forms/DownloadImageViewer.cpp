// Showing the camera's stored pictures on its own display: "View image", Next and Previous.
#include <QComboBox>

#include "app/Dialogs.h"
#include "app/SharedState.h"
#include "forms/AppContext.h"
#include "camera/Camera.h"
#include "camera/Pictures.h"
#include "forms/DownloadImageTab.h"
#include "link/CommsEngine.h"

namespace images {

void DownloadImageTab::queryImageCount() {
    camera::queryImageCount(*ctx_.camera);
}

void DownloadImageTab::showPicture(int number) {
    const camera::Outcome shown = camera::showPictureOnCamera(*ctx_.camera, number);
    camera::showMessages(ctx_.dialogs, shown);
    if (!shown.ok) ui.ViewImage_combo->setCurrentIndex(number - 1);
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

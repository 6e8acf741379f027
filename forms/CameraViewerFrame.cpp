#include "forms/CameraViewerFrame.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "app/Dialogs.h"
#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Pictures.h"
#include "forms/AppContext.h"
#include "forms/FormWidgets.h"
#include "link/CommsEngine.h"

namespace images {

CameraViewerFrame::CameraViewerFrame(AppContext& context, QWidget* parent)
    : QGroupBox(QStringLiteral("VIEW IMAGE"), parent), ctx_(context) {
    setObjectName("ViewImageFrame");
    auto* view = new QGridLayout(this);
    Label9 = makeLabel(this, "Label9", "Selected image");
    ViewImage_combo = named(new QComboBox(this), "ViewImage_combo");
    ViewImage_btn =
        makeButton(this, "ViewImage_btn", "View image", "View selected image on the camera");
    PreviousImage = makeButton(this, "PreviousImage", "Image", "View previous image");
    PreviousImage->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    NextImage_btn = makeButton(this, "NextImage_btn", "Image", "View next imaged stored");
    NextImage_btn->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    DeleteSelection_btn =
        makeButton(this, "DeleteSelection_btn", "Delete Image", "Delete selected image");
    view->addWidget(Label9, 0, 0);
    view->addWidget(ViewImage_combo, 0, 1);
    view->addWidget(ViewImage_btn, 1, 0, 1, 2);
    view->addWidget(PreviousImage, 2, 0);
    view->addWidget(NextImage_btn, 2, 1);
    view->addWidget(DeleteSelection_btn, 3, 0, 1, 2);
    connect(ViewImage_btn, &QPushButton::clicked, this, [this] { ViewImage_btn_Click(); });
    connect(NextImage_btn, &QPushButton::clicked, this, [this] { NextImage_btn_Click(); });
    connect(PreviousImage, &QPushButton::clicked, this, [this] { PreviousImage_Click(); });
}

void CameraViewerFrame::queryImageCount() {
    camera::queryImageCount(*ctx_.camera);
}

int CameraViewerFrame::selectedPicture() const {
    return PictureNumberOf(ViewImage_combo->currentText());
}

void CameraViewerFrame::showPicture(int number) {
    const camera::Outcome shown = camera::showPictureOnCamera(*ctx_.camera, number);
    camera::showMessages(ctx_.dialogs, shown);
    if (!shown.ok) ViewImage_combo->setCurrentIndex(number - 1);
}

void CameraViewerFrame::ViewImage_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (ctx_.state.NewFirmware) queryImageCount();
    showPicture(selectedPicture());
}

void CameraViewerFrame::NextImage_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (ctx_.state.NewFirmware) queryImageCount();
    const int current = selectedPicture();
    if (current > ctx_.state.StoredImageCount) return exclaim(text::kTooFewStored);
    if (ViewImage_combo->currentIndex() >= kLastPictureNumber) return exclaim(text::kOnly26);
    ViewImage_combo->setCurrentIndex(current + 1);
    showPicture(current + 1);
}

void CameraViewerFrame::PreviousImage_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (ctx_.state.NewFirmware) queryImageCount();
    const int current = selectedPicture();
    if (ViewImage_combo->currentIndex() < 1) return exclaim(text::kOnly0To26);
    ViewImage_combo->setCurrentIndex(current - 1);
    showPicture(current - 1);
}

void CameraViewerFrame::exclaim(const QString& message) {
    ctx_.dialogs.message(message, text::kOrvik, MsgIcon::Exclamation);
}

}  // namespace images

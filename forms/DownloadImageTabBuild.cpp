// Building the "Download image" tab: the picture box on the left, the frames of buttons on the
// right, every control named as designed.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/CameraViewerFrame.h"
#include "forms/DownloadImageTab.h"
#include "forms/FormWidgets.h"
#include "images/Render.h"

namespace images {

namespace {

// 320 x 240 inside a 2-pixel border; the strip makes it 290 high inside.
constexpr int kBorder = 2;

}  // namespace

void DownloadImageTab::buildControls() {
    auto* row = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    ui.Picture2 = named(new QLabel(this), "Picture2");
    ui.Picture2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ui.Picture2->setLineWidth(kBorder);
    ui.Picture2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui.Picture2->setFixedSize(kPictureWidth + 2 * kBorder, kPictureHeight + 2 * kBorder);
    left->addWidget(ui.Picture2);
    auto* store = new QHBoxLayout;
    ui.StoreImage =
        makeButton(this, "StoreImage", "Store picture", "Store a picture on the camera");
    ui.DeleteAllImages = makeButton(this, "DeleteAllImages", "Delete all images",
                                    "Delete all images stored on the camera");
    store->addWidget(ui.StoreImage);
    store->addWidget(ui.DeleteAllImages);
    left->addLayout(store);
    left->addStretch(1);
    row->addLayout(left);

    auto* right = new QVBoxLayout;
    ui.Frame4 = makeFrame(this, "Frame4", "DOWNLOAD IMAGE");
    auto* download = new QVBoxLayout(ui.Frame4);
    ui.Download_image_ = makeButton(ui.Frame4, "Download_image_", "Retrieve Image",
                                    "Download selected image from camera to the PC");
    ui.VerifyDownload_chk =
        named(new QCheckBox("Verify (download twice)", ui.Frame4), "VerifyDownload_chk");
    ui.VerifyDownload_chk->setToolTip(
        "Download the picture twice and compare the copies; a third download decides where "
        "they differ");
    ui.ImageProgress = named(new QProgressBar(ui.Frame4), "ImageProgress");
    ui.ImageProgress->setRange(0, kPicturePackets);
    ui.ImageProgress->hide();
    ui.lblUpDown = named(new QLabel(ui.Frame4), "lblUpDown");
    ui.lblUpDown->hide();
    download->addWidget(ui.Download_image_);
    download->addWidget(ui.VerifyDownload_chk);
    download->addWidget(ui.ImageProgress);
    download->addWidget(ui.lblUpDown);
    right->addWidget(ui.Frame4);

    viewer = new CameraViewerFrame(ctx_, this);
    ui.ViewImageFrame = viewer;
    ui.Label9 = viewer->Label9;
    ui.ViewImage_combo = viewer->ViewImage_combo;
    ui.ViewImage_btn = viewer->ViewImage_btn;
    ui.PreviousImage = viewer->PreviousImage;
    ui.NextImage_btn = viewer->NextImage_btn;
    ui.DeleteSelection_btn = viewer->DeleteSelection_btn;
    right->addWidget(ui.ViewImageFrame);

    ui.Frame12 = makeFrame(this, "Frame12", "COLOURISE");
    auto* colourise = new QVBoxLayout(ui.Frame12);
    ui.Colourise_combo = named(new QComboBox(ui.Frame12), "Colourise_combo");
    ui.SelectColourPalette_btn = makeButton(ui.Frame12, "SelectColourPalette_btn", "Select colour",
                                            "Please select a colour, for the download image. ");
    colourise->addWidget(ui.Colourise_combo);
    colourise->addWidget(ui.SelectColourPalette_btn);
    right->addWidget(ui.Frame12);

    ui.Frame9 = makeFrame(this, "Frame9", "SAVE IMAGE");
    auto* save = new QVBoxLayout(ui.Frame9);
    ui.Image_save_btn =
        makeButton(ui.Frame9, "Image_save_btn", "Save", "Save picture currently displayed");
    save->addWidget(ui.Image_save_btn);
    right->addWidget(ui.Frame9);
    right->addStretch(1);
    row->addLayout(right);
    row->addStretch(1);
}

void DownloadImageTab::connectHandlers() {
    auto on = [this](QPushButton* b, void (DownloadImageTab::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    on(ui.Download_image_, &DownloadImageTab::Download_image_Click);
    on(ui.DeleteSelection_btn, &DownloadImageTab::DeleteSelection_btn_Click);
    on(ui.DeleteAllImages, &DownloadImageTab::DeleteAllImages_Click);
    on(ui.StoreImage, &DownloadImageTab::StoreImage_Click);
    on(ui.Image_save_btn, &DownloadImageTab::Image_save_btn_Click);
    on(ui.SelectColourPalette_btn, &DownloadImageTab::SelectColourPalette_btn_Click);
}

}  // namespace images

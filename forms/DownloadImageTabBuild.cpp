// Building the "Download image" tab: the picture box on the left, the frames of buttons on the
// right, every control named as designed.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "forms/DownloadImageTab.h"
#include "images/Render.h"

namespace images {

namespace {

template <typename W>
W* named(W* widget, const QString& name, const QString& toolTip = QString()) {
    widget->setObjectName(name);
    if (!toolTip.isEmpty()) widget->setToolTip(toolTip);
    return widget;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QString& toolTip) {
    return named(new QPushButton(caption, parent), name, toolTip);
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption) {
    return named(new QGroupBox(caption, parent), name);
}

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
    ui.StoreImage = button(this, "StoreImage", "Store picture", "Store a picture on the camera");
    ui.DeleteAllImages = button(this, "DeleteAllImages", "Delete all images",
                                "Delete all images stored on the camera");
    store->addWidget(ui.StoreImage);
    store->addWidget(ui.DeleteAllImages);
    left->addLayout(store);
    left->addStretch(1);
    row->addLayout(left);

    auto* right = new QVBoxLayout;
    ui.Frame4 = frame(this, "Frame4", "DOWNLOAD IMAGE");
    auto* download = new QVBoxLayout(ui.Frame4);
    ui.Download_image_ = button(ui.Frame4, "Download_image_", "Retrieve Image",
                                "Download selected image from camera to the PC");
    ui.ImageProgress = named(new QProgressBar(ui.Frame4), "ImageProgress");
    ui.ImageProgress->setRange(0, kPicturePackets);
    ui.ImageProgress->hide();
    ui.lblUpDown = named(new QLabel(ui.Frame4), "lblUpDown");
    ui.lblUpDown->hide();
    download->addWidget(ui.Download_image_);
    download->addWidget(ui.ImageProgress);
    download->addWidget(ui.lblUpDown);
    right->addWidget(ui.Frame4);

    ui.ViewImageFrame = frame(this, "ViewImageFrame", "VIEW IMAGE");
    auto* view = new QGridLayout(ui.ViewImageFrame);
    ui.Label9 = named(new QLabel("Selected image", ui.ViewImageFrame), "Label9");
    ui.ViewImage_combo = named(new QComboBox(ui.ViewImageFrame), "ViewImage_combo");
    ui.ViewImage_btn = button(ui.ViewImageFrame, "ViewImage_btn", "View image",
                              "View selected image on the camera");
    ui.PreviousImage = button(ui.ViewImageFrame, "PreviousImage", "Image", "View previous image");
    ui.PreviousImage->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    ui.NextImage_btn =
        button(ui.ViewImageFrame, "NextImage_btn", "Image", "View next imaged stored");
    ui.NextImage_btn->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    ui.DeleteSelection_btn =
        button(ui.ViewImageFrame, "DeleteSelection_btn", "Delete Image", "Delete selected image");
    view->addWidget(ui.Label9, 0, 0);
    view->addWidget(ui.ViewImage_combo, 0, 1);
    view->addWidget(ui.ViewImage_btn, 1, 0, 1, 2);
    view->addWidget(ui.PreviousImage, 2, 0);
    view->addWidget(ui.NextImage_btn, 2, 1);
    view->addWidget(ui.DeleteSelection_btn, 3, 0, 1, 2);
    right->addWidget(ui.ViewImageFrame);

    ui.Frame12 = frame(this, "Frame12", "COLOURISE");
    auto* colourise = new QVBoxLayout(ui.Frame12);
    ui.Colourise_combo = named(new QComboBox(ui.Frame12), "Colourise_combo");
    ui.SelectColourPalette_btn = button(ui.Frame12, "SelectColourPalette_btn", "Select colour",
                                        "Please select a colour, for the download image. ");
    colourise->addWidget(ui.Colourise_combo);
    colourise->addWidget(ui.SelectColourPalette_btn);
    right->addWidget(ui.Frame12);

    ui.Frame9 = frame(this, "Frame9", "SAVE IMAGE");
    auto* save = new QVBoxLayout(ui.Frame9);
    ui.Image_save_btn =
        button(ui.Frame9, "Image_save_btn", "Save", "Save picture currently displayed");
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
    on(ui.ViewImage_btn, &DownloadImageTab::ViewImage_btn_Click);
    on(ui.NextImage_btn, &DownloadImageTab::NextImage_btn_Click);
    on(ui.PreviousImage, &DownloadImageTab::PreviousImage_Click);
    on(ui.Image_save_btn, &DownloadImageTab::Image_save_btn_Click);
    on(ui.SelectColourPalette_btn, &DownloadImageTab::SelectColourPalette_btn_Click);
}

}  // namespace images

#include "forms/SplashPanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "link/CommsEngine.h"

namespace {

// 4860 x 3660 twips at 15 twips a pixel.
constexpr int kPreviewWidth = 324, kPreviewHeight = 244;

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    return b;
}

QList<QPointer<QWidget>> guarded(const QList<QWidget*>& widgets) {
    QList<QPointer<QWidget>> out;
    for (QWidget* w : widgets) out.append(w);
    return out;
}

}  // namespace

SplashPanel::SplashPanel(CommsEngine& engine, QWidget* parent)
    : QWidget(parent), engine_(engine), upload_(engine, this) {
    build();
    const auto on = [this](QPushButton* b, void (SplashPanel::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    connect(ui.OpenSplashImage_btn, &QPushButton::clicked, this,
            [this] { OpenSplashImage_btn_Click(); });
    on(ui.SendBMP_To_Camera, &SplashPanel::SendBMP_To_Camera_Click);
    on(ui.Splash_on_btn, &SplashPanel::Splash_on_btn_Click);
    on(ui.Splash_off_btn, &SplashPanel::Splash_off_btn_Click);
    on(ui.ViewSplashOnCamera, &SplashPanel::ViewSplashOnCamera_Click);
    on(ui.Display_Scene, &SplashPanel::Display_Scene_Click);
}

bool SplashPanel::OpenSplashImage_btn_Click() {
    FileRequest request;
    request.title = "Open";
    request.filter = "Bitmap Files (*.bmp)|*.bmp";
    const std::optional<FileChoice> choice = engine_.dialogs().openFile(request);
    if (!choice) return false;
    const camera::Outcome loaded = upload_.load(choice->path);
    camera::showMessages(engine_.dialogs(), loaded);
    return loaded.ok;
}

void SplashPanel::SendBMP_To_Camera_Click() {
    if (engine_.refuseWhileBusy()) return;
    camera::showMessages(engine_.dialogs(), upload_.send());
}

void SplashPanel::Splash_on_btn_Click() {
    if (!engine_.refuseWhileBusy()) upload_.switchOn();
}

void SplashPanel::Splash_off_btn_Click() {
    if (!engine_.refuseWhileBusy()) upload_.switchOff();
}

void SplashPanel::ViewSplashOnCamera_Click() {
    if (!engine_.refuseWhileBusy()) upload_.viewOnCamera();
}

void SplashPanel::Display_Scene_Click() {
    if (!engine_.refuseWhileBusy()) upload_.normalImage();
}

void SplashPanel::build() {
    setObjectName("SplashPanel");
    auto* grid = new QGridLayout(this);
    ui.Frame11 = new QGroupBox("Open file", this);
    ui.Frame11->setObjectName("Frame11");
    ui.OpenSplashImage_btn = button(ui.Frame11, "OpenSplashImage_btn", "Open",
                                    "Open BMP file to load as a splash screen");
    (new QVBoxLayout(ui.Frame11))->addWidget(ui.OpenSplashImage_btn);
    ui.Frame10 = new QGroupBox("Upload splash", this);
    ui.Frame10->setObjectName("Frame10");
    ui.SendBMP_To_Camera =
        button(ui.Frame10, "SendBMP_To_Camera", "Send splash",
               QStringLiteral("Upload a splash screen from the PC to the Orvik\u00ae3 camera"));
    ui.lblUpDown1 = new QLabel(ui.Frame10);
    ui.lblUpDown1->setObjectName("lblUpDown1");
    ui.lblUpDown1->hide();
    auto* upload = new QVBoxLayout(ui.Frame10);
    upload->addWidget(ui.SendBMP_To_Camera);
    upload->addWidget(ui.lblUpDown1);
    ui.Picture4 = new QLabel(this);
    ui.Picture4->setObjectName("Picture4");
    ui.Picture4->setFixedSize(kPreviewWidth, kPreviewHeight);
    ui.Picture4->setFrameShape(QFrame::Box);
    ui.Splash_on_btn = button(this, "Splash_on_btn", "Splash on", "Turn splash screen on");
    ui.Splash_off_btn = button(this, "Splash_off_btn", "Splash off", "Splash screen off");
    ui.ViewSplashOnCamera =
        button(this, "ViewSplashOnCamera", "View splash", "View splash screen on camera");
    ui.Display_Scene = button(this, "Display_Scene", "Normal image",
                              "This will return the camera to normal operation");
    grid->addWidget(ui.Frame11, 0, 0);
    grid->addWidget(ui.Frame10, 1, 0);
    grid->addWidget(ui.Picture4, 0, 1, 3, 1);
    auto* buttons = new QHBoxLayout;
    for (QWidget* w :
         {ui.Splash_on_btn, ui.Splash_off_btn, ui.ViewSplashOnCamera, ui.Display_Scene})
        buttons->addWidget(w);
    grid->addLayout(buttons, 3, 0, 1, 2);
}

void SplashPanel::setProgressBar(QProgressBar* bar) {
    progress_ = bar;
    if (bar) bar->hide();
}

void SplashPanel::setUploadLocks(const QList<QWidget*>& locked, const QList<QWidget*>& alsoAfter) {
    locked_ = guarded(locked);
    alsoAfter_ = guarded(alsoAfter);
}

void SplashPanel::setStopRestores(const QList<QWidget*>& hide, const QList<QWidget*>& enable) {
    hideOnStop_ = guarded(hide);
    enableOnStop_ = guarded(enable);
}

void SplashPanel::setEnabled(const QList<QPointer<QWidget>>& widgets, bool enabled) {
    for (const QPointer<QWidget>& w : widgets)
        if (w) w->setEnabled(enabled);
}

void SplashPanel::showPreview(const QImage& picture) {
    ui.Picture4->setPixmap(QPixmap::fromImage(picture.scaled(
        kPreviewWidth, kPreviewHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    ui.Picture4->repaint();
}

void SplashPanel::showProgress(bool visible, int value, int maximum) {
    if (!progress_) return;
    progress_->setMaximum(maximum);
    progress_->setValue(value);
    progress_->setVisible(visible);
}

void SplashPanel::showWaitCaption(bool visible, const QString& text) {
    ui.lblUpDown1->setText(text);
    ui.lblUpDown1->setVisible(visible);
}

void SplashPanel::lockForUpload(bool locked) {
    setEnabled(locked_, !locked);
    for (QWidget* w : {ui.SendBMP_To_Camera, ui.OpenSplashImage_btn, ui.Splash_off_btn,
                       ui.Splash_on_btn, ui.ViewSplashOnCamera, ui.Display_Scene})
        w->setEnabled(!locked);
    if (!locked) setEnabled(alsoAfter_, true);
}

void SplashPanel::uploadStopped() {
    for (const QPointer<QWidget>& w : hideOnStop_)
        if (w) w->hide();
    setEnabled(enableOnStop_, true);
}

void SplashPanel::selectSplashInImageList() {
    if (selectSplashEntry) selectSplashEntry();
}

// The "Download image" tab's load, picture transfer, rendering, save, delete and store.
#include "forms/DownloadImageTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <csignal>

#include "app/Dialogs.h"
#include "app/LinkObserver.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "app/Wait.h"
#include "camera/Camera.h"
#include "camera/Pictures.h"
#include "camera/Recording.h"
#include "forms/AppContext.h"
#include "forms/CameraViewerFrame.h"
#include "images/Palettes.h"
#include "images/Render.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/PortDiscovery.h"

namespace images {

namespace {

constexpr int kFramed = 4;  // the picture box's border, both sides
constexpr int kGreyScaleWhiteHot = 1;

// While a picture comes, the engine's progress and caption go to the tab's bar and label as
// well as to whoever watched before (the lamps, a command line's progress line).
class TransferView : public ChainedObserver {
  public:
    TransferView(CommsEngine& engine, QProgressBar* bar, QLabel* caption)
        : ChainedObserver(engine), bar_(bar), caption_(caption) {}

    void showProgress(bool visible, int value) override {
        bar_->setValue(visible ? value : 0);
        bar_->setVisible(visible);
        ChainedObserver::showProgress(visible, value);
    }
    void showCaption(bool visible, const QString& text) override {
        caption_->setText(text);
        caption_->setVisible(visible);
        ChainedObserver::showCaption(visible, text);
    }

  private:
    QProgressBar* bar_;
    QLabel* caption_;
};

}  // namespace

DownloadImageTab::DownloadImageTab(AppContext& context, FormHooks hooks, QWidget* parent)
    : QWidget(parent), ctx_(context), s_(context.state), hooks_(std::move(hooks)) {
    setObjectName("DownloadImageTab");
    buildControls();
    connectHandlers();
    ctx_.engine.handlers.imageCount = [&s = s_] { RxImagesStoredOnTheCamera(s); };
}

void DownloadImageTab::Form_Load() {
    s_.DownloadStarted = false;
    s_.ImageCountRequested = false;
    s_.BulkReplyMode = false;
    s_.ImageWriteOffset = 0;
    ui.ViewImage_combo->clear();
    ui.ViewImage_combo->addItems(ViewImageEntries());
    ui.ViewImage_combo->setCurrentIndex(1);
    ui.Colourise_combo->clear();
    for (const ColourChoice& choice : kColouriseChoices)
        ui.Colourise_combo->addItem(QString::fromLatin1(choice.text));
    ui.Colourise_combo->setCurrentIndex(0);
    for (QWidget* w : std::initializer_list<QWidget*>{ui.Image_save_btn, ui.SelectColourPalette_btn,
                                                      ui.Colourise_combo})
        w->setEnabled(false);
    ui.ImageProgress->hide();
    ui.lblUpDown->hide();
}

void DownloadImageTab::clearPicture() {
    held_.reset();
    shown_ = QImage();
    outcome_ = TransferOutcome::None;
    ui.Picture2->clear();
    ui.Picture2->setFixedSize(kPictureWidth + kFramed, kPictureHeight + kFramed);
}

void DownloadImageTab::Download_image_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    setTransferLock(true);
    camera::Download d;
    {
        TransferView view(ctx_.engine, ui.ImageProgress, ui.lblUpDown);
        const int number = viewer->selectedPicture();
        d = ui.VerifyDownload_chk->isChecked() ? camera::downloadVerified(*ctx_.camera, number)
                                               : camera::downloadPicture(*ctx_.camera, number);
    }
    finishTransfer(d);
    setTransferLock(false);
    ui.lblUpDown->clear();
    clearStop();  // a stop ends one transfer; the program goes on
}

// Save and "Select colour" stay locked after the transfer: the render unlocks them.
void DownloadImageTab::setTransferLock(bool locked) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui.ViewImage_btn, ui.ViewImage_combo, ui.Download_image_, ui.DeleteSelection_btn,
             ui.DeleteAllImages, ui.PreviousImage, ui.NextImage_btn})
        w->setEnabled(!locked);
    if (locked) {
        ui.Image_save_btn->setEnabled(false);
        ui.SelectColourPalette_btn->setEnabled(false);
    }
    if (hooks_.lockForm) hooks_.lockForm(locked);
}

void DownloadImageTab::finishTransfer(const camera::Download& d) {
    outcome_ = d.result;
    // A picture that failed its verification is shown only if the user wants it all the same.
    bool wanted = d.picture.has_value();
    if (wanted && !d.outcome.ok)
        wanted = ctx_.dialogs.message(d.outcome.messages.front().text + "\r\n\r\nShow it anyway?",
                                      text::kOrvik, MsgIcon::Question,
                                      MsgButtons::YesNo) == MsgAnswer::Yes;
    if (wanted) {
        held_ = d.picture;
        DisplayStoredImage(kGreyScaleWhiteHot);
        if (d.outcome.ok) camera::showMessages(ctx_.dialogs, d.outcome);
        for (QWidget* w : std::initializer_list<QWidget*>{ui.SelectColourPalette_btn,
                                                          ui.Colourise_combo, ui.Image_save_btn})
            w->setEnabled(true);
        return;
    }
    // The picture shown before stays, and stays usable; the next good picture gets the message.
    const bool shown = !shown_.isNull();
    ui.Image_save_btn->setEnabled(shown);
    ui.SelectColourPalette_btn->setEnabled(shown);
    if (!d.picture) camera::showMessages(ctx_.dialogs, d.outcome);
}

void DownloadImageTab::DisplayStoredImage(int paletteNumber) {
    if (!held_) return;
    const QImage image = camera::viewPicture(*held_, paletteNumber);
    if (image.isNull()) return;
    shown_ = image;
    ui.Picture2->setFixedSize(kPictureWidth + kFramed, kPictureHeightWithStrip + kFramed);
    ui.Picture2->setPixmap(QPixmap::fromImage(shown_));
    ui.Image_save_btn->setEnabled(true);
}

void DownloadImageTab::SelectColourSetup() {
    DisplayStoredImage(images::SelectColourSetup(ui.Colourise_combo->currentIndex()));
}

void DownloadImageTab::SelectColourPalette_btn_Click() {
    SelectColourSetup();
}

void DownloadImageTab::Image_save_btn_Click() {
    if (shown_.isNull()) return;
    FileRequest request;
    request.title = QStringLiteral("Save image");
    request.filter = text::kSaveFilter;
    request.filterIndex = 1;
    const std::optional<FileChoice> choice = ctx_.dialogs.saveFile(request);
    if (!choice || choice->path.isEmpty()) return;
    QString why;
    if (!camera::saveBitmap(shown_, choice->path, &why))
        ctx_.dialogs.message(text::SaveFailed(choice->path, why), text::kFileError,
                             MsgIcon::Exclamation);
    else if (held_)
        camera::recordSaved(*ctx_.camera, held_->number, choice->path);
}

void DownloadImageTab::DeleteSelection_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (ctx_.dialogs.message(text::kDeleteOneQuestion, text::kDeleteOneTitle, MsgIcon::Question,
                             MsgButtons::YesNo) == MsgAnswer::Yes)
        camera::deletePicture(*ctx_.camera, ui.ViewImage_combo->currentIndex(),
                              hooks_.statusReport);
    else
        camera::returnToNormal(*ctx_.camera);
}

void DownloadImageTab::DeleteAllImages_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (ctx_.dialogs.message(text::kDeleteAllQuestion, text::kDeleteAllTitle, MsgIcon::Exclamation,
                             MsgButtons::YesNo) == MsgAnswer::Yes)
        camera::deleteAllPictures(*ctx_.camera, hooks_.statusReport);
    else
        camera::returnToNormal(*ctx_.camera);
}

void DownloadImageTab::StoreImage_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    camera::storePicture(*ctx_.camera);
}

}  // namespace images

void closeAfterTransferQuestion(AppContext& ctx, std::function<void()> close) {
    if (!ctx.state.DownloadStarted) return close();
    if (ctx.closeQuestionOpen) return;  // the question is already on the screen
    ctx.closeQuestionOpen = true;
    ctx.dialogs.ask(
        "A picture is still coming from the camera. Stop the transfer and close the window?",
        images::text::kOrvik, MsgIcon::Question, MsgButtons::YesNo,
        [&ctx, close = std::move(close)](MsgAnswer answer) {
            ctx.closeQuestionOpen = false;
            if (answer != MsgAnswer::Yes) return;
            // A transfer that ended while the question was open needs no stop, and a stop left
            // standing would end the next exchange before it began.
            if (ctx.state.DownloadStarted) requestStop(SIGINT);
            close();
        });
}

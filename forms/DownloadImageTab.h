#pragma once
// The advanced form's "Download image" tab: retrieving, deleting and storing the camera's
// pictures, the picture with its information strip, palettes, the viewer on the camera's own
// display (CameraViewerFrame), and saving as a bitmap. Building is in DownloadImageTabBuild.cpp.

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "camera/PictureStore.h"
#include "camera/Pictures.h"
#include "forms/DownloadImageControls.h"

struct AppContext;
struct SharedState;

namespace images {

class CameraViewerFrame;

class DownloadImageTab : public QWidget {
    Q_OBJECT
  public:
    // What the tab needs from the form that holds it.
    struct FormHooks {
        // Locks (true) and unlocks the form's port controls and tab strip while a picture comes.
        std::function<void(bool locked)> lockForm;
        // The status read with its report and follow-up, run after a delete on old firmware.
        std::function<void()> statusReport;
    };

    DownloadImageTab(AppContext& context, FormHooks hooks, QWidget* parent = nullptr);

    // The form's load: the two lists, their selections, the buttons locked until a picture.
    void Form_Load();
    // "Next Camera": the picture of the last camera goes.
    void clearPicture();

    // Handlers, named after their control and event.
    void Download_image_Click();
    void DeleteSelection_btn_Click();
    void DeleteAllImages_Click();
    void StoreImage_Click();
    void Image_save_btn_Click();
    void SelectColourPalette_btn_Click();

    // Renders the held picture through palette 1 to 20 with its strip and shows it.
    void DisplayStoredImage(int paletteNumber);
    // Renders through the palette that `Colourise_combo` names.
    void SelectColourSetup();

    // The picture as shown and saved, 320 x 290; null while none is shown.
    const QImage& shownImage() const { return shown_; }
    TransferOutcome lastOutcome() const { return outcome_; }

    DownloadImageControls ui;
    CameraViewerFrame* viewer = nullptr;  // "VIEW IMAGE", whose controls `ui` also names

  private:
    void buildControls();
    void connectHandlers();
    void setTransferLock(bool locked);
    void finishTransfer(const camera::Download& d);

    AppContext& ctx_;
    SharedState& s_;
    FormHooks hooks_;
    std::optional<HeldPicture> held_;
    QImage shown_;
    TransferOutcome outcome_ = TransferOutcome::None;
};

}  // namespace images

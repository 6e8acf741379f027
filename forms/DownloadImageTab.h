#pragma once
// The advanced form's "Download image" tab: retrieving, deleting and storing the camera's
// pictures, the picture with its information strip, palettes, the viewer on the camera's own
// display, and saving as a bitmap. Building is in DownloadImageTabBuild.cpp, the viewer's
// handlers in DownloadImageViewer.cpp.

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "camera/PictureStore.h"
#include "camera/Pictures.h"

struct AppContext;
struct SharedState;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace images {

// The tab's controls, by their designed names. Each is also the widget's objectName.
struct DownloadImageControls {
    QLabel* Picture2 = nullptr;
    QGroupBox* ViewImageFrame = nullptr;
    QPushButton* ViewImage_btn = nullptr;
    QPushButton* PreviousImage = nullptr;
    QPushButton* NextImage_btn = nullptr;
    QPushButton* DeleteSelection_btn = nullptr;
    QComboBox* ViewImage_combo = nullptr;
    QLabel* Label9 = nullptr;
    QPushButton* DeleteAllImages = nullptr;
    QGroupBox* Frame9 = nullptr;
    QPushButton* Image_save_btn = nullptr;
    QGroupBox* Frame4 = nullptr;
    QPushButton* Download_image_ = nullptr;
    QProgressBar* ImageProgress = nullptr;
    QLabel* lblUpDown = nullptr;
    QGroupBox* Frame12 = nullptr;
    QPushButton* SelectColourPalette_btn = nullptr;
    QComboBox* Colourise_combo = nullptr;
    QPushButton* StoreImage = nullptr;
};

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
    void ViewImage_btn_Click();
    void NextImage_btn_Click();
    void PreviousImage_Click();
    void Image_save_btn_Click();
    void SelectColourPalette_btn_Click();

    // Renders the held picture through palette 1 to 20 with its strip and shows it.
    void DisplayStoredImage(int paletteNumber);
    // Renders through the palette that `Colourise_combo` names.
    void SelectColourSetup();
    // The image-count query 'O' 0x80; the reply sets StoredImageCount.
    void queryImageCount();

    // The picture as shown and saved, 320 x 290; null while none is shown.
    const QImage& shownImage() const { return shown_; }
    TransferOutcome lastOutcome() const { return outcome_; }

    DownloadImageControls ui;

  private:
    void buildControls();
    void connectHandlers();
    void setTransferLock(bool locked);
    void finishTransfer(const camera::Download& d);
    void showPicture(int number);
    int selectedPicture() const;
    void exclaim(const QString& message);

    AppContext& ctx_;
    SharedState& s_;
    FormHooks hooks_;
    std::optional<HeldPicture> held_;
    QImage shown_;
    TransferOutcome outcome_ = TransferOutcome::None;
};

}  // namespace images

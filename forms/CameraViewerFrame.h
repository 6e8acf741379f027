#pragma once
// "VIEW IMAGE" on the "Download image" tab: the picture list, and showing the camera's stored
// pictures on its own display with "View image", Next and Previous. The list's selection is
// also what the tab retrieves and deletes; "Delete Image" sits here but is the tab's.

#include <QGroupBox>

struct AppContext;
class QComboBox;
class QLabel;
class QPushButton;

namespace images {

class CameraViewerFrame : public QGroupBox {
    Q_OBJECT
  public:
    explicit CameraViewerFrame(AppContext& context, QWidget* parent = nullptr);

    void ViewImage_btn_Click();
    void NextImage_btn_Click();
    void PreviousImage_Click();
    // The image-count query 'O' 0x80; the reply sets StoredImageCount.
    void queryImageCount();
    // The picture number `ViewImage_combo` names.
    int selectedPicture() const;

    QLabel* Label9 = nullptr;
    QComboBox* ViewImage_combo = nullptr;
    QPushButton* ViewImage_btn = nullptr;
    QPushButton* PreviousImage = nullptr;
    QPushButton* NextImage_btn = nullptr;
    QPushButton* DeleteSelection_btn = nullptr;

  private:
    void showPicture(int number);
    void exclaim(const QString& message);

    AppContext& ctx_;
};

}  // namespace images

#pragma once
// The "Download image" tab's controls, by their designed names (each is also the widget's
// objectName). The tab builds most of them; the viewer frame builds its own.

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace images {

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
    QCheckBox* VerifyDownload_chk = nullptr;  // "Verify (download twice)"
    QProgressBar* ImageProgress = nullptr;
    QLabel* lblUpDown = nullptr;
    QGroupBox* Frame12 = nullptr;
    QPushButton* SelectColourPalette_btn = nullptr;
    QComboBox* Colourise_combo = nullptr;
    QPushButton* StoreImage = nullptr;
};

}  // namespace images

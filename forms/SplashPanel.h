#pragma once
// The splash controls of the advanced form's "Start up screen" tab, wired to a SplashUpload.
// The advanced form places the panel in its tab and hands over the controls of its own that the
// upload shows progress on or locks.

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "camera/SplashUpload.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

class SplashPanel : public QWidget, public SplashView {
    Q_OBJECT
  public:
    explicit SplashPanel(CommsEngine& engine, QWidget* parent = nullptr);

    struct Controls {
        QGroupBox* Frame11 = nullptr;  // "Open file"
        QPushButton* OpenSplashImage_btn = nullptr;
        QGroupBox* Frame10 = nullptr;  // "Upload splash"
        QPushButton* SendBMP_To_Camera = nullptr;
        QLabel* Picture4 = nullptr;
        QLabel* lblUpDown1 = nullptr;
        QPushButton* Splash_on_btn = nullptr;
        QPushButton* Splash_off_btn = nullptr;
        QPushButton* ViewSplashOnCamera = nullptr;
        QPushButton* Display_Scene = nullptr;
    } ui;

    // The tab's ProgressBar1 (hidden while idle).
    void setProgressBar(QProgressBar* bar);
    // Disabled during an upload besides the panel's own buttons: SSTab1, Close_btn,
    // Image_save_btn, Download_image_. Enabled again at the end, with `alsoAfter`
    // (CommPort_combo, ComPort_Set_btn).
    void setUploadLocks(const QList<QWidget*>& locked, const QList<QWidget*>& alsoAfter);
    // After an upload the reply handler stopped: ImageProgress hidden; SSTab1 and the picture
    // buttons enabled.
    void setStopRestores(const QList<QWidget*>& hide, const QList<QWidget*>& enable);
    // Selects "Splash" in ViewImage_combo (the picture tab's list).
    std::function<void()> selectSplashEntry;

    SplashUpload& upload() { return upload_; }

    // Handlers, named after their control and event. "Open" is false when cancelled or refused.
    bool OpenSplashImage_btn_Click();
    void SendBMP_To_Camera_Click();
    void Splash_on_btn_Click();
    void Splash_off_btn_Click();
    void ViewSplashOnCamera_Click();
    void Display_Scene_Click();

    // SplashView.
    void showPreview(const QImage& picture) override;
    void showProgress(bool visible, int value, int maximum) override;
    void showWaitCaption(bool visible, const QString& text) override;
    void lockForUpload(bool locked) override;
    void uploadStopped() override;
    void selectSplashInImageList() override;

  private:
    void build();
    static void setEnabled(const QList<QPointer<QWidget>>& widgets, bool enabled);

    CommsEngine& engine_;
    SplashUpload upload_;
    QPointer<QProgressBar> progress_;
    QList<QPointer<QWidget>> locked_, alsoAfter_, hideOnStop_, enableOnStop_;
};

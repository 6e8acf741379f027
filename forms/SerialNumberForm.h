#pragma once
// The "Serial Number" dialog: the number is typed, confirmed in two steps (OK, then Accept) and
// sent to the camera as S n lo hi 0. While it is open the advanced form is disabled.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class CommsEngine;
class QLabel;
class QLineEdit;
class QPushButton;
namespace camera {
class Camera;
}

class frmSerialNumber : public QDialog {
    Q_OBJECT
  public:
    explicit frmSerialNumber(CommsEngine& engine, QWidget* advancedForm = nullptr,
                             QWidget* parent = nullptr);

    struct Controls {
        QLabel* lblInstructions = nullptr;
        QLineEdit* txtSerialNumber = nullptr;
        QPushButton* cmdOK = nullptr;
        QPushButton* cmdCancel = nullptr;
        QPushButton* cmdAccept = nullptr;
        QPushButton* cmdReEnter = nullptr;
    } ui;

    // Writes the advanced form's txtSerial ("Serial Number:", a line break, the number).
    std::function<void(const QString&)> showSerialText;

    // The number the connect read: the box holds it whenever the dialog opens.
    void showCurrentNumber(int32_t number);
    // The number given is recorded in this camera's service history.
    void recordTo(camera::Camera* camera) { camera_ = camera; }

    // The advanced form's "Edit serial no'" and its connect: loads the dialog and shows it.
    void Open();
    void Form_Load();
    void cmdOK_Click();
    void cmdReEnter_Click();
    void cmdAccept_Click();
    void cmdCancel_Click();

  protected:
    void reject() override;  // Escape is the cancel button

  private:
    void build();
    void lockText(bool locked);
    void giveBackAdvancedForm(bool show);
    void closeDialog();

    CommsEngine& engine_;
    camera::Camera* camera_ = nullptr;
    QPointer<QWidget> advanced_;
    int cancelX_ = 0;
    QString current_;  // empty before any connect
};

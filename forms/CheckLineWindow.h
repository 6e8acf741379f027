#pragma once
// "Check line": the line check's steps as they run, with a progress bar and each step's verdict.
// The check runs in the link's own waits, so the window and the rest of the program stay alive.

#include <QWidget>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
namespace camera {
class Camera;
}

class CheckLineWindow : public QWidget {
    Q_OBJECT
  public:
    CheckLineWindow(camera::Camera& camera, QWidget* parent = nullptr);
    // "Check line" on the advanced form: the parent's window, made on first use, comes up.
    static void CheckLine_btn_Click(camera::Camera& camera, QWidget* parent);

    // Runs the check on the port the advanced form has set; refused while an exchange waits.
    void Check_btn_Click();

    QTreeWidget* Steps_list = nullptr;  // step, verdict, what was found
    QProgressBar* CheckLine_progress = nullptr;
    QCheckBox* Loopback_chk = nullptr;
    QPushButton* Check_btn = nullptr;
    QLabel* Verdict_lbl = nullptr;

  private:
    class Rows;
    camera::Camera& camera_;
};

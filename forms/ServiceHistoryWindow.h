#pragma once
// "Service history": the cameras this history has seen, the chosen camera's visits (newest
// first), and what changed in the chosen visit since the one before. Its size and the split
// between its lists are kept between runs.

#include <QWidget>
#include <vector>

#include "history/Store.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTreeWidget;

class ServiceHistoryWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ServiceHistoryWindow(QWidget* parent = nullptr);

    // Reads the history afresh; a null store shows why nothing is there.
    void showHistory(history::Store* store);

    QTreeWidget* Cameras_list = nullptr;
    QTreeWidget* Visits_list = nullptr;
    QPlainTextEdit* Changes_txt = nullptr;
    QLabel* History_lbl = nullptr;
    QPushButton* HistoryClose_btn = nullptr;

  protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void restoreLayout();
    void cameraChosen();
    void visitChosen();

    QSplitter* lists_ = nullptr;    // the camera and visit lists, side by side
    QSplitter* columns_ = nullptr;  // the lists over the changes
    history::Store* store_ = nullptr;
    std::vector<history::Visit> visits_;  // the chosen camera's, oldest first
};

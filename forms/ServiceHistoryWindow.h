#pragma once
// "Service history": the cameras this history has seen, the chosen camera's visits (newest
// first), and what changed in the chosen visit since the one before.

#include <QWidget>
#include <vector>

#include "history/Store.h"

class QLabel;
class QPlainTextEdit;
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

  private:
    void cameraChosen();
    void visitChosen();

    history::Store* store_ = nullptr;
    std::vector<history::Visit> visits_;  // the chosen camera's, oldest first
};

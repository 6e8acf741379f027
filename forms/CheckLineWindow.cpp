#include "forms/CheckLineWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "camera/Camera.h"
#include "camera/LineCheck.h"
#include "forms/FormWidgets.h"

// The list's rows follow the check: each step's row gets its verdict when it ends, and the
// progress bar moves by steps and, within a step, by its requests.
class CheckLineWindow::Rows : public camera::LineCheckObserver {
  public:
    Rows(CheckLineWindow& w, const QStringList& steps) : w_(w), steps_(steps) {
        w_.Steps_list->clear();
        for (const QString& name : steps)
            new QTreeWidgetItem(w_.Steps_list, {camera::lineStepTitle(name), "waiting", QString()});
        w_.CheckLine_progress->setRange(0, int(steps.size()) * kPerStep);
        w_.CheckLine_progress->setValue(0);
    }
    void stepStarted(const QString& name) override {
        current_ = int(steps_.indexOf(name));
        if (QTreeWidgetItem* row = w_.Steps_list->topLevelItem(current_))
            row->setText(1, "running");
        w_.CheckLine_progress->setValue(current_ * kPerStep);
    }
    void stepProgress(int done, int total) override {
        w_.CheckLine_progress->setValue(current_ * kPerStep + done * kPerStep / total);
    }
    void stepDone(const camera::LineStep& step) override {
        if (QTreeWidgetItem* row = w_.Steps_list->topLevelItem(current_)) {
            row->setText(1, camera::lineStepVerdict(step));
            row->setText(2, step.detail);
            row->setToolTip(2, step.detail);
        }
        w_.CheckLine_progress->setValue((current_ + 1) * kPerStep);
    }
    // Steps a failure left out say so.
    void finish(bool ok) {
        for (int i = current_ + 1; i < w_.Steps_list->topLevelItemCount(); ++i)
            w_.Steps_list->topLevelItem(i)->setText(1, "not run");
        w_.CheckLine_progress->setValue(w_.CheckLine_progress->maximum());
        w_.Verdict_lbl->setText(ok ? "Every step passed."
                                   : "A problem was found: see the step marked PROBLEM.");
    }

  private:
    static constexpr int kPerStep = 100;
    CheckLineWindow& w_;
    QStringList steps_;
    int current_ = -1;
};

CheckLineWindow::CheckLineWindow(camera::Camera& camera, QWidget* parent)
    : QWidget(parent, Qt::Window), camera_(camera) {
    setObjectName("CheckLineWindow");
    setWindowTitle("Check line");
    auto* layout = new QVBoxLayout(this);
    Steps_list = named(new QTreeWidget(this), "Steps_list");
    Steps_list->setHeaderLabels({"Step", "Verdict", "What was found"});
    Steps_list->setRootIsDecorated(false);
    // The findings wrap in the last column, so the window keeps the advanced form's width.
    Steps_list->setWordWrap(true);
    Steps_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Steps_list->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    Steps_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(Steps_list, 1);
    CheckLine_progress = named(new QProgressBar(this), "CheckLine_progress");
    layout->addWidget(CheckLine_progress);
    Verdict_lbl = makeLabel(this, "Verdict_lbl", QString());
    Verdict_lbl->setWordWrap(true);
    layout->addWidget(Verdict_lbl);
    auto* row = new QHBoxLayout;
    Loopback_chk =
        named(new QCheckBox("Loopback plug instead of the camera", this), "Loopback_chk");
    Check_btn = makeButton(this, "Check_btn", "Check");
    row->addWidget(Loopback_chk, 1);
    row->addWidget(Check_btn);
    layout->addLayout(row);
    resize(720, 360);
    connect(Check_btn, &QPushButton::clicked, this, [this] { Check_btn_Click(); });
}

void CheckLineWindow::CheckLine_btn_Click(camera::Camera& camera, QWidget* parent) {
    auto* window = parent->findChild<CheckLineWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) {
        window = new CheckLineWindow(camera, parent);
        fitBeside(window, parent);
    }
    window->show();
    window->raise();
}

void CheckLineWindow::Check_btn_Click() {
    if (camera_.engine().refuseWhileBusy()) return;
    const bool loopback = Loopback_chk->isChecked();
    Check_btn->setEnabled(false);
    Verdict_lbl->setText("Checking the line . . .");
    Rows rows(*this, camera::lineCheckSteps(loopback));
    const camera::LineCheckResult result =
        camera::checkLine(camera_, {camera_.port().commPort(), 20, loopback}, &rows);
    rows.finish(result.ok());
    Check_btn->setEnabled(true);
}

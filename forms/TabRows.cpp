#include "forms/TabRows.h"

#include <QEvent>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// A bar always has a current tab once it holds one; a back row holds none of the control's, so
// it draws every tab unselected and only the open tab looks open.
class RowBar : public QTabBar {
  public:
    RowBar(QWidget* parent, bool holdsCurrent) : QTabBar(parent), holdsCurrent_(holdsCurrent) {}

  protected:
    void paintEvent(QPaintEvent* event) override {
        if (holdsCurrent_) return QTabBar::paintEvent(event);
        QStylePainter painter(this);
        for (int k = 0; k < count(); ++k) {
            QStyleOptionTab tab;
            initStyleOption(&tab, k);
            tab.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
            tab.selectedPosition = QStyleOptionTab::NotAdjacent;
            painter.drawControl(QStyle::CE_TabBarTab, tab);
        }
    }

  private:
    bool holdsCurrent_;
};

}  // namespace

TabRows::TabRows(QWidget* parent) : QTabWidget(parent) {
    tabBar()->hide();
    tabBar()->installEventFilter(this);
    rowsBox_ = new QWidget(this);
    rowsBox_->setObjectName("SSTab1_rows");
    rowsLayout_ = new QVBoxLayout(rowsBox_);
    rowsLayout_->setContentsMargins(0, 0, 0, 0);
    rowsLayout_->setSpacing(0);
    connect(this, &QTabWidget::currentChanged, this, [this] { syncRows(); });
}

void TabRows::setTabsPerRow(int n) {
    perRow_ = n < 1 ? 1 : n;
    syncRows();
}

void TabRows::showTab(int index, bool visible) {
    setTabVisible(index, visible);
    syncRows();
}

void TabRows::enableTab(int index, bool enabled) {
    setTabEnabled(index, enabled);
    syncRows();
}

void TabRows::syncRows() {
    // A bar may be the one whose click brought us here: out of sight now, deleted later.
    for (QTabBar* bar : bars_) {
        rowsLayout_->removeWidget(bar);
        bar->hide();
        bar->deleteLater();
    }
    bars_.clear();
    std::vector<std::vector<int>> rows;
    int currentRow = -1;
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i)) continue;
        if (rows.empty() || int(rows.back().size()) == perRow_) rows.emplace_back();
        rows.back().push_back(i);
        if (i == currentIndex()) currentRow = int(rows.size()) - 1;
    }
    // As on a card index, the row of the open tab sits next to its page.
    if (currentRow >= 0)
        std::rotate(rows.begin() + currentRow, rows.begin() + currentRow + 1, rows.end());
    for (const std::vector<int>& row : rows) {
        const bool holdsCurrent = std::find(row.begin(), row.end(), currentIndex()) != row.end();
        auto* bar = new RowBar(rowsBox_, holdsCurrent);
        bar->setUsesScrollButtons(false);
        bar->setExpanding(true);
        bar->setElideMode(Qt::ElideNone);
        bar->setDrawBase(false);
        for (int i : row) {
            const int k = bar->addTab(tabText(i));
            bar->setTabData(k, i);
            bar->setTabEnabled(k, isTabEnabled(i));
            bar->setTabToolTip(k, tabToolTip(i));
            if (i == currentIndex()) bar->setCurrentIndex(k);
        }
        connect(bar, &QTabBar::tabBarClicked, this, [this, bar](int k) {
            if (k >= 0 && bar->isTabEnabled(k)) setCurrentIndex(bar->tabData(k).toInt());
        });
        rowsLayout_->addWidget(bar);
        bar->show();  // a layout would show it only once the event loop runs
        bars_.push_back(bar);
    }
    rowsBox_->setEnabled(tabBar()->isEnabled());
    placeRows();
    updateGeometry();
}

void TabRows::placeRows() {
    const int h = rowsBox_->sizeHint().height();
    rowsBox_->setGeometry(0, 0, width(), h);
    rowsBox_->raise();
    auto* stack = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly);
    if (!stack) return;
    const int frame = stack->geometry().left();
    stack->setGeometry(frame, h + frame, width() - 2 * frame, height() - h - 2 * frame);
}

QSize TabRows::sizeHint() const {
    return QTabWidget::sizeHint() + QSize(0, rowsBox_->sizeHint().height());
}

QSize TabRows::minimumSizeHint() const {
    QSize rows = rowsBox_->minimumSizeHint();
    QSize page = QTabWidget::minimumSizeHint();
    return {std::max(rows.width(), page.width()), page.height() + rowsBox_->sizeHint().height()};
}

bool TabRows::event(QEvent* event) {
    const bool done = QTabWidget::event(event);
    const QEvent::Type t = event->type();
    if (t == QEvent::LayoutRequest || t == QEvent::Resize || t == QEvent::Show) placeRows();
    return done;
}

// The rows follow the hidden bar when it is locked for a transfer.
bool TabRows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tabBar() && event->type() == QEvent::EnabledChange)
        rowsBox_->setEnabled(tabBar()->isEnabled());
    return QTabWidget::eventFilter(watched, event);
}

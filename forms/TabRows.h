#pragma once
// SSTab1: a tab control that shows its visible tabs in rows of a given number, every tab in
// sight, the row holding the current tab next to the page. A QTabBar cannot wrap, so the
// control's own bar stays hidden (it still carries the tabs' captions, visibility and enabled
// states and the current tab) and a bar per row is drawn above the page.

#include <QTabWidget>
#include <vector>

class QTabBar;
class QVBoxLayout;

class TabRows : public QTabWidget {
    Q_OBJECT
  public:
    explicit TabRows(QWidget* parent = nullptr);

    int tabsPerRow() const { return perRow_; }
    void setTabsPerRow(int n);
    // Shows or hides a tab, or enables it, and redraws the rows.
    void showTab(int index, bool visible);
    void enableTab(int index, bool enabled);
    // The row bars, top to bottom; each tab's data is its index in the control.
    const std::vector<QTabBar*>& rows() const { return bars_; }
    void syncRows();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void placeRows();

    QWidget* rowsBox_ = nullptr;
    QVBoxLayout* rowsLayout_ = nullptr;
    std::vector<QTabBar*> bars_;
    int perRow_ = 6;
};

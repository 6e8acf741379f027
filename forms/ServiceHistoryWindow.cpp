#include "forms/ServiceHistoryWindow.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "forms/FormWidgets.h"
#include "history/Changes.h"

namespace {

QTreeWidget* makeTable(QWidget* parent, const QString& name, const QStringList& columns) {
    auto* t = named(new QTreeWidget(parent), name);
    t->setHeaderLabels(columns);
    t->setRootIsDecorated(false);
    t->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

}  // namespace

ServiceHistoryWindow::ServiceHistoryWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("ServiceHistoryWindow");
    setWindowTitle("Service history");
    auto* layout = new QVBoxLayout(this);
    History_lbl = makeLabel(this, "History_lbl", QString());
    History_lbl->setWordWrap(true);
    layout->addWidget(History_lbl);
    // The lists side by side over the changes, so the window is no wider than the form it
    // comes from; a list too narrow for its columns scrolls.
    columns_ = named(new QSplitter(Qt::Vertical, this), "HistorySplit");
    lists_ = named(new QSplitter(Qt::Horizontal, columns_), "HistoryListsSplit");
    Cameras_list =
        makeTable(lists_, "Cameras_list", {"Serial", "First visit", "Last visit", "Visits"});
    Visits_list = makeTable(lists_, "Visits_list", {"Visit", "Bench", "Done"});
    Changes_txt = named(new QPlainTextEdit(columns_), "Changes_txt");
    Changes_txt->setReadOnly(true);
    layout->addWidget(columns_, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    HistoryClose_btn = makeButton(this, "HistoryClose_btn", "Close");
    row->addWidget(HistoryClose_btn);
    layout->addLayout(row);
    connect(HistoryClose_btn, &QPushButton::clicked, this, &QWidget::close);
    restoreLayout();
    connect(Cameras_list, &QTreeWidget::itemSelectionChanged, this, [this] { cameraChosen(); });
    connect(Visits_list, &QTreeWidget::itemSelectionChanged, this, [this] { visitChosen(); });
}

namespace {

QSettings windowSettings() {
    return QSettings("orvik3", "orvik3");
}

}  // namespace

// Last run's size and splits, kept within the screen the window opens on.
void ServiceHistoryWindow::restoreLayout() {
    const QSettings settings = windowSettings();
    const QSize kept = settings.value("history/size", QSize(720, 520)).toSize();
    QSize room(1366, 768);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        room = room.boundedTo(screen->availableSize());
    resize(kept.boundedTo(room - QSize(40, 80)).expandedTo(minimumSizeHint()));
    lists_->setSizes({410, 300});
    columns_->setSizes({300, 160});
    lists_->restoreState(settings.value("history/lists").toByteArray());
    columns_->restoreState(settings.value("history/columns").toByteArray());
}

// Escape closes the window, as it does a dialog; the lists pass it on.
void ServiceHistoryWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        return void(close());
    QWidget::keyPressEvent(event);
}

void ServiceHistoryWindow::hideEvent(QHideEvent* event) {
    QSettings settings = windowSettings();
    settings.setValue("history/size", size());
    settings.setValue("history/lists", lists_->saveState());
    settings.setValue("history/columns", columns_->saveState());
    QWidget::hideEvent(event);
}

void ServiceHistoryWindow::showHistory(history::Store* store) {
    store_ = store;
    Cameras_list->clear();
    Visits_list->clear();
    Changes_txt->clear();
    QString why;
    const std::vector<history::CameraSeen> cameras =
        store ? store->cameras(&why) : std::vector<history::CameraSeen>{};
    History_lbl->setText(!store                ? "The service history is not being recorded."
                         : !why.isEmpty()      ? "The service history cannot be read: " + why
                         : cameras.size() == 1 ? QString("1 camera seen.")
                                               : QString("%1 cameras seen.").arg(cameras.size()));
    for (const history::CameraSeen& c : cameras) {
        auto* item = new QTreeWidgetItem(Cameras_list,
                                         {history::cameraText(c.camera), history::timeText(c.first),
                                          history::timeText(c.last), QString::number(c.visits)});
        item->setData(0, Qt::UserRole, c.camera);
    }
    // The camera seen last, and its newest visit, are what the user usually came for.
    QTreeWidgetItem* latest = nullptr;
    for (int i = 0; i < Cameras_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = Cameras_list->topLevelItem(i);
        if (!latest || item->text(2) > latest->text(2)) latest = item;
    }
    if (latest) Cameras_list->setCurrentItem(latest);
    if (Visits_list->topLevelItemCount() > 0)
        Visits_list->setCurrentItem(Visits_list->topLevelItem(0));
}

void ServiceHistoryWindow::cameraChosen() {
    Visits_list->clear();
    Changes_txt->clear();
    const QList<QTreeWidgetItem*> chosen = Cameras_list->selectedItems();
    visits_ = store_ && !chosen.isEmpty()
                  ? store_->visits(chosen.first()->data(0, Qt::UserRole).toString())
                  : std::vector<history::Visit>{};
    for (size_t i = visits_.size(); i-- > 0;) {
        const history::Visit& v = visits_[i];
        auto count = [](qsizetype n, const char* what) {
            return QString("%1 %2%3").arg(n).arg(what).arg(n == 1 ? "" : "s");
        };
        QStringList done{count(v.statusReads, "status read")};
        if (!v.pictures.empty()) done << count(qsizetype(v.pictures.size()), "picture");
        for (const history::Upload& u : v.uploads) done << history::uploadText(u);
        auto* item = new QTreeWidgetItem(Visits_list,
                                         {history::timeText(v.started), v.bench, done.join(", ")});
        item->setData(0, Qt::UserRole, int(i));
    }
}

void ServiceHistoryWindow::visitChosen() {
    const QList<QTreeWidgetItem*> chosen = Visits_list->selectedItems();
    if (chosen.isEmpty()) return Changes_txt->clear();
    const int i = chosen.first()->data(0, Qt::UserRole).toInt();
    if (!history::comparable(visits_[i]))
        return Changes_txt->setPlainText(
            "Not compared: a camera without a serial number cannot be told from others.");
    if (i == 0) return Changes_txt->setPlainText("First visit.");
    QStringList lines;
    for (const history::Change& c : history::changesSince(visits_[i - 1], visits_[i]))
        lines << QString("%1: %2 -> %3").arg(c.what, c.before, c.after);
    Changes_txt->setPlainText(lines.isEmpty() ? "Nothing changed since the visit before."
                                              : "Since the visit before:\n" + lines.join("\n"));
}

#include "forms/WidgetDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

QString qtFilterFromDesign(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        // The design's descriptions mostly name their patterns already: "Bitmap Files (*.bmp)".
        const QString named = QString("(%1)").arg(patterns);
        out << (parts[i].endsWith(named) ? parts[i] : QString("%1 %2").arg(parts[i], named));
    }
    return out.join(";;");
}

namespace {

void setUpBox(QMessageBox& box, const QString& text, const QString& title, MsgIcon icon,
              MsgButtons buttons) {
    box.setWindowTitle(title);
    box.setText(text);
    static const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                              QMessageBox::Warning, QMessageBox::Critical,
                                              QMessageBox::Question};
    box.setIcon(icons[static_cast<int>(icon)]);
    switch (buttons) {
        case MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
}

MsgAnswer answerOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        default:
            return MsgAnswer::Ok;
    }
}

}  // namespace

MsgAnswer WidgetDialogs::message(const QString& text, const QString& title, MsgIcon icon,
                                 MsgButtons buttons) {
    QMessageBox box(parent_);
    setUpBox(box, text, title, icon, buttons);
    return answerOf(box.exec());
}

// Window-modal and opened with open(): the event loop, and with it a waiting exchange, goes on
// while the box is up.
void WidgetDialogs::ask(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons,
                        std::function<void(MsgAnswer)> answered) {
    auto* box = new QMessageBox(parent_ ? parent_ : QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    setUpBox(*box, text, title, icon, buttons);
    QObject::connect(box, &QMessageBox::finished, box, [box, answered = std::move(answered)] {
        // A box closed without a button (Escape, the window's close) is the safe answer.
        QAbstractButton* clicked = box->clickedButton();
        const int button = clicked ? int(box->standardButton(clicked)) : int(QMessageBox::No);
        answered(answerOf(button));
    });
    box->open();
}

static std::optional<FileChoice> runFileDialog(QWidget* parent, const FileRequest& r,
                                               QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, r.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList filters = qtFilterFromDesign(r.filter).split(";;");
    dialog.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[r.filterIndex - 1]);
    if (!r.initialName.isEmpty()) dialog.selectFile(r.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FileChoice{dialog.selectedFiles().first(),
                      int(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

std::optional<FileChoice> WidgetDialogs::openFile(const FileRequest& r) {
    return runFileDialog(parent_, r, QFileDialog::AcceptOpen);
}

std::optional<FileChoice> WidgetDialogs::saveFile(const FileRequest& r) {
    return runFileDialog(parent_, r, QFileDialog::AcceptSave);
}

bool WidgetDialogs::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    // The report prints whole: no page range to choose.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

#include "forms/SerialNumberForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "app/Dialogs.h"
#include "camera/SerialNumber.h"
#include "link/CommsEngine.h"

namespace {

constexpr int kShift = 40;  // 600 twips
constexpr int kButtonY = 112, kButtonW = 75, kButtonH = 25;

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip,
                    int x) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    b->setGeometry(x, kButtonY, kButtonW, kButtonH);
    return b;
}

}  // namespace

frmSerialNumber::frmSerialNumber(CommsEngine& engine, QWidget* advancedForm, QWidget* parent)
    : QDialog(parent), engine_(engine), advanced_(advancedForm) {
    build();
    connect(ui.cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(ui.cmdReEnter, &QPushButton::clicked, this, [this] { cmdReEnter_Click(); });
    connect(ui.cmdAccept, &QPushButton::clicked, this, [this] { cmdAccept_Click(); });
    connect(ui.cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmSerialNumber::build() {
    setObjectName("frmSerialNumber");
    setWindowTitle("Serial Number");
    setFixedSize(300, 150);
    ui.lblInstructions = new QLabel(
        "The Camera's current serial number is shown below. If you want to define one, enter it "
        "below then press OK. Else press Cancel.",
        this);
    ui.lblInstructions->setObjectName("lblInstructions");
    ui.lblInstructions->setWordWrap(true);
    ui.lblInstructions->setGeometry(10, 8, 280, 60);
    ui.txtSerialNumber = new QLineEdit(this);
    ui.txtSerialNumber->setObjectName("txtSerialNumber");
    ui.txtSerialNumber->setToolTip("Enter the serial number");
    ui.txtSerialNumber->setGeometry(10, 76, 150, 24);
    ui.cmdOK = button(this, "cmdOK", "OK", "OK the serial number entered", 10);
    cancelX_ = 10 + kButtonW + 10;
    ui.cmdCancel = button(this, "cmdCancel", "Cancel", "Don't supply a serial number", cancelX_);
    ui.cmdAccept = button(this, "cmdAccept", "Accept", "Accept the serial number entered", 10);
    ui.cmdReEnter = button(this, "cmdReEnter", "Re-enter", "Change the serial number entered",
                           cancelX_ + kShift + kButtonW + 10);
}

void frmSerialNumber::showCurrentNumber(int32_t number) {
    current_ = QString::number(number);
    ui.txtSerialNumber->setText(current_);
}

void frmSerialNumber::Open() {
    ui.txtSerialNumber->setText(current_);
    Form_Load();
    show();
}

void frmSerialNumber::Form_Load() {
    if (advanced_) advanced_->setEnabled(false);
    ui.cmdOK->show();
    ui.cmdCancel->show();
    ui.cmdAccept->hide();
    ui.cmdReEnter->hide();
    ui.cmdCancel->move(cancelX_, kButtonY);
    lockText(false);
    ui.cmdAccept->setDefault(false);
    ui.cmdOK->setDefault(true);
}

void frmSerialNumber::lockText(bool locked) {
    ui.txtSerialNumber->setReadOnly(locked);
    QPalette p = ui.txtSerialNumber->palette();
    p.setColor(QPalette::Base, palette().color(locked ? QPalette::Button : QPalette::Base));
    ui.txtSerialNumber->setPalette(p);
}

void frmSerialNumber::cmdOK_Click() {
    const camera::Outcome checked = camera::checkSerialNumber(ui.txtSerialNumber->text(), nullptr);
    if (!checked.ok) {
        camera::showMessages(engine_.dialogs(), checked);
        ui.txtSerialNumber->setFocus();
        ui.txtSerialNumber->selectAll();
        return;
    }
    lockText(true);
    ui.cmdOK->hide();
    ui.cmdCancel->move(ui.cmdCancel->x() + kShift, ui.cmdCancel->y());
    ui.cmdAccept->show();
    ui.cmdReEnter->show();
    ui.cmdOK->setDefault(false);
    ui.cmdAccept->setDefault(true);
}

void frmSerialNumber::cmdReEnter_Click() {
    ui.cmdAccept->hide();
    ui.cmdReEnter->hide();
    ui.cmdCancel->move(ui.cmdCancel->x() - kShift, ui.cmdCancel->y());
    lockText(false);
    ui.cmdOK->show();
    ui.txtSerialNumber->selectAll();
    ui.cmdAccept->setDefault(false);
    ui.cmdOK->setDefault(true);
}

void frmSerialNumber::cmdAccept_Click() {
    if (engine_.refuseWhileBusy()) return;
    int n = 0;
    // Cannot be refused after OK; a refused number is never sent.
    if (!camera::checkSerialNumber(ui.txtSerialNumber->text(), &n).ok) return cmdReEnter_Click();
    if (showSerialText) showSerialText("Serial Number:\n" + QString::number(n));
    giveBackAdvancedForm(true);
    closeDialog();
    const bool held =
        camera_ ? camera::sendSerialNumber(*camera_, n) : camera::sendSerialNumber(engine_, n);
    if (held) current_ = QString::number(n);  // reopened, the dialog shows the camera's number
}

void frmSerialNumber::cmdCancel_Click() {
    const MsgAnswer answer =
        engine_.dialogs().message("Serial Number will not be specified", "Orvik 3",
                                  MsgIcon::Exclamation, MsgButtons::OkCancel);
    if (answer == MsgAnswer::Ok) {
        giveBackAdvancedForm(true);
        closeDialog();
        if (showSerialText) showSerialText("Serial Number:\nNot specified");
    }
    giveBackAdvancedForm(false);
}

void frmSerialNumber::giveBackAdvancedForm(bool show) {
    if (!advanced_) return;
    if (show) advanced_->show();
    advanced_->setEnabled(true);
}

// The next opening starts afresh, with only what a connect writes into the box.
void frmSerialNumber::closeDialog() {
    hide();
    ui.txtSerialNumber->clear();
}

// Escape and the window's own close button ask as "Cancel" does, so the advanced form never
// stays disabled behind a closed dialog.
void frmSerialNumber::reject() {
    cmdCancel_Click();
}

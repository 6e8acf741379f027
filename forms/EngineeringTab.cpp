#include "forms/EngineeringTab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include "camera/Console.h"
#include "forms/FrameBuilders.h"

namespace advanced {

using frames::at;

namespace {

QLineEdit* box(QWidget* parent, const QString& name) {
    auto* edit = named(new QLineEdit("Text1", parent), name);
    edit->setMaximumWidth(80);
    return edit;
}

}  // namespace

EngineeringTab::EngineeringTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
                               Orvik3Controls& controls)
    : AdvancedTab(form, context, camera, controls) {
    auto* v = new QVBoxLayout(this);
    v->addWidget(makeLabel(this, "Engineering_Label", "Engineering use only!!!"));
    QGroupBox* w = frames::grid(this, "EngineeringWrite_frame", "Write");
    at(w, makeLabel(w, "AddressWrite_Label", "Address"), 0, 0);
    ui.AddressWriteText = at(w, box(w, "AddressWriteText"), 0, 1);
    ui.Send_btn = at(w, makeButton(w, "Send_btn", "Send"), 0, 2);
    QLineEdit** data[] = {&ui.SendByte1, &ui.SendByte2, &ui.SendByte3};
    QCheckBox** checks[] = {&ui.CheckByte1, &ui.CheckByte2, &ui.CheckByte3};
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        at(w, makeLabel(w, "Byte" + n + "_Label", "byte " + n), i + 1, 0);
        *data[i] = at(w, box(w, "SendByte" + n), i + 1, 1);
        *checks[i] = at(w, named(new QCheckBox("Not in use", w), "CheckByte" + n), i + 1, 2);
    }
    ui.ResetCheckBox = at(w, named(new QCheckBox("Reset", w), "ResetCheckBox"), 4, 2);
    v->addWidget(w);

    QGroupBox* r = frames::grid(this, "EngineeringRead_frame", "Read");
    at(r, makeLabel(r, "AddressRead_Label", "Address"), 0, 0);
    ui.AddressReadText = at(r, box(r, "AddressReadText"), 0, 1);
    ui.Read_btn = at(r, makeButton(r, "Read_btn", "Read"), 0, 2);
    ui.Rx_data_text = at(r, box(r, "Rx_data_text"), 0, 3);
    ui.Rx_data_text->clear();  // shows a value read, never takes one
    ui.Rx_data_text->setReadOnly(true);
    v->addWidget(r);

    QGroupBox* c = frames::row(this, "EngineeringCommands_frame", "Controller");
    ui.Save_btn = frames::add(c, makeButton(c, "Save_btn", "Save"));
    ui.Att_btn = frames::add(c, makeButton(c, "Att_btn", "Att"));
    v->addWidget(c);
    v->addStretch(1);
    ui.LinkLog_chk = named(new QCheckBox("Link log (one line per packet)", this), "LinkLog_chk");
    ui.LinkLog_chk->setToolTip("Write every packet to and from the camera to a log file");
    v->addWidget(ui.LinkLog_chk);

    on(ui.Send_btn, &EngineeringTab::Send_btn_Click);
    on(ui.LinkLog_chk, &EngineeringTab::LinkLog_chk_Click);
    on(ui.Read_btn, &EngineeringTab::Read_btn_Click);
    on(ui.Save_btn, &EngineeringTab::Save_btn_Click);
    on(ui.Att_btn, &EngineeringTab::Att_btn_Click);
    on(ui.CheckByte1, &EngineeringTab::CheckByte1_Click);
    on(ui.CheckByte2, &EngineeringTab::CheckByte2_Click);
    on(ui.CheckByte3, &EngineeringTab::CheckByte3_Click);
    on(ui.ResetCheckBox, &EngineeringTab::ResetCheckBox_Click);
}

// A refusal or a broken reply leaves the box as it was: it would otherwise show the refusal's
// code as if it were the register's value.
void EngineeringTab::showAnswer(const camera::RegisterAnswer& answer) {
    show(answer.outcome);
    if (answer.value) ui.Rx_data_text->setText(QString::number(*answer.value));
}

void EngineeringTab::Send_btn_Click() {
    if (busy()) return;
    camera::RegisterWrite write{
        ui.AddressWriteText->text(),
        {ui.SendByte1->text(), ui.SendByte2->text(), ui.SendByte3->text()},
        {ui.SendByte1->isEnabled(), ui.SendByte2->isEnabled(), ui.SendByte3->isEnabled()}};
    showAnswer(camera::writeRegister(camera_, write));
}

void EngineeringTab::Read_btn_Click() {
    if (!busy()) showAnswer(camera::readRegister(camera_, ui.AddressReadText->text()));
}

void EngineeringTab::Save_btn_Click() {
    if (!busy()) camera::consoleSave(camera_);
}

void EngineeringTab::Att_btn_Click() {
    if (!busy()) camera::consoleAtt(camera_);
}

void EngineeringTab::greyDataBox(QLineEdit* box, bool inUse) {
    // Out of use shows the inactive caption text colour, as the time lists do.
    QPalette p = box->palette();
    p.setColor(QPalette::Base, inUse ? QColor(255, 255, 255) : QColor(0x43, 0x4E, 0x54));
    box->setPalette(p);
    box->setEnabled(inUse);
}

void EngineeringTab::CheckByte1_Click() {
    greyDataBox(ui.SendByte1, false);
}

void EngineeringTab::CheckByte2_Click() {
    greyDataBox(ui.SendByte2, false);
}

void EngineeringTab::CheckByte3_Click() {
    greyDataBox(ui.SendByte3, false);
}

void EngineeringTab::ResetCheckBox_Click() {
    for (QLineEdit* b : {ui.SendByte1, ui.SendByte2, ui.SendByte3}) greyDataBox(b, true);
    for (QCheckBox* c : {ui.CheckByte1, ui.CheckByte2, ui.CheckByte3}) c->setChecked(false);
}

void EngineeringTab::LinkLog_chk_Click() {
    LinkTrace& trace = ctx_.engine.trace();
    if (!ui.LinkLog_chk->isChecked()) {
        trace.stop();
        return;
    }
    FileRequest request{"Link log", "Link log (*.txt)|*.txt", 1, "orvik3-link.txt"};
    const std::optional<FileChoice> choice = ctx_.dialogs.saveFile(request);
    if (choice && trace.start(choice->path)) return;
    ui.LinkLog_chk->setChecked(false);
    if (choice)
        ctx_.dialogs.message(
            "The link log cannot be written to " + choice->path + ": " + trace.errorString(),
            "Orvik 3: Error", MsgIcon::Exclamation);
}

}  // namespace advanced

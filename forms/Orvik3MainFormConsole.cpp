// The "Engineering use" tab: raw writes of one to three bytes to a controller address, raw
// reads of one byte, the B S S and B S A commands, and the new controller's sensor selection,
// which writes a register of its own.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "app/Dialogs.h"
#include "app/LinkObserver.h"
#include "app/SharedState.h"
#include "camera/AppContext.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"
#include "forms/FrameBuilders.h"
#include "forms/Orvik3MainForm.h"
#include "status/TypedBytes.h"

using frames::at;

namespace {

const QString kNoData = "No data is to be sent because, there is no data in the text boxs.";
const QString kRange = "The address and the data bytes must be whole numbers from 0 to 255.";
const QString kNoAnswer = "The camera gave no register value.";

// The controller register the new sensor kit needs, and its value.
constexpr int kBstRegister = 3;
constexpr uint8_t kBstValue = 6;

QLineEdit* box(QWidget* parent, const char* name) {
    auto* edit = named(new QLineEdit("Text1", parent), name);
    edit->setMaximumWidth(80);
    return edit;
}

void setBackground(QLineEdit* edit, const QColor& colour) {
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, colour);
    edit->setPalette(p);
}

}  // namespace

QWidget* Orvik3_main_frm::buildEngineeringTab() {
    auto* tab = new QWidget;
    auto* v = new QVBoxLayout(tab);
    v->addWidget(makeLabel(tab, "Engineering_Label", "Engineering use only!!!"));

    QGroupBox* w = frames::grid(tab, "EngineeringWrite_frame", "Write");
    at(w, makeLabel(w, "AddressWrite_Label", "Address"), 0, 0);
    ui.AddressWriteText = at(w, box(w, "AddressWriteText"), 0, 1);
    ui.Send_btn = at(w, makeButton(w, "Send_btn", "Send"), 0, 2);
    QLineEdit** data[] = {&ui.SendByte1, &ui.SendByte2, &ui.SendByte3};
    QCheckBox** checks[] = {&ui.CheckByte1, &ui.CheckByte2, &ui.CheckByte3};
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        at(w, makeLabel(w, "Byte" + n + "_Label", "byte " + n), i + 1, 0);
        *data[i] = at(w, box(w, qPrintable("SendByte" + n)), i + 1, 1);
        *checks[i] = at(w, named(new QCheckBox("Not in use", w), "CheckByte" + n), i + 1, 2);
    }
    ui.ResetCheckBox = at(w, named(new QCheckBox("Reset", w), "ResetCheckBox"), 4, 2);
    v->addWidget(w);

    QGroupBox* r = frames::grid(tab, "EngineeringRead_frame", "Read");
    at(r, makeLabel(r, "AddressRead_Label", "Address"), 0, 0);
    ui.AddressReadText = at(r, box(r, "AddressReadText"), 0, 1);
    ui.Read_btn = at(r, makeButton(r, "Read_btn", "Read"), 0, 2);
    ui.Rx_data_text = at(r, box(r, "Rx_data_text"), 0, 3);
    ui.Rx_data_text->clear();  // shows a value read, never takes one
    ui.Rx_data_text->setReadOnly(true);
    v->addWidget(r);

    QGroupBox* c = frames::row(tab, "EngineeringCommands_frame", "Controller");
    ui.Save_btn = frames::add(c, makeButton(c, "Save_btn", "Save"));
    ui.Att_btn = frames::add(c, makeButton(c, "Att_btn", "Att"));
    v->addWidget(c);
    v->addStretch(1);
    ui.LinkLog_chk = named(new QCheckBox("Link log (one line per packet)", tab), "LinkLog_chk");
    ui.LinkLog_chk->setToolTip("Write every packet to and from the camera to a log file");
    v->addWidget(ui.LinkLog_chk);
    return tab;
}

void Orvik3_main_frm::connectConsoleHandlers() {
    auto on = [this](QAbstractButton* b, void (Orvik3_main_frm::*handler)()) {
        connect(b, &QAbstractButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    on(ui.Send_btn, &Orvik3_main_frm::Send_btn_Click);
    on(ui.LinkLog_chk, &Orvik3_main_frm::LinkLog_chk_Click);
    on(ui.Read_btn, &Orvik3_main_frm::Read_btn_Click);
    on(ui.Save_btn, &Orvik3_main_frm::Save_btn_Click);
    on(ui.Att_btn, &Orvik3_main_frm::Att_btn_Click);
    on(ui.CheckByte1, &Orvik3_main_frm::CheckByte1_Click);
    on(ui.CheckByte2, &Orvik3_main_frm::CheckByte2_Click);
    on(ui.CheckByte3, &Orvik3_main_frm::CheckByte3_Click);
    on(ui.ResetCheckBox, &Orvik3_main_frm::ResetCheckBox_Click);
    ctx_.engine.handlers.engineeringRead = [this] { GetRdVemraDataFromString(); };
}

// A box holding its first text, or nothing at all, has no value.
bool Orvik3_main_frm::consoleEmpty(const QLineEdit* box) const {
    const QString text = box->text().trimmed();
    return text.isEmpty() || text == "Text1";
}

// Row 85 from the boxes. With "byte 1" out of use the last write goes out again, with its own
// length. False when there is nothing to send (the user has been told why).
bool Orvik3_main_frm::fillRegisterWrite() {
    SharedState& s = ctx_.state;
    const auto noData = [&] {
        ctx_.dialogs.message(kNoData, "Orvik 3", MsgIcon::None);
        NoDataToSend = true;
        return false;
    };
    if (consoleEmpty(ui.AddressWriteText)) return noData();
    if (!ui.SendByte1->isEnabled()) {
        const int k = s.CommandTable[Row::VemraWrite][4];
        if (k < 1 || k > 3) return noData();
        s.CommandLength = static_cast<int16_t>(4 + k);
        return true;
    }
    if (consoleEmpty(ui.SendByte1)) return noData();
    std::vector<const QLineEdit*> boxes{ui.AddressWriteText, ui.SendByte1};
    if (ui.SendByte2->isEnabled() && !consoleEmpty(ui.SendByte2)) {
        boxes.push_back(ui.SendByte2);
        if (ui.SendByte3->isEnabled() && !consoleEmpty(ui.SendByte3)) boxes.push_back(ui.SendByte3);
    }
    uint8_t values[4] = {};
    for (size_t i = 0; i < boxes.size(); ++i) {
        const std::optional<uint8_t> v = byteEntry(boxes[i]->text());
        if (!v) {
            ctx_.dialogs.message(kRange, "Orvik 3", MsgIcon::Exclamation);
            return false;
        }
        values[i] = *v;
    }
    TalkToVemra(s, values[0], values + 1, int(boxes.size()) - 1);
    return true;
}

// Sends the register row just filled; its answer comes back through GetRdVemraDataFromString.
void Orvik3_main_frm::transmitRegisterCommand() {
    ctx_.state.EngineeringReadMode = true;
    ctx_.engine.Transmit();
    // A send that never reached the wait must not leave the next command waiting for a register.
    ctx_.state.EngineeringReadMode = false;
}

void Orvik3_main_frm::Send_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    ctx_.state.CommandIndex = Row::VemraWrite;
    NoDataToSend = false;
    if (!fillRegisterWrite()) {
        NoDataToSend = false;
        return;
    }
    transmitRegisterCommand();
}

void Orvik3_main_frm::Read_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    NoDataToSend = false;
    if (consoleEmpty(ui.AddressReadText)) return;  // nothing to read: silently
    const std::optional<uint8_t> address = byteEntry(ui.AddressReadText->text());
    if (!address) {
        ctx_.dialogs.message(kRange, "Orvik 3", MsgIcon::Exclamation);
        return;
    }
    ReadFromVemra_Constants(ctx_.state, QString::number(*address));
    ctx_.state.CommandIndex = Row::VemraRead;
    transmitRegisterCommand();
}

// A refusal or a broken reply leaves the box as it was: it would otherwise show the refusal's
// code as if it were the register's value.
void Orvik3_main_frm::GetRdVemraDataFromString() {
    if (NoDataToSend) return;
    const std::optional<uint8_t> value =
        registerReplyValue(ctx_.state.RxPacket, Framing::from(ctx_.state));
    if (value) {
        ui.Rx_data_text->setText(QString::number(*value));
    } else if (LinkObserver* o = ctx_.engine.observer()) {
        o->showNote(kNoAnswer);
    }
}

void Orvik3_main_frm::Save_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    BSTVemraSave_constant(ctx_.state);
    ctx_.state.CommandIndex = Row::VemraSave;
    ctx_.engine.Transmit();
}

void Orvik3_main_frm::Att_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    BSTVemraAtt_constant(ctx_.state);
    ctx_.state.CommandIndex = Row::VemraAtt;
    ctx_.engine.Transmit();
}

void Orvik3_main_frm::greyDataBox(QLineEdit* box, bool inUse) {
    // Out of use shows the inactive caption text colour, as the time lists do.
    setBackground(box, inUse ? QColor(255, 255, 255) : QColor(0x43, 0x4E, 0x54));
    box->setEnabled(inUse);
}

void Orvik3_main_frm::CheckByte1_Click() {
    greyDataBox(ui.SendByte1, false);
}

void Orvik3_main_frm::CheckByte2_Click() {
    greyDataBox(ui.SendByte2, false);
}

void Orvik3_main_frm::CheckByte3_Click() {
    greyDataBox(ui.SendByte3, false);
}

void Orvik3_main_frm::ResetCheckBox_Click() {
    for (QLineEdit* b : {ui.SendByte1, ui.SendByte2, ui.SendByte3}) greyDataBox(b, true);
    for (QCheckBox* c : {ui.CheckByte1, ui.CheckByte2, ui.CheckByte3}) c->setChecked(false);
}

// The new controller is woken, told its sensor in register 3 and made to keep it, before the
// kit itself is chosen. The register write is built here, whatever the console boxes hold.
void Orvik3_main_frm::BST_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    Att_btn_Click();
    ui.SendByte2->setEnabled(false);
    ui.SendByte3->setEnabled(false);
    ui.AddressWriteText->setText(QString::number(kBstRegister));
    ui.SendByte1->setText(QString::number(kBstValue));
    NoDataToSend = false;
    TalkToVemra(ctx_.state, kBstRegister, &kBstValue, 1);
    ctx_.state.CommandIndex = Row::VemraWrite;
    transmitRegisterCommand();
    Save_btn_Click();
    ui.Gain_btn->setEnabled(true);
    chooseSensorKit(62, true);
}

void Orvik3_main_frm::LinkLog_chk_Click() {
    LinkTrace& trace = ctx_.engine.trace();
    if (!ui.LinkLog_chk->isChecked()) {
        trace.close();
        return;
    }
    FileRequest request{"Link log", "Link log (*.txt)|*.txt", 1, "orvik3-link.txt"};
    const std::optional<FileChoice> choice = ctx_.dialogs.saveFile(request);
    if (choice && trace.open(choice->path)) return;
    ui.LinkLog_chk->setChecked(false);
    if (choice)
        ctx_.dialogs.message(
            "The link log cannot be written to " + choice->path + ": " + trace.errorString(),
            "Orvik 3: Error", MsgIcon::Exclamation);
}

// The "General" tab: gain, offset, iris, the test pictures, the camera-wide buttons and the
// progress of "Set starting values". The thresholds and resets are in
// Orvik3MainFormThresholds.cpp, the starting values in StartingValues.cpp.
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "app/Dialogs.h"
#include "app/SharedState.h"
#include "camera/AppContext.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "forms/FrameBuilders.h"
#include "forms/Orvik3MainForm.h"
#include "forms/FpgaConfigurationForm.h"
#include "status/TypedBytes.h"

using frames::add;

namespace {

// A row of buttons with no frame around it.
QWidget* buttonRow(QWidget* parent, std::initializer_list<QPushButton*> buttons) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : buttons) {
        b->setParent(box);
        row->addWidget(b);
    }
    return box;
}

}  // namespace

QWidget* Orvik3_main_frm::buildGeneralTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    grid->addWidget(buildHeatsinkFrame(tab), 0, 0);
    grid->addWidget(buildHumidityFrame(tab), 0, 1);

    ui.Gain_frame = frames::row(tab, "Gain_frame", "GAIN CONTROL");
    ui.GainText = add(ui.Gain_frame, named(new QLineEdit(ui.Gain_frame), "GainText"));
    ui.Gain_btn = add(ui.Gain_frame, makeButton(ui.Gain_frame, "Gain_btn", "Send"));
    grid->addWidget(ui.Gain_frame, 1, 0);
    ui.Offset_frame = frames::row(tab, "Offset_frame", "OFFSET CONTROL");
    ui.OffsetText = add(ui.Offset_frame, named(new QLineEdit(ui.Offset_frame), "OffsetText"));
    ui.Offset_combo = add(ui.Offset_frame, makeButton(ui.Offset_frame, "Offset_combo", "Send"));
    grid->addWidget(ui.Offset_frame, 1, 1);

    QGroupBox* iris = ui.IrisControlFrame = frames::row(tab, "IrisControlFrame", "IRIS CONTROL");
    ui.IrisTest = add(iris, makeButton(iris, "IrisTest", "Run iris test "));
    ui.OpenIris = add(iris, makeButton(iris, "OpenIris", "Open iris"));
    ui.IrisNrmOp_btn = add(iris, makeButton(iris, "IrisNrmOp_btn", "Normal operation"));
    grid->addWidget(iris, 2, 0);
    QGroupBox* width = ui.IrisWidth_frame = frames::row(tab, "IrisWidth_frame", "IRIS PULSE WIDTH");
    ui.IrisPulseCombo = add(width, makeList(width, "IrisPulseCombo"));
    ui.IrisPulseWidth_btn = add(width, makeButton(width, "IrisPulseWidth_btn", "Send"));
    grid->addWidget(width, 2, 1);

    QGroupBox* card = ui.Test_Card_frame = frames::row(tab, "Test_Card_frame", "TEST CARD");
    ui.Test_Card_On_btn = add(card, makeButton(card, "Test_Card_On_btn", "Test card"));
    ui.Display_bars_btn = add(card, makeButton(card, "Display_bars_btn", "Bars"));
    ui.Display_scene_btn = add(card, makeButton(card, "Display_scene_btn", "Scene"));
    grid->addWidget(card, 3, 0);

    ui.restoreDefaultsbtn = makeButton(tab, "restoreDefaultsbtn", "Restore defaults");
    ui.ResetRunCount_btn = makeButton(tab, "ResetRunCount_btn", "Reset runtime counter");
    ui.ResetCam_btn = makeButton(tab, "ResetCam_btn", "Reset Camera");
    ui.WriteSafe_btn = makeButton(tab, "WriteSafe_btn", "Write factory defaults");
    ui.NVR_write_btn = makeButton(tab, "NVR_write_btn", "Write to NVR");
    ui.cmdNextCamera =
        makeButton(tab, "cmdNextCamera", "Next Camera", "Reset form to set up next camera");
    grid->addWidget(buttonRow(tab, {ui.restoreDefaultsbtn, ui.ResetRunCount_btn, ui.ResetCam_btn}),
                    3, 1);
    grid->addWidget(buttonRow(tab, {ui.WriteSafe_btn, ui.NVR_write_btn, ui.cmdNextCamera}), 4, 1);
    ui.Bootloader_attention = makeButton(tab, "Bootloader_attention", "Bootloader mode");
    ui.CallMicrochipBootloader = makeButton(tab, "CallMicrochipBootloader", "Bootloader");
    ui.FPGALoaderForm = makeButton(tab, "FPGALoaderForm", "FPGA loader");
    ui.ChangeSerialNo_btn = makeButton(tab, "ChangeSerialNo_btn", "Edit serial no'");
    grid->addWidget(buttonRow(tab, {ui.Bootloader_attention, ui.CallMicrochipBootloader,
                                    ui.FPGALoaderForm, ui.ChangeSerialNo_btn}),
                    5, 1);

    auto* start = new QWidget(tab);
    auto* row = new QHBoxLayout(start);
    ui.Start_Up_btn = makeButton(start, "Start_Up_btn", "Set starting values");
    ui.StartPrgBar = named(new QProgressBar(start), "StartPrgBar");
    ui.StartPrgBar->setRange(0, 15);
    ui.StartValueLabel = makeLabel(start, "StartValueLabel", "Transfering start values now");
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui.Start_Up_btn, ui.StartPrgBar, ui.StartValueLabel})
        row->addWidget(w);
    grid->addWidget(start, 4, 0);
    return tab;
}

void Orvik3_main_frm::connectGeneralHandlers() {
    auto on = [this](QPushButton* b, void (Orvik3_main_frm::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    on(ui.Gain_btn, &Orvik3_main_frm::Gain_btn_Click);
    // The upload forms live beside this one; the program hands over how to reach them.
    connect(ui.Bootloader_attention, &QPushButton::clicked, this, [this] {
        if (!ctx_.engine.refuseWhileBusy()) Bootloader_attention_Click(ctx_.engine);
    });
    connect(ui.FPGALoaderForm, &QPushButton::clicked, this, [this] {
        if (ctx_.openFpgaForm) ctx_.openFpgaForm();
    });
    connect(ui.ChangeSerialNo_btn, &QPushButton::clicked, this, [this] {
        if (ctx_.serialNumberEntry) ctx_.serialNumberEntry(ctx_.state.CameraSerialNumber, true);
    });
    on(ui.Offset_combo, &Orvik3_main_frm::Offset_combo_Click);
    on(ui.IrisPulseWidth_btn, &Orvik3_main_frm::IrisPulseWidth_btn_Click);
    on(ui.IrisTest, &Orvik3_main_frm::IrisTest_Click);
    on(ui.OpenIris, &Orvik3_main_frm::OpenIris_Click);
    on(ui.IrisNrmOp_btn, &Orvik3_main_frm::IrisNrmOp_btn_Click);
    on(ui.Test_Card_On_btn, &Orvik3_main_frm::Test_Card_On_btn_Click);
    on(ui.Display_bars_btn, &Orvik3_main_frm::Display_bars_btn_Click);
    on(ui.Display_scene_btn, &Orvik3_main_frm::Display_scene_btn_Click);
    on(ui.Start_Up_btn, &Orvik3_main_frm::Start_Up_btn_Click);
}

// A row whose two letters go out as they stand, without the table being refilled first. The
// length is set too: the last command may have left a longer one.
void Orvik3_main_frm::sendRowAsIs(int row) {
    if (ctx_.engine.refuseWhileBusy()) return;
    ctx_.state.CommandIndex = static_cast<uint8_t>(row);
    ctx_.state.CommandLength = 1;
    ctx_.engine.Transmit();
}

bool Orvik3_main_frm::typedByte(const QLineEdit* box, const QString& what, uint8_t& value) {
    const std::optional<uint8_t> v = byteEntry(box->text());
    if (v) {
        value = *v;
        return true;
    }
    ctx_.dialogs.message(QString("The %1 must be a whole number from 0 to 255.").arg(what),
                         "Orvik 3", MsgIcon::Exclamation);
    return false;
}

void Orvik3_main_frm::sendGain() {
    uint8_t gain = 0;
    if (!typedByte(ui.GainText, "gain", gain)) return;
    BSTGain_Constants(ctx_.state, QString::number(gain));
    ctx_.state.CommandIndex = Row::Gain;
    ctx_.engine.Transmit();
}

// With the flag clear a value of 50 or more goes out reduced by 50.
void Orvik3_main_frm::sendOffset(bool offsetFlag) {
    uint8_t offset = 0;
    if (!typedByte(ui.OffsetText, "offset", offset)) return;
    BSTOffset_Constants(ctx_.state, QString::number(offset), offsetFlag);
    ctx_.state.CommandIndex = Row::Offset;
    ctx_.engine.Transmit();
}

void Orvik3_main_frm::sendIrisPulseWidth() {
    BSTIrisPulseWidth_Constants(ctx_.state, ui.IrisPulseCombo->currentText());
    ctx_.state.CommandIndex = Row::IrisPulse;
    ctx_.engine.Transmit();
}

void Orvik3_main_frm::Gain_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    sendGain();
}

void Orvik3_main_frm::Offset_combo_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    uint8_t offset = 0;
    if (!typedByte(ui.OffsetText, "offset", offset)) return;
    sendOffset(false);
    sendOffset(true);
}

void Orvik3_main_frm::IrisPulseWidth_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    sendIrisPulseWidth();
}

void Orvik3_main_frm::IrisTest_Click() {
    sendFixedRow(13);
}

void Orvik3_main_frm::OpenIris_Click() {
    sendFixedRow(15);
}

void Orvik3_main_frm::IrisNrmOp_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    sendFixedRow(17);
    sendFixedRow(Row::StatusFollowUp);
}

void Orvik3_main_frm::Reset_IrisFPGA_Click() {
    sendFixedRow(17);
}

void Orvik3_main_frm::Test_Card_On_btn_Click() {
    sendRowAsIs(12);
}

void Orvik3_main_frm::Display_bars_btn_Click() {
    sendFixedRow(10);
}

void Orvik3_main_frm::Display_scene_btn_Click() {
    sendFixedRow(Row::ReturnToNormal);
}


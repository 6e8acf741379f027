#include "forms/GeneralTab.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "app/SharedState.h"
#include "camera/Thresholds.h"
#include "forms/FpgaConfigurationForm.h"
#include "forms/FrameBuilders.h"
#include "forms/Orvik3MainForm.h"
#include "link/CommandTable.h"

namespace advanced {

using frames::add;
using frames::at;

namespace {

const QString kRunTimeQuestion = "You are about to reset run time counter, do you want to do this?";

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

void showPair(QComboBox* off, QComboBox* on, const QString& offText, const QString& onText) {
    selectText(off, offText);
    selectText(on, onText);
    off->setEnabled(false);
    on->setEnabled(false);
}

}  // namespace

GeneralTab::GeneralTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
                       Orvik3Controls& controls)
    : AdvancedTab(form, context, camera, controls) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(buildHeatsinkFrame(), 0, 0);
    grid->addWidget(buildHumidityFrame(), 0, 1);
    buildSettingFrames(grid);
    buildButtonRows(grid);
    connectHandlers();
}

QWidget* GeneralTab::buildHeatsinkFrame() {
    QGroupBox* f = ui.Heatsink_Frame = frames::grid(this, "Heatsink_Frame", "HEATSINK SETTINGS");
    ui.Label14 = at(f, makeLabel(f, "Label14", "ON level"), 0, 0);
    ui.Heatsink_on = at(f, makeList(f, "Heatsink_on"), 0, 1);
    ui.Label15 = at(f, makeLabel(f, "Label15", "OFF level"), 1, 0);
    ui.Heatsink_off = at(f, makeList(f, "Heatsink_off"), 1, 1);
    ui.Overtemp_enable =
        at(f, makeOption(f, "Overtemp_enable", "Overtemp high threshold"), 2, 0, 2);
    ui.Overtemp_disable =
        at(f, makeOption(f, "Overtemp_disable", "Overtemp low threshold"), 3, 0, 2);
    ui.Overtemp_send_btn = at(f, makeButton(f, "Overtemp_send_btn", "SEND"), 4, 0, 2);
    return f;
}

QWidget* GeneralTab::buildHumidityFrame() {
    QGroupBox* f = ui.humiditysettingsFrame =
        frames::grid(this, "humiditysettingsFrame", "HUMIDITY SETTINGS");
    ui.Label17 = at(f, makeLabel(f, "Label17", "ON level"), 0, 0);
    ui.HumOnThresholdCombo = at(f, makeList(f, "HumOnThresholdCombo", true), 0, 1);
    ui.Label18 = at(f, makeLabel(f, "Label18", "OFF level"), 1, 0);
    ui.HumOffThresholdCombo = at(f, makeList(f, "HumOffThresholdCombo", true), 1, 1);
    ui.Label19 = at(f, makeLabel(f, "Label19", "Warning:"), 2, 0, 2);
    ui.humenable = at(f, makeOption(f, "humenable", "Enabled"), 3, 0);
    ui.humdisable = at(f, makeOption(f, "humdisable", "Disabled"), 3, 1);
    ui.HumiditySend = at(f, makeButton(f, "HumiditySend", "SEND"), 4, 0, 2);
    return f;
}

QWidget* GeneralTab::buildSettingFrames(QGridLayout* grid) {
    ui.Gain_frame = frames::row(this, "Gain_frame", "GAIN CONTROL");
    ui.GainText = add(ui.Gain_frame, named(new QLineEdit(ui.Gain_frame), "GainText"));
    ui.Gain_btn = add(ui.Gain_frame, makeButton(ui.Gain_frame, "Gain_btn", "Send"));
    grid->addWidget(ui.Gain_frame, 1, 0);
    ui.Offset_frame = frames::row(this, "Offset_frame", "OFFSET CONTROL");
    ui.OffsetText = add(ui.Offset_frame, named(new QLineEdit(ui.Offset_frame), "OffsetText"));
    ui.Offset_combo = add(ui.Offset_frame, makeButton(ui.Offset_frame, "Offset_combo", "Send"));
    grid->addWidget(ui.Offset_frame, 1, 1);

    QGroupBox* iris = ui.IrisControlFrame = frames::row(this, "IrisControlFrame", "IRIS CONTROL");
    ui.IrisTest = add(iris, makeButton(iris, "IrisTest", "Run iris test "));
    ui.OpenIris = add(iris, makeButton(iris, "OpenIris", "Open iris"));
    ui.IrisNrmOp_btn = add(iris, makeButton(iris, "IrisNrmOp_btn", "Normal operation"));
    grid->addWidget(iris, 2, 0);
    QGroupBox* width = ui.IrisWidth_frame =
        frames::row(this, "IrisWidth_frame", "IRIS PULSE WIDTH");
    ui.IrisPulseCombo = add(width, makeList(width, "IrisPulseCombo"));
    ui.IrisPulseWidth_btn = add(width, makeButton(width, "IrisPulseWidth_btn", "Send"));
    grid->addWidget(width, 2, 1);

    QGroupBox* card = ui.Test_Card_frame = frames::row(this, "Test_Card_frame", "TEST CARD");
    ui.Test_Card_On_btn = add(card, makeButton(card, "Test_Card_On_btn", "Test card"));
    ui.Display_bars_btn = add(card, makeButton(card, "Display_bars_btn", "Bars"));
    ui.Display_scene_btn = add(card, makeButton(card, "Display_scene_btn", "Scene"));
    grid->addWidget(card, 3, 0);
    return card;
}

void GeneralTab::buildButtonRows(QGridLayout* grid) {
    ui.restoreDefaultsbtn = makeButton(this, "restoreDefaultsbtn", "Restore defaults");
    ui.ResetRunCount_btn = makeButton(this, "ResetRunCount_btn", "Reset runtime counter");
    ui.ResetCam_btn = makeButton(this, "ResetCam_btn", "Reset Camera");
    ui.WriteSafe_btn = makeButton(this, "WriteSafe_btn", "Write factory defaults");
    ui.NVR_write_btn = makeButton(this, "NVR_write_btn", "Write to NVR");
    ui.cmdNextCamera =
        makeButton(this, "cmdNextCamera", "Next Camera", "Reset form to set up next camera");
    grid->addWidget(buttonRow(this, {ui.restoreDefaultsbtn, ui.ResetRunCount_btn, ui.ResetCam_btn}),
                    3, 1);
    grid->addWidget(buttonRow(this, {ui.WriteSafe_btn, ui.NVR_write_btn, ui.cmdNextCamera}), 4, 1);
    ui.Bootloader_attention = makeButton(this, "Bootloader_attention", "Bootloader mode");
    ui.CallMicrochipBootloader = makeButton(this, "CallMicrochipBootloader", "Bootloader");
    ui.FPGALoaderForm = makeButton(this, "FPGALoaderForm", "FPGA loader");
    ui.ChangeSerialNo_btn = makeButton(this, "ChangeSerialNo_btn", "Edit serial no'");
    grid->addWidget(buttonRow(this, {ui.Bootloader_attention, ui.CallMicrochipBootloader,
                                     ui.FPGALoaderForm, ui.ChangeSerialNo_btn}),
                    5, 1);

    auto* start = new QWidget(this);
    auto* row = new QHBoxLayout(start);
    ui.Start_Up_btn = makeButton(start, "Start_Up_btn", "Set starting values");
    // The bar and its caption share the room the button leaves: shown, they widen nothing.
    ui.StartPrgBar = named(new QProgressBar(start), "StartPrgBar");
    ui.StartPrgBar->setRange(0, 15);
    ui.StartPrgBar->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    ui.StartValueLabel =
        wrapWithinWindow(makeLabel(start, "StartValueLabel", "Transfering start values now"));
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui.Start_Up_btn, ui.StartPrgBar, ui.StartValueLabel})
        row->addWidget(w);
    grid->addWidget(start, 4, 0);
}

void GeneralTab::connectHandlers() {
    namespace R = camera::Rows;
    namespace X = camera::Resets;
    auto row = [this](QPushButton* b, int r) {
        connect(b, &QPushButton::clicked, this, [this, r] { sendRow(r); });
    };
    on(ui.Gain_btn, &GeneralTab::Gain_btn_Click);
    on(ui.Offset_combo, &GeneralTab::Offset_combo_Click);
    on(ui.IrisPulseWidth_btn, &GeneralTab::IrisPulseWidth_btn_Click);
    row(ui.IrisTest, R::IrisTest);
    row(ui.OpenIris, R::OpenIris);
    on(ui.IrisNrmOp_btn, &GeneralTab::IrisNrmOp_btn_Click);
    connect(ui.Test_Card_On_btn, &QPushButton::clicked, this, [this] {
        if (!busy()) camera::sendRowAsIs(camera_, R::TestCard);
    });
    row(ui.Display_bars_btn, R::Bars);
    row(ui.Display_scene_btn, Row::ReturnToNormal);
    row(ui.restoreDefaultsbtn, X::RestoreDefaults);
    on(ui.ResetRunCount_btn, &GeneralTab::ResetRunCount_btn_Click);
    row(ui.ResetCam_btn, X::ResetCamera);
    row(ui.WriteSafe_btn, X::WriteFactoryDefaults);
    row(ui.NVR_write_btn, X::WriteNvr);
    connect(ui.cmdNextCamera, &QPushButton::clicked, this, [this] { form_.cmdNextCamera_Click(); });
    // The upload forms live beside this one; the program hands over how to reach them.
    connect(ui.Bootloader_attention, &QPushButton::clicked, this, [this] {
        if (!busy()) Bootloader_attention_Click(ctx_.engine);
    });
    connect(ui.FPGALoaderForm, &QPushButton::clicked, this, [this] {
        if (ctx_.openFpgaForm) ctx_.openFpgaForm();
    });
    connect(ui.ChangeSerialNo_btn, &QPushButton::clicked, this, [this] {
        if (ctx_.serialNumberEntry) ctx_.serialNumberEntry(ctx_.state.CameraSerialNumber, true);
    });
    on(ui.Start_Up_btn, &GeneralTab::Start_Up_btn_Click);
    on(ui.HumiditySend, &GeneralTab::HumiditySend_Click);
    on(ui.Overtemp_send_btn, &GeneralTab::Overtemp_send_btn_Click);
    connect(ui.Overtemp_enable, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen) Overtemp_enable_Click();
    });
    connect(ui.Overtemp_disable, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen) Overtemp_disable_Click();
    });
}

void GeneralTab::load() {
    ui.IrisPulseCombo->clear();
    for (int v = 0; v <= 15; ++v) ui.IrisPulseCombo->addItem(QString::number(v));
    ui.HumOnThresholdCombo->setEditText("80");
    ui.HumOffThresholdCombo->setEditText("75");
    for (QComboBox* c : {ui.Heatsink_off, ui.Heatsink_on}) {
        c->clear();
        c->addItems({"65", "70", "75", "80"});
        c->setEnabled(false);
    }
    selectText(ui.Heatsink_off, "70");
    selectText(ui.Heatsink_on, "80");
}

void GeneralTab::Gain_btn_Click() {
    if (!busy()) show(camera::sendGain(camera_, ui.GainText->text()));
}

void GeneralTab::Offset_combo_Click() {
    if (!busy()) show(camera::sendOffset(camera_, ui.OffsetText->text()));
}

void GeneralTab::IrisPulseWidth_btn_Click() {
    if (!busy()) camera::sendIrisPulseWidth(camera_, ui.IrisPulseCombo->currentText());
}

void GeneralTab::IrisNrmOp_btn_Click() {
    if (!busy()) camera::irisNormalOperation(camera_);
}

void GeneralTab::ResetRunCount_btn_Click() {
    confirmThenSend(kRunTimeQuestion, camera::Resets::RunTime);
}

OptionPair GeneralTab::humidityChoice() const {
    return ui.humenable->isChecked()    ? OptionPair::First
           : ui.humdisable->isChecked() ? OptionPair::Second
                                        : OptionPair::None;
}

// The low threshold option is looked at first, as the row fillers number it.
OptionPair GeneralTab::overtempChoice() const {
    if (ui.Overtemp_disable->isChecked()) return OptionPair::First;
    if (ui.Overtemp_enable->isChecked()) return OptionPair::Second;
    return OptionPair::None;
}

void GeneralTab::HumiditySend_Click() {
    if (!busy()) show(camera::sendHumidityThreshold(camera_, humidityChoice()));
}

// The threshold values are fixed; the level lists only show the pair an option stands for.
void GeneralTab::Overtemp_enable_Click() {
    showPair(ui.Heatsink_off, ui.Heatsink_on, "70", "80");
}

void GeneralTab::Overtemp_disable_Click() {
    showPair(ui.Heatsink_off, ui.Heatsink_on, "65", "75");
}

void GeneralTab::Overtemp_send_btn_Click() {
    if (!busy()) show(camera::sendHeatsinkThresholds(camera_, overtempChoice()));
}

}  // namespace advanced

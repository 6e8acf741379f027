// The camera's alarm thresholds, its counters and its resets: the "HEATSINK SETTINGS" and
// "HUMIDITY SETTINGS" frames of the "General" tab and the "RESET " frame of "Advanced set up".
// The threshold values are fixed; the level lists only show the pair an option stands for.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "app/Dialogs.h"
#include "app/SharedState.h"
#include "camera/AppContext.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "forms/FrameBuilders.h"
#include "forms/Orvik3MainForm.h"

using frames::at;

namespace {

const QString kRunTimeQuestion = "You are about to reset run time counter, do you want to do this?";

// Row numbers of the resets.
constexpr int kResetHumidity = 107, kResetHeatsink = 108, kResetColdWarm = 87, kResetRunTime = 86;
constexpr int kResetCamera = 55, kRestoreDefaults = 72, kWriteFactoryDefaults = 99;
constexpr int kWriteNvr = 47;

void showPair(QComboBox* off, QComboBox* on, const QString& offText, const QString& onText) {
    selectText(off, offText);
    selectText(on, onText);
    off->setEnabled(false);
    on->setEnabled(false);
}

}  // namespace

QGroupBox* Orvik3_main_frm::buildHeatsinkFrame(QWidget* parent) {
    QGroupBox* f = ui.Heatsink_Frame = frames::grid(parent, "Heatsink_Frame", "HEATSINK SETTINGS");
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

QGroupBox* Orvik3_main_frm::buildHumidityFrame(QWidget* parent) {
    QGroupBox* f = ui.humiditysettingsFrame =
        frames::grid(parent, "humiditysettingsFrame", "HUMIDITY SETTINGS");
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

QGroupBox* Orvik3_main_frm::buildResetFrame(QWidget* parent) {
    QGroupBox* f = ui.Frame21 = frames::grid(parent, "Frame21", "RESET ");
    ui.ResetHumidity_btn =
        at(f, makeButton(f, "ResetHumidity_btn", "Reset greatest humidity"), 0, 0);
    ui.ResetHeasink_btn = at(f, makeButton(f, "ResetHeasink_btn", "Reset greatest heatsink"), 0, 1);
    ui.Command1 = at(f, makeButton(f, "Command1", "Reset greatest temperture"), 0, 2);
    ui.ResetColdWarmCount = at(f, makeButton(f, "ResetColdWarmCount", "Cold/ warm starts"), 1, 0);
    ui.ResetRunTimeCounter = at(f, makeButton(f, "ResetRunTimeCounter", "Run time counter"), 1, 1);
    ui.ResetCam = at(f, makeButton(f, "ResetCam", "Reset camera"), 1, 2);
    return f;
}

void Orvik3_main_frm::connectThresholdHandlers() {
    auto on = [this](QPushButton* b, void (Orvik3_main_frm::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    on(ui.HumiditySend, &Orvik3_main_frm::HumiditySend_Click);
    on(ui.Overtemp_send_btn, &Orvik3_main_frm::Overtemp_send_btn_Click);
    on(ui.ResetHumidity_btn, &Orvik3_main_frm::ResetHumidity_btn_Click);
    on(ui.ResetHeasink_btn, &Orvik3_main_frm::ResetHeasink_btn_Click);
    on(ui.Command1, &Orvik3_main_frm::Command1_Click);
    on(ui.ResetColdWarmCount, &Orvik3_main_frm::ResetColdWarmCount_Click);
    on(ui.ResetRunTimeCounter, &Orvik3_main_frm::ResetRunTimeCounter_Click);
    on(ui.ResetRunCount_btn, &Orvik3_main_frm::ResetRunCount_btn_Click);
    on(ui.ResetCam_btn, &Orvik3_main_frm::ResetCam_btn_Click);
    on(ui.ResetCam, &Orvik3_main_frm::ResetCam_Click);
    on(ui.restoreDefaultsbtn, &Orvik3_main_frm::restoreDefaultsbtn_Click);
    on(ui.WriteSafe_btn, &Orvik3_main_frm::WriteSafe_btn_Click);
    on(ui.NVR_write_btn, &Orvik3_main_frm::NVR_write_btn_Click);
    connect(ui.Overtemp_enable, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen) Overtemp_enable_Click();
    });
    connect(ui.Overtemp_disable, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen) Overtemp_disable_Click();
    });
}

// Neither option chosen leaves nothing to send: the row would go out with whatever it last held.
void Orvik3_main_frm::sendHumidityThreshold() {
    const OptionPair choice = ui.humenable->isChecked()    ? OptionPair::First
                              : ui.humdisable->isChecked() ? OptionPair::Second
                                                           : OptionPair::None;
    if (choice == OptionPair::None) {
        ctx_.dialogs.message("Choose \"Enabled\" or \"Disabled\" first.", "Orvik 3",
                             MsgIcon::Exclamation);
        return;
    }
    HumiditySettings_Constants(ctx_.state, choice);
    ctx_.state.CommandIndex = Row::Humidity;
    ctx_.engine.Transmit();
}

OptionPair Orvik3_main_frm::overtempChoice() const {
    // The low threshold option is looked at first, as the row fillers number it.
    if (ui.Overtemp_disable->isChecked()) return OptionPair::First;
    if (ui.Overtemp_enable->isChecked()) return OptionPair::Second;
    return OptionPair::None;
}

void Orvik3_main_frm::sendHeatsinkThreshold(bool secondFill) {
    const OptionPair choice = overtempChoice();
    if (secondFill)
        Heatsink_settings_HighThreshold_constants(ctx_.state, choice);
    else
        Heatsink_settings_LowThreshold_constant(ctx_.state, choice);
    ctx_.state.CommandIndex = Row::Heatsink;
    ctx_.engine.Transmit();
}

void Orvik3_main_frm::HumiditySend_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    sendHumidityThreshold();
}

void Orvik3_main_frm::Overtemp_enable_Click() {
    showPair(ui.Heatsink_off, ui.Heatsink_on, "70", "80");
}

void Orvik3_main_frm::Overtemp_disable_Click() {
    showPair(ui.Heatsink_off, ui.Heatsink_on, "65", "75");
}

void Orvik3_main_frm::Overtemp_send_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (overtempChoice() == OptionPair::None) {
        ctx_.dialogs.message(
            "Choose \"Overtemp high threshold\" or \"Overtemp low threshold\" first.", "Orvik 3",
            MsgIcon::Exclamation);
        return;
    }
    sendHeatsinkThreshold(false);
    sendHeatsinkThreshold(true);
}

void Orvik3_main_frm::confirmThenSend(const QString& question, int row) {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (ctx_.dialogs.message(question, "Error", MsgIcon::None, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    sendFixedRow(row);
}

void Orvik3_main_frm::ResetHumidity_btn_Click() {
    sendFixedRow(kResetHumidity);
}

void Orvik3_main_frm::ResetHeasink_btn_Click() {
    sendFixedRow(kResetHeatsink);
}

void Orvik3_main_frm::Command1_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    sendFixedRow(kResetHumidity);
    sendFixedRow(kResetHeatsink);
}

void Orvik3_main_frm::ResetColdWarmCount_Click() {
    confirmThenSend("You are about to reset warm/ cold start counter, do you want to do this?",
                    kResetColdWarm);
}

void Orvik3_main_frm::ResetRunTimeCounter_Click() {
    confirmThenSend(kRunTimeQuestion, kResetRunTime);
}

void Orvik3_main_frm::ResetRunCount_btn_Click() {
    confirmThenSend(kRunTimeQuestion, kResetRunTime);
}

void Orvik3_main_frm::ResetCam_btn_Click() {
    sendFixedRow(kResetCamera);
}

void Orvik3_main_frm::ResetCam_Click() {
    sendFixedRow(kResetCamera);
}

void Orvik3_main_frm::restoreDefaultsbtn_Click() {
    sendFixedRow(kRestoreDefaults);
}

void Orvik3_main_frm::WriteSafe_btn_Click() {
    sendFixedRow(kWriteFactoryDefaults);
}

void Orvik3_main_frm::NVR_write_btn_Click() {
    sendFixedRow(kWriteNvr);
}

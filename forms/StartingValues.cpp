// "Set starting values": puts a new camera into its known starting configuration in one run and
// writes it to the camera's non-volatile memory. The run always goes to the end: a command the
// camera refuses shows on the link lamp and the next one follows.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "app/SharedState.h"
#include "camera/AppContext.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "forms/FormWidgets.h"
#include "forms/Orvik3MainForm.h"

namespace {

// Locked while the run sends, in this order, and unlocked in the same order. Some belong to the
// upload functions; a name not on the form is passed over.
const char* const kLockedControls[] = {
    "Test_Card_On_btn",
    "Display_bars_btn",
    "Display_scene_btn",
    "IrisNrmOp_btn",
    "IrisPulseWidth_btn",
    "OpenIris",
    "Offset_combo",
    "Gain_btn",
    "Overtemp_send_btn",
    "HumiditySend",
    "cmdNextCamera",
    "ChangeSerialNo_btn",
    "restoreDefaultsbtn",
    "NVR_write_btn",
    "WriteSafe_btn",
    "CallMicrochipBootloader",
    "Bootloader_attention",
    "ResetCam_btn",
    "FPGALoaderForm",
    "Start_Up_btn",
    "ResetCam",
    "IrisTest",
    "ResetRunCount_btn",
    "IrisControlFrame",
    "IrisWidth_frame",
    "Gain_frame",
    "Offset_frame",
    "humiditysettingsFrame",
    "Heatsink_Frame",
    "Test_Card_frame",
    "Comms",
    "IrisPulseCombo",
    "GainText",
    "OffsetText",
    "humdisable",
    "humenable",
    "Label14",
    "Label15",
    "Overtemp_disable",
    "Overtemp_enable",
    "Label19",
    "Label18",
    "Label17",
};

// Row 14 carries the byte 1 in its unsent first column.
constexpr int kRowHr = 14;
constexpr int kRowTempC = 58, kRowGraphicsOut = 98, kRowTimeDateOn = 42, kRowZoomOn = 23;
constexpr int kRowTempSensorOn = 40, kRowTransmitterOn = 8, kRowScaleBarOn = 95, kRowNvr = 47;

}  // namespace

void Orvik3_main_frm::lockForStartValues(bool locked) {
    for (const char* name : kLockedControls)
        if (QWidget* w = findChild<QWidget*>(name)) w->setEnabled(!locked);
}

void Orvik3_main_frm::setStartProgress(int value) {
    ui.StartPrgBar->setValue(value);
}

void Orvik3_main_frm::Start_Up_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    ui.StartPrgBar->setMaximum(15);
    ui.StartPrgBar->setValue(0);
    ui.StartPrgBar->show();
    ui.StartValueLabel->show();
    ui.SSTab1->setEnabled(false);
    lockForStartValues(true);
    setStartProgress(1);
    sendStartValues();
    lockForStartValues(false);
    setStartProgress(15);
    ui.StartPrgBar->hide();
    ui.StartValueLabel->hide();
    ui.SSTab1->setEnabled(true);
}

void Orvik3_main_frm::sendStartValues() {
    SharedState& s = ctx_.state;
    ui.GainText->setText("40");
    sendGain();
    ui.OffsetText->setText("200");
    sendOffset(false);  // goes out as 150
    GetTimeFromPC(optionsTimeLists(), s);
    SendTimeDate(ctx_.engine, readTimeLists(optionsTimeLists()));
    for (QRadioButton* r : {ui.Spot_on_btn, ui.AMB_ON_btn, ui.optC}) r->setEnabled(true);
    ui.TD_on->setChecked(true);
    btnSend_Click();
    ui.TxChn_combo->setCurrentIndex(4);
    sendTxChannels();
    setStartProgress(4);

    selectText(ui.IrisPulseCombo, "8");
    sendIrisPulseWidth();
    setStartProgress(5);
    for (QComboBox* c : {ui.LCD_Brightness_user, ui.LCD_Contrast_user, ui.LCD_Color_user})
        selectText(c, "5");
    sendLcdSetup();
    ui.SetupImageColour->setCurrentIndex(0);
    PictureColour_Constants(s, 0);
    s.CommandIndex = Row::PictureColour;
    ctx_.engine.Transmit();
    setStartProgress(6);
    s.CommandTable[kRowHr][0] = 1;
    s.CommandTable[kRowHr][1] = 'H';
    s.CommandTable[kRowHr][2] = 'r';
    sendRowAsIs(kRowHr);
    setStartProgress(7);

    for (QRadioButton* r : {ui.humenable, ui.humdisable}) {
        r->setChecked(true);
        sendHumidityThreshold();
    }
    for (bool secondFill : {false, true}) {
        for (QRadioButton* r : {ui.Overtemp_enable, ui.Overtemp_disable}) {
            r->setChecked(true);
            sendHeatsinkThreshold(secondFill);
        }
    }
    setStartProgress(10);
    for (int row : {kRowTempC, kRowGraphicsOut, kRowTimeDateOn}) sendFixedRow(row);
    setStartProgress(12);
    for (int row : {kRowZoomOn, kRowTempSensorOn, kRowTransmitterOn}) sendFixedRow(row);
    HumidityFlagConstans(s);
    s.CommandIndex = Row::HumidityFlag;
    ctx_.engine.Transmit();
    for (int row : {kRowScaleBarOn, kRowNvr}) sendFixedRow(row);
}

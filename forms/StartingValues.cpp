// "Set starting values" on the "General" tab: the controls locked while the run sends, and the
// values it sends shown in their controls.
#include "camera/StartingValues.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "forms/FormWidgets.h"
#include "forms/GeneralTab.h"
#include "forms/Orvik3MainForm.h"

namespace advanced {

namespace {

// Locked while the run sends, in this order, and unlocked in the same order. Some belong to the
// upload functions; a name not on the form is passed over.
const QStringList kLockedControls =
    QString(
        "Test_Card_On_btn Display_bars_btn Display_scene_btn IrisNrmOp_btn "
        "IrisPulseWidth_btn OpenIris Offset_combo Gain_btn Overtemp_send_btn HumiditySend "
        "cmdNextCamera ChangeSerialNo_btn restoreDefaultsbtn NVR_write_btn WriteSafe_btn "
        "CallMicrochipBootloader Bootloader_attention ResetCam_btn FPGALoaderForm "
        "Start_Up_btn ResetCam IrisTest ResetRunCount_btn IrisControlFrame IrisWidth_frame "
        "Gain_frame Offset_frame humiditysettingsFrame Heatsink_Frame Test_Card_frame Comms "
        "IrisPulseCombo GainText OffsetText humdisable humenable Label14 Label15 "
        "Overtemp_disable Overtemp_enable Label19 Label18 Label17")
        .split(' ');

}  // namespace

void GeneralTab::lockForStartValues(bool locked) {
    for (const QString& name : kLockedControls)
        if (QWidget* w = form_.findChild<QWidget*>(name)) w->setEnabled(!locked);
}

// What the run sends, as the controls would have shown it while it sent.
void GeneralTab::showStartValues() {
    namespace S = camera::Start;
    ui.GainText->setText(S::Gain);
    ui.OffsetText->setText(S::Offset);
    for (QRadioButton* r : {ui.Spot_on_btn, ui.AMB_ON_btn, ui.optC}) r->setEnabled(true);
    ui.TD_on->setChecked(true);
    ui.TxChn_combo->setCurrentIndex(4);
    selectText(ui.IrisPulseCombo, S::IrisWidth);
    for (QComboBox* c : {ui.LCD_Brightness_user, ui.LCD_Contrast_user, ui.LCD_Color_user})
        selectText(c, S::Lcd);
    ui.SetupImageColour->setCurrentIndex(S::PictureColour);
    for (QRadioButton* r : {ui.humenable, ui.humdisable, ui.Overtemp_enable, ui.Overtemp_disable})
        r->setChecked(true);
}

void GeneralTab::Start_Up_btn_Click() {
    if (busy()) return;
    ui.StartPrgBar->setMaximum(15);
    ui.StartPrgBar->setValue(0);
    ui.StartPrgBar->show();
    ui.StartValueLabel->show();
    ui.SSTab1->setEnabled(false);
    lockForStartValues(true);
    ui.StartPrgBar->setValue(1);
    GetTimeFromPC(form_.optionsTimeLists(), ctx_.state);
    const ClockValues clock = readTimeLists(form_.optionsTimeLists());
    showStartValues();
    const camera::DisplayOptions options{ui.Spot_on_btn->isChecked(), ui.AMB_ON_btn->isChecked(),
                                         ui.optF->isChecked(), true};
    camera::sendStartingValues(camera_, clock, options,
                               [this](int step) { ui.StartPrgBar->setValue(step); });
    lockForStartValues(false);
    ui.StartPrgBar->setValue(15);
    ui.StartPrgBar->hide();
    ui.StartValueLabel->hide();
    ui.SSTab1->setEnabled(true);
}

}  // namespace advanced

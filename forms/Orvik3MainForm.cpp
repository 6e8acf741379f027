// The advanced form's load, editions, tab sets, "Next Camera" and "Close".
#include "forms/Orvik3MainForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "app/Dialogs.h"
#include "app/ProgramFiles.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "forms/DownloadImageTab.h"
#include "camera/AppContext.h"
#include "link/CommsEngine.h"
#include "link/PortDiscovery.h"
#include "forms/FormWidgets.h"

namespace {

QStringList numbers(int first, int last) {
    QStringList out;
    for (int v = first; v <= last; ++v) out << QString::number(v);
    return out;
}

}  // namespace

Orvik3_main_frm::Orvik3_main_frm(AppContext& context, QWidget* parent)
    : QWidget(parent), ctx_(context) {
    setObjectName("Orvik3_main_frm");
    setWindowTitle(QStringLiteral("Orvik\u00ae3 setup"));
    buildForm();
    connectHandlers();
}

Orvik3_main_frm::~Orvik3_main_frm() = default;

void Orvik3_main_frm::Form_Load() {
    clearFlags();
    loadPorts();
    SharedState& s = ctx_.state;
    s.CustomerMode = !ctx_.fullEdition;
    ui.Reset_IrisFPGA->hide();
    if (s.CustomerMode && s.CustomerScreenLoaded) {
        hide();
        if (ctx_.showCustomerScreen) ctx_.showCustomerScreen();
    }
    applyEdition();
    fillLists();
    imageTab->Form_Load();
    selectDefaults();
    ui.StartPrgBar->hide();
    ui.StartValueLabel->hide();
    if (s.CameraSerialNumber == 0 && !s.CustomerScreenLoaded) show();
    if (s.CameraSerialNumber != 0 && s.AdvancedConnect) showSerialNumber(s.CameraSerialNumber);
    for (QComboBox* c : {ui.LCD_Brightness_user, ui.LCD_Color_user, ui.LCD_Contrast_user})
        selectText(c, "4");
    const bool bst = SensorKit == "New BST" || SensorKit == "Old BST";
    ui.OffsetText->setText(bst ? QString::number(OffsetValue) : "0");
    ui.GainText->setText(bst ? QString::number(GainValue) : "0");
    ui.cmdSaveReport->setEnabled(false);
    ui.cmdPrintReport->setEnabled(false);
    ui.SSTab1->setCurrentIndex(StartTab);
    ui.PAL_btn->setEnabled(false);
    ui.NTSC_btn->setEnabled(false);
    ui.ResetCam_btn->setEnabled(true);
    s.EngineeringReadMode = false;
    if (!nextCamera_) openFpgaLog();
    nextCamera_ = false;
    s.ResendCount = 0;
}

void Orvik3_main_frm::clearFlags() {
    SharedState& s = ctx_.state;
    s.ReportSaved = false;
    s.CameraSerialNumber = 0;
    s.StatusCommsError = false;
    s.AdvancedConnect = false;
    s.StatusReadBusy = false;
    s.PacketTransferMode = false;
    s.BulkReplyMode = false;
    s.ImageCountRequested = false;
    ui.HumOnThresholdCombo->setEnabled(false);
    ui.HumOffThresholdCombo->setEnabled(false);
    ui.ConnectToCameraBtn->show();
    ui.ProgressBar1->hide();
}

void Orvik3_main_frm::loadPorts() {
    SharedState& s = ctx_.state;
    if (s.CustomerScreenLoaded) {
        ui.Comms->hide();  // the customer front screen owns the port choice
        return;
    }
    const QStringList problems = DetectPorts(s, ctx_.ports);
    for (const QString& problem : problems)
        ctx_.dialogs.message(problem, "Orvik 3: Error", MsgIcon::Exclamation);
    ui.CommPort_combo->clear();
    ui.CommPort_combo->addItems(portListEntries(s.PortPresent));
    ui.CommPort_combo->setCurrentIndex(0);
    ui.PortDevices_lbl->setText(portMapDescription(ctx_.ports));
}

void Orvik3_main_frm::applyEdition() {
    const bool customer = ctx_.state.CustomerMode;
    tabsPerRow_ = customer ? 6 : 5;
    for (int tab : {GeneralTab, OptionsTab, AdvancedSetUpTab, EngineeringTab})
        setTabVisible(tab, !customer);
    ui.Sensor_frm->setVisible(!customer);
    ui.VideoStd_frm->setVisible(!customer);
    for (QPushButton* b : {ui.BST_old_btn, ui.BST_btn, ui.Alsi_btn, ui.Lockhed})
        b->setEnabled(!customer);
    ui.PAL_btn->setEnabled(!customer);
    ui.NTSC_btn->setEnabled(!customer);
}

void Orvik3_main_frm::fillLists() {
    for (const TimeLists& lists : {setupTimeLists(), optionsTimeLists()}) {
        clearTimeLists(lists);
        fillTimeLists(lists);
    }
    for (QComboBox* c : {ui.LCD_Brightness_user, ui.LCD_Color_user, ui.LCD_Contrast_user}) {
        c->clear();
        c->addItems(numbers(0, 10));
    }
    ui.IrisPulseCombo->clear();
    ui.IrisPulseCombo->addItems(numbers(0, 15));
    ui.HumOnThresholdCombo->setEditText("80");
    ui.HumOffThresholdCombo->setEditText("75");
    ui.TxChn_combo->clear();
    ui.TxChn_combo->addItems({"OFF", "1", "2", "3", "4"});
    ui.TxChn_combo->setCurrentIndex(0);
    ui.SetupImageColour->clear();
    ui.SetupImageColour->addItems({"Grey scale", "Red spot", "Soft red spot", "Green scale",
                                   "Half colour", "Full colour 1", "Full colour 2",
                                   "Full colour 3"});
    ui.SetupImageColour->setCurrentIndex(0);
    for (QComboBox* c : {ui.Heatsink_off, ui.Heatsink_on}) {
        c->clear();
        c->addItems({"65", "70", "75", "80"});
        c->setEnabled(false);
    }
    selectText(ui.Heatsink_off, "70");
    selectText(ui.Heatsink_on, "80");
}

void Orvik3_main_frm::selectDefaults() {
    ui.optC->setChecked(true);
    ui.Frame7->hide();
    ui.Frame8->hide();
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui.optC, ui.humdisable, ui.humenable, ui.HumiditySend})
        w->setEnabled(true);
    for (QRadioButton* r : {ui.Spot_on_btn, ui.AMB_ON_btn, ui.optC, ui.TD_on}) r->setChecked(true);
    for (QLineEdit* box : {ui.AddressWriteText, ui.SendByte1, ui.SendByte2, ui.SendByte3})
        box->setText("0");
}

void Orvik3_main_frm::openFpgaLog() {
    fpgaLog_ = std::make_unique<QFile>(programFileWritePath("\\FPGA_rbf_conversion.txt"));
    if (fpgaLog_->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return;
    ctx_.dialogs.message(QString("The FPGA conversion file %1 could not be created: %2")
                             .arg(fpgaLog_->fileName(), fpgaLog_->errorString()),
                         "Orvik 3: Error", MsgIcon::Exclamation);
    fpgaLog_.reset();
}

void Orvik3_main_frm::cmdNextCamera_Click() {
    nextCamera_ = true;
    for (QComboBox* c :
         {ui.LCD_Brightness_user, ui.LCD_Contrast_user, ui.LCD_Color_user, ui.TxChn_combo})
        c->clear();
    clearTimeLists(optionsTimeLists());
    clearTimeLists(setupTimeLists());
    imageTab->clearPicture();
    for (QPushButton* b : {ui.BST_old_btn, ui.BST_btn, ui.Alsi_btn, ui.Lockhed})
        b->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{ui.Spot_on_btn, ui.AMB_ON_btn, ui.optC})
        w->setEnabled(true);
    ui.TD_on->setChecked(true);
    Form_Load();
}

void Orvik3_main_frm::Close_btn_Click() {
    if (!ctx_.state.CustomerScreenLoaded) {
        fpgaLog_.reset();
        if (ctx_.exitProgram) ctx_.exitProgram();
        return;
    }
    hide();
    if (ctx_.showCustomerScreen) ctx_.showCustomerScreen();
}

void Orvik3_main_frm::closeEvent(QCloseEvent* event) {
    // The window's own close button acts as "Close": the form lives for the whole run.
    event->ignore();
    Close_btn_Click();
}

// Changing the port or its speed mid-exchange would cut the exchange off: wait for it.
void Orvik3_main_frm::ComPort_Set_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    ApplyPortChoice(ctx_.engine.port(), ctx_.dialogs, ui.CommPort_combo->currentText());
}

void Orvik3_main_frm::Baud_115200_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    ctx_.engine.port().setSettings(settingsForSpeed(115200));
}

void Orvik3_main_frm::Baud_19200_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    ctx_.engine.port().setSettings(settingsForSpeed(19200));
}

void Orvik3_main_frm::setTabVisible(int tab, bool visible) {
    ui.SSTab1->setTabVisible(tab, visible);
}

void Orvik3_main_frm::setTabEnabled(int tab, bool enabled) {
    ui.SSTab1->setTabEnabled(tab, enabled);
}

bool Orvik3_main_frm::isTabVisible(int tab) const {
    return ui.SSTab1->isTabVisible(tab);
}

QStringList Orvik3_main_frm::visibleTabCaptions() const {
    QStringList out;
    for (int i = 0; i < ui.SSTab1->count(); ++i)
        if (ui.SSTab1->isTabVisible(i)) out << ui.SSTab1->tabText(i);
    return out;
}

TimeLists Orvik3_main_frm::setupTimeLists() const {
    return {ui.CustomerHourCombo, ui.CustomerMinCombo, ui.CustomerDayCombo, ui.CustomerMonthCombo,
            ui.CustomerYearCombo};
}

TimeLists Orvik3_main_frm::optionsTimeLists() const {
    return {ui.Hour_Combo, ui.Min_Combo, ui.Day_Combo, ui.Month_Combo, ui.Year_Combo};
}

// The advanced form: its tabs, its load, the editions, the status read every tab shows, "Next
// Camera" and "Close".
#include "forms/Orvik3MainForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/ProgramFiles.h"
#include "app/SharedState.h"
#include "camera/Connection.h"
#include "camera/FpgaUpload.h"
#include "forms/AdvancedSetUpTab.h"
#include "forms/CheckLineWindow.h"
#include "forms/DownloadImageTab.h"
#include "forms/EngineeringTab.h"
#include "forms/FormWidgets.h"
#include "forms/GeneralTab.h"
#include "forms/OptionsTab.h"
#include "forms/RemoteControlTab.h"
#include "forms/ReportView.h"
#include "forms/ServiceHistoryWindow.h"
#include "forms/SetupTab.h"
#include "forms/SplashPanel.h"
#include "forms/StartTab.h"
#include "forms/StatusReportTab.h"
#include "forms/StatusView.h"
#include "forms/TabRows.h"
#include "history/Recorder.h"
#include "link/CommandTable.h"
#include "link/PortDiscovery.h"

QWidget* buildAdvancedBottomRow(Orvik3Controls& ui, QWidget* parent);  // AdvancedBottomRow.cpp

Orvik3_main_frm::Orvik3_main_frm(AppContext& context, camera::Camera& camera, QWidget* parent)
    : QWidget(parent), ctx_(context), camera_(camera) {
    setObjectName("Orvik3_main_frm");
    setWindowTitle(QStringLiteral("Orvik\u00ae3 setup"));
    buildForm();
}

Orvik3_main_frm::~Orvik3_main_frm() = default;

void Orvik3_main_frm::buildForm() {
    auto* layout = new QVBoxLayout(this);
    ui.SSTab1 = tabs_ = named(new TabRows(this), "SSTab1");
    auto tab = [&](auto*& slot) {
        using Tab = std::remove_reference_t<decltype(*slot)>;
        return slot = new Tab(*this, ctx_, camera_, ui);
    };
    tabs_->addTab(tab(start), "Start");
    tabs_->addTab(tab(general), "General");
    tabs_->addTab(tab(options), "Options");
    tabs_->addTab(buildDownloadImageTab(), "Download image");
    tabs_->addTab(tab(statusReport), "Status report");
    tabs_->addTab(tab(setup), "Setup");
    tabs_->addTab(tab(remoteControl), "Remote control");
    tabs_->addTab(tab(advancedSetUp), "Advanced set up");
    tabs_->addTab(tab(engineering), "Engineering use");
    tabs_->addTab(buildStartUpScreenTab(), "Start up screen");
    layout->addWidget(tabs_, 1);
    layout->addWidget(buildAdvancedBottomRow(ui, this));
    connect(ui.Close_btn, &QPushButton::clicked, this, [this] { Close_btn_Click(); });
    connect(ui.ServiceHistory_btn, &QPushButton::clicked, this,
            [this] { ServiceHistory_btn_Click(); });
    connect(ui.CheckLine_btn, &QPushButton::clicked, this,
            [this] { CheckLineWindow::CheckLine_btn_Click(camera_, this); });
    connect(ui.ComPort_Set_btn, &QPushButton::clicked, this, [this] { ComPort_Set_btn_Click(); });
    // Leaving the picture viewer puts the camera back on its live scene.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        const int left = lastTab_;
        lastTab_ = tab;
        ui.Heatsink_Frame->setVisible(tab != GeneralTab);
        if (left == DownloadImageTab && tab != DownloadImageTab && !ctx_.engine.refuseWhileBusy())
            camera::sendFixedRow(camera_, Row::ReturnToNormal);
    });
    wireSplashPanel();
    tabs_->syncRows();
}

// The port controls and the tab strip stay still while a picture comes in; an old camera's
// delete is followed by a status read with its report.
QWidget* Orvik3_main_frm::buildDownloadImageTab() {
    images::DownloadImageTab::FormHooks hooks;
    hooks.lockForm = [this](bool locked) {
        for (QWidget* w : std::initializer_list<QWidget*>{ui.CommPort_combo, ui.ComPort_Set_btn,
                                                          ui.SSTab1->tabBar()})
            w->setEnabled(!locked);
    };
    hooks.statusReport = [this] { Status_report_request_Click(); };
    imageTab = new images::DownloadImageTab(ctx_, hooks);
    return imageTab;
}

QWidget* Orvik3_main_frm::buildStartUpScreenTab() {
    auto* tab = new QWidget;
    auto* v = new QVBoxLayout(tab);
    ui.ProgressBar1 = named(new QProgressBar(tab), "ProgressBar1");
    v->addWidget(ui.ProgressBar1);
    splash = new SplashPanel(ctx_.engine, tab);
    splash->setProgressBar(ui.ProgressBar1);
    ui.Display_Scene = splash->ui.Display_Scene;
    v->addWidget(splash);
    v->addStretch(1);
    return tab;
}

// The splash upload locks the form's port controls and the picture buttons while it runs.
void Orvik3_main_frm::wireSplashPanel() {
    const auto& pics = imageTab->ui;
    splash->setUploadLocks({ui.SSTab1, ui.Close_btn, pics.Image_save_btn, pics.Download_image_},
                           {ui.CommPort_combo, ui.ComPort_Set_btn});
    splash->setStopRestores(
        {pics.ImageProgress},
        {ui.SSTab1, pics.ViewImage_btn, pics.ViewImage_combo, pics.Download_image_,
         pics.DeleteSelection_btn, pics.DeleteAllImages, pics.PreviousImage, pics.NextImage_btn});
    splash->selectSplashEntry = [this] { imageTab->ui.ViewImage_combo->setCurrentIndex(0); };
}

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
    general->load();
    options->load();
    setup->load();
    imageTab->Form_Load();
    selectDefaults();
    ui.StartPrgBar->hide();
    ui.StartValueLabel->hide();
    if (s.CameraSerialNumber == 0 && !s.CustomerScreenLoaded) show();
    if (s.CameraSerialNumber != 0 && s.AdvancedConnect) showSerialNumber(s.CameraSerialNumber);
    for (QComboBox* c : {ui.LCD_Brightness_user, ui.LCD_Color_user, ui.LCD_Contrast_user})
        selectText(c, "4");
    const QString kit = lastStatus ? lastStatus->SensorKitAfterRead : QString();
    const bool bst = kit == "New BST" || kit == "Old BST";
    ui.OffsetText->setText(bst ? QString::number(lastStatus->OffsetValue) : "0");
    ui.GainText->setText(bst ? QString::number(lastStatus->GainValue) : "0");
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
    showLine(ui.PortDevices_lbl, portMapDescription(ctx_.ports));
}

void Orvik3_main_frm::applyEdition() {
    const bool customer = ctx_.state.CustomerMode;
    setTabsPerRow(customer ? 6 : 5);
    for (int tab : {GeneralTab, OptionsTab, AdvancedSetUpTab, EngineeringTab})
        setTabVisible(tab, !customer);
    ui.Sensor_frm->setVisible(!customer);
    ui.VideoStd_frm->setVisible(!customer);
    for (QPushButton* b : {ui.BST_old_btn, ui.BST_btn, ui.Alsi_btn, ui.Lockhed})
        b->setEnabled(!customer);
    ui.PAL_btn->setEnabled(!customer);
    ui.NTSC_btn->setEnabled(!customer);
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
    fpgaLog_ = std::make_unique<QFile>();
    const camera::Outcome started = startConversionFile(*fpgaLog_);
    camera::showMessages(ctx_.dialogs, started);
    if (!started.ok) fpgaLog_.reset();
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

void Orvik3_main_frm::ServiceHistory_btn_Click() {
    if (!historyWindow_) {
        historyWindow_ = new ServiceHistoryWindow(this);
        fitBeside(historyWindow_, this);
    }
    history::Recorder* r = camera_.history();
    historyWindow_->showHistory(r ? r->store() : nullptr);
    historyWindow_->show();
    historyWindow_->raise();
}

// Pressed while a picture comes, it asks first, as the window's own close does.
void Orvik3_main_frm::Close_btn_Click() {
    closeAfterTransferQuestion(ctx_, [this] { closeForm(); });
}

void Orvik3_main_frm::closeForm() {
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

// Changing the port mid-exchange would cut the exchange off: wait for it.
void Orvik3_main_frm::ComPort_Set_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    ApplyPortChoice(ctx_.engine.port(), ctx_.dialogs, ui.CommPort_combo->currentText());
}

void Orvik3_main_frm::setTabsPerRow(int n) {
    tabs_->setTabsPerRow(n);
}
int Orvik3_main_frm::tabsPerRow() const {
    return tabs_->tabsPerRow();
}
void Orvik3_main_frm::setTabVisible(int tab, bool visible) {
    tabs_->showTab(tab, visible);
}
void Orvik3_main_frm::setTabEnabled(int tab, bool enabled) {
    tabs_->enableTab(tab, enabled);
}
bool Orvik3_main_frm::isTabVisible(int tab) const {
    return tabs_->isTabVisible(tab);
}
QStringList Orvik3_main_frm::visibleTabCaptions() const {
    QStringList out;
    for (int i = 0; i < tabs_->count(); ++i)
        if (tabs_->isTabVisible(i)) out << tabs_->tabText(i);
    return out;
}

TimeLists Orvik3_main_frm::setupTimeLists() const {
    return {ui.CustomerHourCombo, ui.CustomerMinCombo, ui.CustomerDayCombo, ui.CustomerMonthCombo,
            ui.CustomerYearCombo};
}
TimeLists Orvik3_main_frm::optionsTimeLists() const {
    return {ui.Hour_Combo, ui.Min_Combo, ui.Day_Combo, ui.Month_Combo, ui.Year_Combo};
}

void Orvik3_main_frm::Status_report_request_Click() {
    statusReport->Status_report_request_Click();
}
void Orvik3_main_frm::cmdSaveReport_Click() {
    statusReport->cmdSaveReport_Click();
}
void Orvik3_main_frm::Read_btn_Click() {
    engineering->Read_btn_Click();
}
void Orvik3_main_frm::Start_Up_btn_Click() {
    general->Start_Up_btn_Click();
}

QString Orvik3_main_frm::statusPortText() const {
    return ctx_.statusPortText ? ctx_.statusPortText() : ui.CommPort_combo->currentText();
}

void Orvik3_main_frm::ReadCameraStatus(bool report) {
    applyStatus(camera::readStatus(camera_, statusPortText(), report));
}

void Orvik3_main_frm::applyStatus(const camera::StatusRead& read) {
    showMessages(ctx_.dialogs, read.outcome);
    if (!read.record) {
        if (ctx_.state.AdvancedConnect) ui.txtSerial->setPlainText("Comms Error");
        return;
    }
    const StatusRecord& r = *read.record;
    ctx_.state.StatusReadBusy = true;  // the option pairs' handlers hold back
    showStatusInControls(ui, r);
    ctx_.state.StatusReadBusy = false;
    if (!read.report.isEmpty()) showScreenReport(ui.RichTextBox1, read.report);
    if (ctx_.state.AdvancedConnect) showSerialNumber(ctx_.state.CameraSerialNumber);
    setCommentsFont(ui.RichTextBox2);
    lastStatus = r;
}

void Orvik3_main_frm::showSerialNumber(int32_t number) {
    ui.txtSerial->setPlainText("Serial Number:\n" + QString::number(number));
}

void Orvik3_main_frm::ConnectToCameraBtn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    camera::SerialCheck check;
    applyStatus(camera::connectAdvanced(camera_, statusPortText(), check));
    SharedState& s = ctx_.state;
    if (ctx_.serialNumberEntry) ctx_.serialNumberEntry(check.number, check.openEntry);
    if (!check.openEntry) {
        ui.txtSerial->setPlainText(
            "Serial Number:\n" +
            (s.CameraSerialNumber == 0 ? QString("Error") : QString::number(s.CameraSerialNumber)));
        showInList(ui.IrisPulseCombo,
                   QString::number(lastStatus ? lastStatus->IrisPulseWidthValue : 0));
        for (QComboBox* c : {ui.LCD_Brightness_user, ui.LCD_Color_user, ui.LCD_Contrast_user})
            selectText(c, "4");
    }
    if (s.StatusCommsError) {
        ui.OffsetText->setText("0");
        ui.GainText->setText("0");
        ui.HumOffThresholdCombo->setEditText("75");
        ui.HumOnThresholdCombo->setEditText("80");
    }
    for (int tab = 0; tab < kTabCount; ++tab) setTabEnabled(tab, true);
    ui.ConnectToCameraBtn->hide();
    s.AdvancedConnect = false;
}

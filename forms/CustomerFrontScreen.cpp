#include "forms/CustomerFrontScreen.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/Dialogs.h"
#include "app/SharedState.h"
#include "camera/Clock.h"
#include "camera/Connection.h"
#include "camera/Recording.h"
#include "forms/AppContext.h"
#include "forms/Form1.h"
#include "forms/FormWidgets.h"
#include "forms/Orvik3MainForm.h"
#include "link/PortDiscovery.h"

CustomerFrontScreen::CustomerFrontScreen(AppContext& context, Form1& form1,
                                         Orvik3_main_frm& advanced, QWidget* parent)
    : QWidget(parent), ctx_(context), form1_(form1), advanced_(advanced) {
    setObjectName("CustomerFrontScreen");
    setWindowTitle("Customer front screen");
    buildForm();
    connectHandlers();
}

TimeLists CustomerFrontScreen::timeLists() const {
    return {CustomerHourCombo, CustomerMinCombo, CustomerDayCombo, CustomerMonthCombo,
            CustomerYearCombo};
}

QString CustomerFrontScreen::portText() const {
    return CommPort_combo->currentText();
}

void CustomerFrontScreen::Form_Load() {
    SharedState& s = ctx_.state;
    s.CustomerScreenLoaded = true;
    TimeDate_frame->hide();
    hide();
    Label9->clear();
    fillTimeLists(timeLists());
    CustomerYearCombo->setCurrentIndex(1);
    GetTimeFromPC(timeLists(), s);
    for (QPushButton* b : {AdvFunc_btn, TimeDate_btn, DownloadImages_btn}) b->setEnabled(false);
    loadPorts();
    advanced_.hide();
    advanced_.Form_Load();
    show();
}

// The ports found, port 1 taken, and the port settings and command table loaded.
void CustomerFrontScreen::loadPorts() {
    const camera::Outcome started = camera::startLink(form1_.camera());
    CommPort_combo->clear();
    CommPort_combo->addItems(portListEntries(ctx_.state.PortPresent));
    CommPort_combo->setCurrentIndex(0);
    showLine(PortDevices_lbl, portMapDescription(ctx_.ports));
    camera::showMessages(ctx_.dialogs, started);
}

void CustomerFrontScreen::ConnectToCamera_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    Label9->setText("Please wait");
    advanced_.ReadCameraStatus(true);
    showLine(LastSeen_lbl,
             ctx_.state.StatusCommsError ? QString() : camera::lastSeenLine(form1_.camera()));
    ConnectToCamera_btn->hide();
    for (QPushButton* b : {AdvFunc_btn, TimeDate_btn, DownloadImages_btn}) b->setEnabled(true);
    Label9->clear();
    connected_ = true;
}

void CustomerFrontScreen::TimeDate_btn_Click() {
    TimeDate_frame->show();
}

void CustomerFrontScreen::Close_TimeDate_btn_Click() {
    TimeDate_frame->hide();
}

void CustomerFrontScreen::fillSerialNumberBox() {
    const int32_t n = ctx_.state.StatusSerialNumber;
    advanced_.ui.txtSerial->setPlainText("Serial Number:\n" +
                                         (n == 0 ? QString("Error") : QString::number(n)));
}

void CustomerFrontScreen::DownloadImages_btn_Click() {
    fillSerialNumberBox();
    advanced_.ui.ConnectToCameraBtn->hide();
    advanced_.setTabEnabled(Orvik3_main_frm::DownloadImageTab, true);
    for (int i = 0; i < Orvik3_main_frm::kTabCount; ++i)
        advanced_.setTabVisible(i, i == Orvik3_main_frm::DownloadImageTab);
    advanced_.show();
    hide();
}

void CustomerFrontScreen::AdvFunc_btn_Click() {
    fillSerialNumberBox();
    if (ctx_.state.CustomerMode) {
        advanced_.setTabsPerRow(6);
        using F = Orvik3_main_frm;
        for (int i = 0; i < F::kTabCount; ++i)
            advanced_.setTabVisible(i, i != F::GeneralTab && i != F::OptionsTab &&
                                           i != F::AdvancedSetUpTab && i != F::EngineeringTab);
    } else {
        for (int i = 0; i < Orvik3_main_frm::kTabCount; ++i) advanced_.setTabVisible(i, true);
        advanced_.ui.SSTab1->setEnabled(true);
    }
    for (int i = 0; i < Orvik3_main_frm::kTabCount; ++i) advanced_.setTabEnabled(i, true);
    advanced_.ui.ConnectToCameraBtn->hide();
    ctx_.state.AdvancedConnect = false;
    advanced_.show();
    hide();
}

void CustomerFrontScreen::Close_btn_Click() {
    if (ctx_.exitProgram) ctx_.exitProgram();
}

void CustomerFrontScreen::ComPort_Set_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;  // a new port mid-exchange would cut it off
    ApplyPortChoice(form1_.MSComm1(), ctx_.dialogs, CommPort_combo->currentText());
}

void CustomerFrontScreen::GetCus_Time_Click() {
    GetTimeFromPC(timeLists(), ctx_.state);
}

void CustomerFrontScreen::EditTimeAndDate_btn_Click() {
    enableTimeLists(timeLists(), true);
}

void CustomerFrontScreen::CustomerSetTime_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    const TimeLists setup = advanced_.setupTimeLists();
    selectText(setup.day, CustomerDayCombo->currentText());
    selectText(setup.month, CustomerMonthCombo->currentText());
    selectText(setup.year, CustomerYearCombo->currentText());
    selectText(setup.minute, CustomerMinCombo->currentText());
    selectText(setup.hour, CustomerHourCombo->currentText());
    camera::sendTimeDate(form1_.camera(), readTimeLists(setup));
}

#include "forms/OptionsTab.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

#include "camera/Clock.h"
#include "forms/FrameBuilders.h"
#include "forms/Orvik3MainForm.h"

namespace advanced {

using frames::add;

OptionsTab::OptionsTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
                       Orvik3Controls& controls)
    : AdvancedTab(form, context, camera, controls) {
    auto* grid = new QGridLayout(this);
    QGroupBox* tx = frames::row(this, "TX_Channel_frm", "No OF Tx CHANNELS");
    ui.TxChn_combo = add(tx, makeList(tx, "TxChn_combo"));
    ui.TxChn = add(tx, makeButton(tx, "TxChn", "Tx channel"));
    grid->addWidget(tx, 0, 0);
    buildSensorFrame(grid);
    buildClockFrames(grid);
    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    ui.btnSend = makeButton(buttons, "btnSend", "Send options");
    ui.ChangeTime_btn = makeButton(buttons, "ChangeTime_btn", "Change time");
    row->addWidget(ui.btnSend);
    row->addWidget(ui.ChangeTime_btn);
    grid->addWidget(buttons, 3, 0);

    on(ui.TxChn, &OptionsTab::TxChn_Click);
    on(ui.btnSend, &OptionsTab::btnSend_Click);
    on(ui.ChangeTime_btn, &OptionsTab::ChangeTime_btn_Click);
    connectTimeOptions();
}

void OptionsTab::buildSensorFrame(QGridLayout* grid) {
    QGroupBox* sensors = makeFrame(this, "TempSensors_Frame", "TEMPERATURE SENSORS");
    auto* sg = new QGridLayout(sensors);
    auto pair = [sensors](QRadioButton*& on, const char* onName, const char* onCaption,
                          QRadioButton*& off, const char* offName, const char* offCaption) {
        auto* box = new QWidget(sensors);  // each pair is exclusive on its own
        auto* row = new QHBoxLayout(box);
        on = makeOption(box, onName, onCaption);
        off = makeOption(box, offName, offCaption);
        row->addWidget(on);
        row->addWidget(off);
        return box;
    };
    sg->addWidget(pair(ui.Spot_on_btn, "Spot_on_btn", "Spot sensor on", ui.Spot_off_btn,
                       "Spot_off_btn", "Spot sensor off"),
                  0, 0);
    sg->addWidget(pair(ui.AMB_ON_btn, "AMB_ON_btn", "Amb sensor on", ui.AMB_OFF_btn, "AMB_OFF_btn",
                       "Amb sensor off"),
                  1, 0);
    QGroupBox* units = frames::row(sensors, "Units_Frame", "UNITS");
    ui.optC = add(units, makeOption(units, "optC", "C"));
    ui.optF = add(units, makeOption(units, "optF", "F"));
    sg->addWidget(units, 2, 0);
    grid->addWidget(sensors, 0, 1, 2, 1);
}

void OptionsTab::buildClockFrames(QGridLayout* grid) {
    QGroupBox* date = frames::row(this, "Date_Frame", "DATE SETUP");
    ui.Year_Combo = labelledList(date, "Year", "Year_Combo");
    ui.Month_Combo = labelledList(date, "Month", "Month_Combo");
    ui.Day_Combo = labelledList(date, "Day", "Day_Combo");
    grid->addWidget(date, 1, 0);
    QGroupBox* time = frames::row(this, "Time_Frame", "TIME SETUP");
    ui.Hour_Combo = labelledList(time, "Hours", "Hour_Combo");
    ui.Min_Combo = labelledList(time, "Minitues", "Min_Combo");
    grid->addWidget(time, 2, 0);
    QGroupBox* onOff = frames::row(this, "Time_Date_on_off_Frame", "TIME /DATE");
    ui.TD_on = add(onOff, makeOption(onOff, "TD_on", "ON"));
    ui.TD_off = add(onOff, makeOption(onOff, "TD_off", "OFF"));
    grid->addWidget(onOff, 2, 1);
    QGroupBox* source = frames::row(this, "Time_Date_Frame", "TIME/ DATE");
    ui.Edit_Time_Date = add(source, makeOption(source, "Edit_Time_Date", "Edit"));
    ui.Get_Time_From_System = add(source, makeOption(source, "Get_Time_From_System", "Get time"));
    ui.No_Change_To_Time_Date =
        add(source, makeOption(source, "No_Change_To_Time_Date", "No Change"));
    grid->addWidget(source, 3, 1);
}

void OptionsTab::load() {
    clearTimeLists(form_.optionsTimeLists());
    fillTimeLists(form_.optionsTimeLists());
    ui.TxChn_combo->clear();
    ui.TxChn_combo->addItems({"OFF", "1", "2", "3", "4"});
    ui.TxChn_combo->setCurrentIndex(0);
}

void OptionsTab::TxChn_Click() {
    if (!busy()) camera::sendTxChannels(camera_, ui.TxChn_combo->currentText());
}

void OptionsTab::btnSend_Click() {
    if (busy()) return;
    enableTimeLists(form_.optionsTimeLists(), false);
    camera::sendOptions(camera_, {ui.Spot_on_btn->isChecked(), ui.AMB_ON_btn->isChecked(),
                                  ui.optF->isChecked(), ui.TD_on->isChecked()});
}

void OptionsTab::ChangeTime_btn_Click() {
    if (busy()) return;
    if (ui.TD_off->isChecked()) {
        const MsgAnswer answer = ctx_.dialogs.message(
            "You are about to change the time to 01:01:01 and date to 01:01:01, do you want to "
            "do this?",
            "Error", MsgIcon::None, MsgButtons::YesNo);
        if (answer != MsgAnswer::Yes) return;
    }
    camera::sendTimeDate(camera_, readTimeLists(form_.optionsTimeLists()));
}

void OptionsTab::TD_off_Click() {
    ui.No_Change_To_Time_Date->setChecked(true);
    ui.No_Change_To_Time_Date->setEnabled(false);
    enableTimeLists(form_.optionsTimeLists(), false, ListBackground::Inactive);
    QPalette p = ui.Get_Time_From_System->palette();
    p.setColor(QPalette::Window, QColor(0x43, 0x4E, 0x54));
    ui.Get_Time_From_System->setPalette(p);
    ui.Get_Time_From_System->setEnabled(false);
    ui.Edit_Time_Date->setEnabled(false);
}

void OptionsTab::connectTimeOptions() {
    auto chosen = [this](QRadioButton* option, auto action) {
        connect(option, &QRadioButton::toggled, this, [action](bool on) {
            if (on) action();
        });
    };
    chosen(ui.TD_on, [this] {
        for (QRadioButton* r :
             {ui.No_Change_To_Time_Date, ui.Get_Time_From_System, ui.Edit_Time_Date})
            r->setEnabled(true);
    });
    chosen(ui.TD_off, [this] { TD_off_Click(); });
    chosen(ui.Get_Time_From_System,
           [this] { GetTimeFromPC(form_.optionsTimeLists(), ctx_.state); });
    chosen(ui.Edit_Time_Date,
           [this] { enableTimeLists(form_.optionsTimeLists(), true, ListBackground::White); });
    chosen(ui.No_Change_To_Time_Date,
           [this] { enableTimeLists(form_.optionsTimeLists(), false, ListBackground::Inactive); });
}

}  // namespace advanced

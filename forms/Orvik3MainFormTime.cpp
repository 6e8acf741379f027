// Time and date on the advanced form: the "Setup" lists with "Get time", "Edit time" and
// "Set time and date", and the "Options" lists with their "TIME /DATE" and "TIME/ DATE" options,
// "Change time" and "Send options".
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "app/Dialogs.h"
#include "app/SharedState.h"
#include "camera/AppContext.h"
#include "link/CommsEngine.h"
#include "forms/Orvik3MainForm.h"

void Orvik3_main_frm::GetCus_Time_Click() {
    GetTimeFromPC(setupTimeLists(), ctx_.state);
}

void Orvik3_main_frm::EditTime_btn_Click() {
    enableTimeLists(setupTimeLists(), true, ListBackground::White);
}

void Orvik3_main_frm::CustomerSetTime_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    SendTimeDate(ctx_.engine, readTimeLists(setupTimeLists()));
}

void Orvik3_main_frm::ChangeTime_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (ui.TD_off->isChecked()) {
        const MsgAnswer answer = ctx_.dialogs.message(
            "You are about to change the time to 01:01:01 and date to 01:01:01, do you want to "
            "do this?",
            "Error", MsgIcon::None, MsgButtons::YesNo);
        if (answer != MsgAnswer::Yes) return;
    }
    SendTimeDate(ctx_.engine, readTimeLists(optionsTimeLists()));
}

void Orvik3_main_frm::btnSend_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    enableTimeLists(optionsTimeLists(), false);
    SendOptions(ctx_.engine, ui.Spot_on_btn->isChecked(), ui.AMB_ON_btn->isChecked(),
                ui.optF->isChecked(), ui.TD_on->isChecked());
}

void Orvik3_main_frm::TD_off_Click() {
    ui.No_Change_To_Time_Date->setChecked(true);
    ui.No_Change_To_Time_Date->setEnabled(false);
    enableTimeLists(optionsTimeLists(), false, ListBackground::Inactive);
    QPalette p = ui.Get_Time_From_System->palette();
    p.setColor(QPalette::Window, QColor(0x43, 0x4E, 0x54));
    ui.Get_Time_From_System->setPalette(p);
    ui.Get_Time_From_System->setEnabled(false);
    ui.Edit_Time_Date->setEnabled(false);
}

void Orvik3_main_frm::connectTimeOptions() {
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
    chosen(ui.Get_Time_From_System, [this] { GetTimeFromPC(optionsTimeLists(), ctx_.state); });
    chosen(ui.Edit_Time_Date,
           [this] { enableTimeLists(optionsTimeLists(), true, ListBackground::White); });
    chosen(ui.No_Change_To_Time_Date,
           [this] { enableTimeLists(optionsTimeLists(), false, ListBackground::Inactive); });
}

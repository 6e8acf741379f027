#include "forms/SetupTab.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

#include "app/SharedState.h"
#include "camera/Clock.h"
#include "forms/FrameBuilders.h"
#include "forms/Orvik3MainForm.h"
#include "forms/PictureColourationFrame.h"
#include "link/CommandTable.h"

namespace advanced {

namespace {

struct OptionEntry {
    QRadioButton* Orvik3Controls::*slot;
    const char* name;
    const char* caption;
    const char* toolTip;
    int row;
};

struct OptionPairEntry {
    const char* frameName;
    const char* frameCaption;
    OptionEntry first, second;
};

using C = Orvik3Controls;

// Left frame: text colour, zoom, transmitter, graphics, hot colour.
const OptionPairEntry kLeftPairs[] = {
    {"TextColour_Frame",
     "TEXT COLOUR",
     {&C::WhiteText_btn, "WhiteText_btn", "White", "This will change the graphics text to White",
      116},
     {&C::BlackText_btn, "BlackText_btn", "Black", "This will change the graphics text to Black",
      117}},
    {"Zoom_Frame",
     "ZOOM",
     {&C::Zoom_On, "Zoom_On", "On", "Turn zoom function on", 23},
     {&C::Zoom_Off, "Zoom_Off", "Off", "Turn zoom function off", 24}},
    {"Transmitter_Frame",
     "TRANSMITTER",
     {&C::Transmitter_On, "Transmitter_On", "On", "Turn transmitter function on", 8},
     {&C::Transmitter_Off, "Transmitter_Off", "Off", "Turn transmitter function off", 9}},
    {"Graphics_Frame",
     "GRAPHICS ",
     {&C::Graphics_In, "Graphics_In", "In",
      "Move all graphics in so the image can be easily viewed on a monitor", 97},
     {&C::Graphics_Out, "Graphics_Out", "Out", "Move graphics to the standard postion", 98}},
    {"HotColour_Frame",
     "HOT COLOUR",
     {&C::WhiteHot, "WhiteHot", "White", "Make the camera white hot", 14},
     {&C::BlackHot, "BlackHot", "Black", "Make the camera black hot", 19}},
};

// Right frame: temperature bar, units, sensors, time and date.
const OptionPairEntry kRightPairs[] = {
    {"TempScaleBar_Frame",
     "TEMP SCALE BAR",
     {&C::TempBarOn, "TempBarOn", "On", "Turn colour bar on", 95},
     {&C::Temp_Bar_Off, "Temp_Bar_Off", "Off", "Turn colour bar off", 96}},
    {"TempUnits_Frame",
     "TEMP UNITS",
     {&C::TempUnit_C, "TempUnit_C", "\u00b0C", "Temperture sensors output is in \u00b0C", 58},
     {&C::TempUnit_F, "TempUnit_F", "F", "Temperture sensors output is in F", 59}},
    {"TempSensors_Setup_Frame",
     "TEMP SENSORS",
     {&C::TempSen_On, "TempSen_On", "On", "Display temperture sensors output, on the camera", 40},
     {&C::TempSen_Off, "TempSen_Off", "Off",
      "Do not display temperture sensors output, on the camera", 38}},
    {"TimeAndDate_Frame",
     "TIME AND DATE",
     {&C::TimeDate_on, "TimeDate_on", "On", "Display time and date on the camera", 42},
     {&C::TimeDate_off, "TimeDate_off", "Off", "Do not display time and date on the camera", 43}},
};

}  // namespace

SetupTab::SetupTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
                   Orvik3Controls& controls)
    : AdvancedTab(form, context, camera, controls) {
    auto* grid = new QGridLayout(this);
    buildGuardedOptions(grid);
    QGroupBox* lcd = frames::row(this, "LCD_setup_frame", "LCD SET UP");
    ui.LCD_Brightness_user = labelledList(lcd, "Brightness", "LCD_Brightness_user");
    ui.LCD_Contrast_user = labelledList(lcd, "Contrast", "LCD_Contrast_user");
    ui.LCD_Color_user = labelledList(lcd, "Colour", "LCD_Color_user");
    ui.LCD_btn = frames::add(lcd, makeButton(lcd, "LCD_btn", "Config", "Config the cameras LCD "));
    grid->addWidget(lcd, 2, 0);
    buildClockFrames(grid);
    auto* colour = new images::PictureColourationFrame(ctx_, this);
    ui.SetupImageColour = colour->SetupImageColour;
    grid->addWidget(colour, 2, 1);

    on(ui.LCD_btn, &SetupTab::LCD_btn_Click);
    on(ui.GetCus_Time, &SetupTab::GetCus_Time_Click);
    on(ui.EditTime_btn, &SetupTab::EditTime_btn_Click);
    on(ui.CustomerSetTime, &SetupTab::CustomerSetTime_Click);
}

// The status read selects the pairs to match the camera; choosing one with the mouse sends its
// command. Selection by the read raises the same event as the mouse, so each handler holds back
// while StatusReadBusy is set.
void SetupTab::buildGuardedOptions(QGridLayout* grid) {
    auto buildColumn = [&](const auto& pairs, int column) {
        QGroupBox* outer =
            makeFrame(this, column == 0 ? "CustomerConfig_Frame1" : "CustomerConfig_Frame2",
                      "CUSTOMER CONFIGURATION");
        auto* v = new QVBoxLayout(outer);
        for (const OptionPairEntry& pair : pairs) {
            QGroupBox* frame = makeFrame(outer, pair.frameName, pair.frameCaption);
            auto* row = new QHBoxLayout(frame);
            for (const OptionEntry& o : {pair.first, pair.second}) {
                QRadioButton* r = makeOption(frame, o.name, QString::fromUtf8(o.caption),
                                             QString::fromUtf8(o.toolTip));
                ui.*o.slot = r;
                row->addWidget(r);
                const int commandRow = o.row;
                connect(r, &QRadioButton::toggled, this, [this, commandRow](bool on) {
                    if (on) sendGuarded(commandRow);
                });
            }
            v->addWidget(frame);
        }
        grid->addWidget(outer, 0, column, 2, 1);
    };
    buildColumn(kLeftPairs, 0);
    buildColumn(kRightPairs, 1);
}

void SetupTab::buildClockFrames(QGridLayout* grid) {
    ui.Frame7 = frames::row(this, "Frame7", "SET THE TIME");
    ui.CustomerHourCombo = labelledList(ui.Frame7, "Hour", "CustomerHourCombo");
    ui.CustomerMinCombo = labelledList(ui.Frame7, "Minutes", "CustomerMinCombo");
    grid->addWidget(ui.Frame7, 3, 0);
    ui.Frame8 = frames::row(this, "Frame8", "SET THE DATE");
    ui.CustomerDayCombo = labelledList(ui.Frame8, "Day", "CustomerDayCombo");
    ui.CustomerMonthCombo = labelledList(ui.Frame8, "Month", "CustomerMonthCombo");
    ui.CustomerYearCombo = labelledList(ui.Frame8, "Year", "CustomerYearCombo");
    grid->addWidget(ui.Frame8, 3, 1);
    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    ui.GetCus_Time =
        makeButton(buttons, "GetCus_Time", "Get time", "Get the time and date from the PC");
    ui.EditTime_btn =
        makeButton(buttons, "EditTime_btn", "Edit time", "Edit time setting to your choice");
    ui.CustomerSetTime = makeButton(buttons, "CustomerSetTime", "Set time and date",
                                    "Send time and date setting to the camera");
    for (QPushButton* b : {ui.GetCus_Time, ui.EditTime_btn, ui.CustomerSetTime}) row->addWidget(b);
    grid->addWidget(buttons, 4, 0, 1, 2);
}

void SetupTab::load() {
    clearTimeLists(form_.setupTimeLists());
    fillTimeLists(form_.setupTimeLists());
    for (QComboBox* c : {ui.LCD_Brightness_user, ui.LCD_Color_user, ui.LCD_Contrast_user}) {
        c->clear();
        for (int v = 0; v <= 10; ++v) c->addItem(QString::number(v));
    }
    ui.SetupImageColour->clear();
    ui.SetupImageColour->addItems({"Grey scale", "Red spot", "Soft red spot", "Green scale",
                                   "Half colour", "Full colour 1", "Full colour 2",
                                   "Full colour 3"});
    ui.SetupImageColour->setCurrentIndex(0);
}

void SetupTab::sendGuarded(int row) {
    if (!ctx_.state.StatusReadBusy) sendRow(row);
}

void SetupTab::LCD_btn_Click() {
    if (busy()) return;
    camera::sendLcd(camera_, ui.LCD_Brightness_user->currentText(),
                    ui.LCD_Contrast_user->currentText(), ui.LCD_Color_user->currentText());
}

void SetupTab::GetCus_Time_Click() {
    GetTimeFromPC(form_.setupTimeLists(), ctx_.state);
}

void SetupTab::EditTime_btn_Click() {
    enableTimeLists(form_.setupTimeLists(), true, ListBackground::White);
}

void SetupTab::CustomerSetTime_Click() {
    if (!busy()) camera::sendTimeDate(camera_, readTimeLists(form_.setupTimeLists()));
}

}  // namespace advanced

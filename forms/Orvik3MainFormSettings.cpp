// The "CUSTOMER CONFIGURATION" option pairs of the "Setup" tab. The status read selects them to
// match the camera; choosing one with the mouse sends its command. Selection by the read
// raises the same event as the mouse, so each handler holds back while StatusReadBusy is set.
// Also the sensor kit and video standard, the LCD, the transmitter channels, the remote zoom and
// what a change of tab does.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/SharedState.h"
#include "camera/AppContext.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "forms/FormWidgets.h"
#include "forms/Orvik3MainForm.h"

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

void Orvik3_main_frm::buildGuardedOptions(QGridLayout* grid) {
    auto buildColumn = [&](const auto& pairs, int column) {
        QGroupBox* outer = makeFrame(
            grid->parentWidget(), column == 0 ? "CustomerConfig_Frame1" : "CustomerConfig_Frame2",
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

void Orvik3_main_frm::sendGuarded(int row) {
    if (ctx_.state.StatusReadBusy) return;
    sendFixedRow(row);
}

void Orvik3_main_frm::sendFixedRow(int row) {
    if (ctx_.engine.refuseWhileBusy()) return;
    ctx_.state.CommandIndex = static_cast<uint8_t>(row);
    Constants(ctx_.state);
    ctx_.engine.Transmit();
}

// Sensor kit and video standard, LCD, transmitter channels, remote zoom and the tab change.

void Orvik3_main_frm::connectSettingsHandlers() {
    auto on = [this](QPushButton* b, void (Orvik3_main_frm::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    on(ui.Lockhed, &Orvik3_main_frm::Lockhed_Click);
    on(ui.Alsi_btn, &Orvik3_main_frm::Alsi_btn_Click);
    on(ui.BST_old_btn, &Orvik3_main_frm::BST_old_btn_Click);
    on(ui.BST_btn, &Orvik3_main_frm::BST_btn_Click);
    on(ui.PAL_btn, &Orvik3_main_frm::PAL_btn_Click);
    on(ui.NTSC_btn, &Orvik3_main_frm::NTSC_btn_Click);
    on(ui.LCD_btn, &Orvik3_main_frm::LCD_btn_Click);
    on(ui.TxChn, &Orvik3_main_frm::TxChn_Click);
    on(ui.ZmIn, &Orvik3_main_frm::ZmIn_Click);
    on(ui.Reset_IrisFPGA, &Orvik3_main_frm::Reset_IrisFPGA_Click);
    connect(ui.SSTab1, &QTabWidget::currentChanged, this, [this](int tab) {
        const int left = lastTab_;
        lastTab_ = tab;
        SSTab1_Click(left);
    });
    connectGeneralHandlers();
    connectThresholdHandlers();
    connectConsoleHandlers();
}

// Leaving the picture viewer puts the camera back on its live scene.
void Orvik3_main_frm::SSTab1_Click(int previousTab) {
    const int tab = ui.SSTab1->currentIndex();
    ui.Heatsink_Frame->setVisible(tab != GeneralTab);
    if (previousTab == DownloadImageTab && tab != DownloadImageTab)
        sendFixedRow(Row::ReturnToNormal);
}

// Choosing a sensor kit unlocks the first six tabs and the video standard.
void Orvik3_main_frm::chooseSensorKit(int row, bool gainUsable) {
    if (ctx_.engine.refuseWhileBusy()) return;
    if (!gainUsable) ui.Gain_btn->setEnabled(false);
    for (int tab = StartTab; tab <= SetupTab; ++tab) setTabEnabled(tab, true);
    ui.PAL_btn->setEnabled(true);
    ui.NTSC_btn->setEnabled(true);
    sendFixedRow(row);
}

void Orvik3_main_frm::Lockhed_Click() {
    chooseSensorKit(64, false);
}

void Orvik3_main_frm::Alsi_btn_Click() {
    chooseSensorKit(61, false);
}

void Orvik3_main_frm::BST_old_btn_Click() {
    chooseSensorKit(63, true);
}

void Orvik3_main_frm::PAL_btn_Click() {
    sendFixedRow(66);
}

void Orvik3_main_frm::NTSC_btn_Click() {
    sendFixedRow(65);
}

void Orvik3_main_frm::sendLcdSetup() {
    LCDSetup_Constants(ctx_.state, ui.LCD_Brightness_user->currentText(),
                       ui.LCD_Contrast_user->currentText(), ui.LCD_Color_user->currentText());
    for (int row : {Row::LcdBrightness, Row::LcdContrast, Row::LcdColour}) {
        ctx_.state.CommandIndex = static_cast<uint8_t>(row);
        ctx_.engine.Transmit();
    }
}

void Orvik3_main_frm::LCD_btn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    sendLcdSetup();
}

void Orvik3_main_frm::sendTxChannels() {
    TxChannel_Constants(ctx_.state, ui.TxChn_combo->currentText());
    ctx_.state.CommandIndex = Row::TxChannels;
    ctx_.engine.Transmit();
}

void Orvik3_main_frm::TxChn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    sendTxChannels();
}

void Orvik3_main_frm::ZmIn_Click() {
    sendFixedRow(21);
}

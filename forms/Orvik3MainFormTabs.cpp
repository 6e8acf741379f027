// Building the advanced form: the ten tabs of SSTab1 and the controls outside them.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "forms/DownloadImageTab.h"
#include "forms/SplashPanel.h"
#include "camera/AppContext.h"
#include "forms/PictureColourationFrame.h"
#include "forms/FormWidgets.h"
#include "forms/Orvik3MainForm.h"

namespace {

// A frame whose children are laid out in a row.
QGroupBox* rowFrame(QWidget* parent, const QString& name, const QString& caption) {
    QGroupBox* frame = makeFrame(parent, name, caption);
    new QHBoxLayout(frame);
    return frame;
}

template <typename W>
W* add(QGroupBox* frame, W* widget) {
    frame->layout()->addWidget(widget);
    return widget;
}

// A caption above a list, both added to a frame.
QComboBox* labelledList(QGroupBox* frame, const QString& caption, const QString& name,
                        bool editable = false) {
    auto* box = new QWidget(frame);
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(new QLabel(caption, box));
    QComboBox* list = makeList(box, name, editable);
    v->addWidget(list);
    frame->layout()->addWidget(box);
    return list;
}

}  // namespace

void Orvik3_main_frm::buildForm() {
    auto* layout = new QVBoxLayout(this);
    ui.SSTab1 = named(new QTabWidget(this), "SSTab1");
    ui.SSTab1->tabBar()->setExpanding(false);
    ui.SSTab1->addTab(buildStartTab(), "Start");
    ui.SSTab1->addTab(buildGeneralTab(), "General");
    ui.SSTab1->addTab(buildOptionsTab(), "Options");
    ui.SSTab1->addTab(buildDownloadImageTab(), "Download image");
    ui.SSTab1->addTab(buildStatusReportTab(), "Status report");
    ui.SSTab1->addTab(buildSetupTab(), "Setup");
    ui.SSTab1->addTab(buildRemoteControlTab(), "Remote control");
    ui.SSTab1->addTab(buildAdvancedSetUpTab(), "Advanced set up");
    ui.SSTab1->addTab(buildEngineeringTab(), "Engineering use");
    ui.SSTab1->addTab(buildStartUpScreenTab(), "Start up screen");
    layout->addWidget(ui.SSTab1, 1);
    layout->addWidget(buildOutsideTabs());
    wireSplashPanel();
}

QWidget* Orvik3_main_frm::buildStartTab() {
    auto* tab = new QWidget;
    auto* v = new QVBoxLayout(tab);
    auto* logo = makeLabel(tab, "Logo", QStringLiteral("Orvik\u00ae3"));
    logo->setStyleSheet("font-size: 28pt; font-weight: bold;");
    v->addWidget(logo);
    ui.ConnectToCameraBtn =
        makeButton(tab, "ConnectToCameraBtn", "&Connect to camera",
                   QStringLiteral("Connect this software with your Orvik\u00ae3 camera"));
    v->addWidget(ui.ConnectToCameraBtn);
    ui.Sensor_frm = rowFrame(tab, "Sensor_frm", "SENSOR SELECTION");
    ui.BST_old_btn = add(ui.Sensor_frm, makeButton(ui.Sensor_frm, "BST_old_btn", "BST old"));
    ui.BST_btn = add(ui.Sensor_frm, makeButton(ui.Sensor_frm, "BST_btn", "BST new"));
    ui.Alsi_btn = add(ui.Sensor_frm, makeButton(ui.Sensor_frm, "Alsi_btn", "ASi"));
    ui.Lockhed = add(ui.Sensor_frm, makeButton(ui.Sensor_frm, "Lockhed", "Vox"));
    v->addWidget(ui.Sensor_frm);
    ui.VideoStd_frm = rowFrame(tab, "VideoStd_frm", "VIDEO STANDARD");
    ui.PAL_btn = add(ui.VideoStd_frm, makeButton(ui.VideoStd_frm, "PAL_btn", "PAL"));
    ui.NTSC_btn = add(ui.VideoStd_frm, makeButton(ui.VideoStd_frm, "NTSC_btn", "NTSC"));
    v->addWidget(ui.VideoStd_frm);
    v->addStretch(1);
    ui.Label1 =
        makeLabel(tab, "Label1", QStringLiteral("Orvik\u00ae3 set up software version 3.0 "));
    v->addWidget(ui.Label1);
    return tab;
}

// The "General" tab is built in Orvik3MainFormGeneral.cpp.

QWidget* Orvik3_main_frm::buildOptionsTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);

    QGroupBox* tx = rowFrame(tab, "TX_Channel_frm", "No OF Tx CHANNELS");
    ui.TxChn_combo = add(tx, makeList(tx, "TxChn_combo"));
    ui.TxChn = add(tx, makeButton(tx, "TxChn", "Tx channel"));
    grid->addWidget(tx, 0, 0);

    QGroupBox* sensors = makeFrame(tab, "TempSensors_Frame", "TEMPERATURE SENSORS");
    auto* sg = new QGridLayout(sensors);
    auto* spot = new QWidget(sensors);  // each pair is exclusive on its own
    auto* spotRow = new QHBoxLayout(spot);
    ui.Spot_on_btn = makeOption(spot, "Spot_on_btn", "Spot sensor on");
    ui.Spot_off_btn = makeOption(spot, "Spot_off_btn", "Spot sensor off");
    spotRow->addWidget(ui.Spot_on_btn);
    spotRow->addWidget(ui.Spot_off_btn);
    auto* amb = new QWidget(sensors);
    auto* ambRow = new QHBoxLayout(amb);
    ui.AMB_ON_btn = makeOption(amb, "AMB_ON_btn", "Amb sensor on");
    ui.AMB_OFF_btn = makeOption(amb, "AMB_OFF_btn", "Amb sensor off");
    ambRow->addWidget(ui.AMB_ON_btn);
    ambRow->addWidget(ui.AMB_OFF_btn);
    QGroupBox* units = rowFrame(sensors, "Units_Frame", "UNITS");
    ui.optC = add(units, makeOption(units, "optC", "C"));
    ui.optF = add(units, makeOption(units, "optF", "F"));
    sg->addWidget(spot, 0, 0);
    sg->addWidget(amb, 1, 0);
    sg->addWidget(units, 2, 0);
    grid->addWidget(sensors, 0, 1, 2, 1);

    QGroupBox* date = rowFrame(tab, "Date_Frame", "DATE SETUP");
    ui.Year_Combo = labelledList(date, "Year", "Year_Combo");
    ui.Month_Combo = labelledList(date, "Month", "Month_Combo");
    ui.Day_Combo = labelledList(date, "Day", "Day_Combo");
    grid->addWidget(date, 1, 0);
    QGroupBox* time = rowFrame(tab, "Time_Frame", "TIME SETUP");
    ui.Hour_Combo = labelledList(time, "Hours", "Hour_Combo");
    ui.Min_Combo = labelledList(time, "Minitues", "Min_Combo");
    grid->addWidget(time, 2, 0);

    QGroupBox* onOff = rowFrame(tab, "Time_Date_on_off_Frame", "TIME /DATE");
    ui.TD_on = add(onOff, makeOption(onOff, "TD_on", "ON"));
    ui.TD_off = add(onOff, makeOption(onOff, "TD_off", "OFF"));
    grid->addWidget(onOff, 2, 1);
    QGroupBox* source = rowFrame(tab, "Time_Date_Frame", "TIME/ DATE");
    ui.Edit_Time_Date = add(source, makeOption(source, "Edit_Time_Date", "Edit"));
    ui.Get_Time_From_System = add(source, makeOption(source, "Get_Time_From_System", "Get time"));
    ui.No_Change_To_Time_Date =
        add(source, makeOption(source, "No_Change_To_Time_Date", "No Change"));
    grid->addWidget(source, 3, 1);

    auto* buttons = new QWidget(tab);
    auto* row = new QHBoxLayout(buttons);
    ui.btnSend = makeButton(buttons, "btnSend", "Send options");
    ui.ChangeTime_btn = makeButton(buttons, "ChangeTime_btn", "Change time");
    row->addWidget(ui.btnSend);
    row->addWidget(ui.ChangeTime_btn);
    grid->addWidget(buttons, 3, 0);
    return tab;
}

QWidget* Orvik3_main_frm::buildStatusReportTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    grid->addWidget(makeLabel(tab, "Status_report_Label", "Status report"), 0, 0);
    ui.RichTextBox1 = named(new QTextEdit(tab), "RichTextBox1");
    ui.RichTextBox1->setLineWrapMode(QTextEdit::NoWrap);
    grid->addWidget(ui.RichTextBox1, 1, 0);
    grid->addWidget(makeLabel(tab, "Comments_Label", "Comments"), 0, 1);
    ui.RichTextBox2 = named(new QTextEdit(tab), "RichTextBox2");
    ui.RichTextBox2->setAcceptRichText(false);
    grid->addWidget(ui.RichTextBox2, 1, 1);
    ui.RichTextBox3 = named(new QTextEdit(tab), "RichTextBox3");
    ui.RichTextBox3->hide();  // where the text to save, print or mail is put together

    auto* buttons = new QWidget(tab);
    auto* row = new QHBoxLayout(buttons);
    ui.Status_report_request = makeButton(buttons, "Status_report_request", "Get report",
                                          "Download a status report from the camera");
    ui.cmdSaveReport = makeButton(buttons, "cmdSaveReport", "Save Report", "Save status report");
    ui.cmdPrintReport = makeButton(buttons, "cmdPrintReport", "Print", "Print status report");
    ui.Email_report_btn = makeButton(
        buttons, "Email_report_btn", "Email report",
        QStringLiteral("Email the cameras status report to the Orvik\u00ae3 service centre"));
    ui.Reset_IrisFPGA =
        makeButton(buttons, "Reset_IrisFPGA", "Reset",
                   "This re-sets the iris FPGA, to get the correct version number ");
    for (QPushButton* b : {ui.Status_report_request, ui.cmdSaveReport, ui.cmdPrintReport,
                           ui.Email_report_btn, ui.Reset_IrisFPGA})
        row->addWidget(b);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    return tab;
}

QWidget* Orvik3_main_frm::buildSetupTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    buildGuardedOptions(grid);

    QGroupBox* lcd = rowFrame(tab, "LCD_setup_frame", "LCD SET UP");
    ui.LCD_Brightness_user = labelledList(lcd, "Brightness", "LCD_Brightness_user");
    ui.LCD_Contrast_user = labelledList(lcd, "Contrast", "LCD_Contrast_user");
    ui.LCD_Color_user = labelledList(lcd, "Colour", "LCD_Color_user");
    ui.LCD_btn = add(lcd, makeButton(lcd, "LCD_btn", "Config", "Config the cameras LCD "));
    grid->addWidget(lcd, 2, 0);

    ui.Frame7 = rowFrame(tab, "Frame7", "SET THE TIME");
    ui.CustomerHourCombo = labelledList(ui.Frame7, "Hour", "CustomerHourCombo");
    ui.CustomerMinCombo = labelledList(ui.Frame7, "Minutes", "CustomerMinCombo");
    grid->addWidget(ui.Frame7, 3, 0);
    ui.Frame8 = rowFrame(tab, "Frame8", "SET THE DATE");
    ui.CustomerDayCombo = labelledList(ui.Frame8, "Day", "CustomerDayCombo");
    ui.CustomerMonthCombo = labelledList(ui.Frame8, "Month", "CustomerMonthCombo");
    ui.CustomerYearCombo = labelledList(ui.Frame8, "Year", "CustomerYearCombo");
    grid->addWidget(ui.Frame8, 3, 1);

    auto* buttons = new QWidget(tab);
    auto* row = new QHBoxLayout(buttons);
    ui.GetCus_Time =
        makeButton(buttons, "GetCus_Time", "Get time", "Get the time and date from the PC");
    ui.EditTime_btn =
        makeButton(buttons, "EditTime_btn", "Edit time", "Edit time setting to your choice");
    ui.CustomerSetTime = makeButton(buttons, "CustomerSetTime", "Set time and date",
                                    "Send time and date setting to the camera");
    for (QPushButton* b : {ui.GetCus_Time, ui.EditTime_btn, ui.CustomerSetTime}) row->addWidget(b);
    grid->addWidget(buttons, 4, 0, 1, 2);

    auto* colour = new images::PictureColourationFrame(ctx_, tab);
    ui.SetupImageColour = colour->SetupImageColour;
    grid->addWidget(colour, 2, 1);
    return tab;
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

QWidget* Orvik3_main_frm::buildRemoteControlTab() {
    auto* tab = new QWidget;
    auto* v = new QVBoxLayout(tab);
    v->addWidget(makeLabel(tab, "Remote_Label", "REMOTE FUNCTIONAL CONTROLS"));
    QGroupBox* frame = rowFrame(tab, "Frame6", "TRANSMITTER CHANNEL CONTROL");
    struct TxButton {
        QPushButton** slot;
        const char *name, *caption, *tip;
        int row;
    };
    const TxButton buttons[] = {
        {&ui.Tx_chn1_on, "Tx_chn1_on", "Tx chn 1 on", "Turn transmitter on, on channel 1", 101},
        {&ui.Tx_chn2_on, "Tx_chn2_on", "Tx chn 2 on", "Turn transmitter on, on channel 2", 102},
        {&ui.Tx_chn3_on, "Tx_chn3_on", "Tx chn 3 on", "Turn transmitter on, on channel 3", 103},
        {&ui.Tx_chn4_on, "Tx_chn4_on", "Tx chn 4 on", "Turn transmitter on, on channel 4", 104},
        {&ui.TxOff, "TxOff", "All Tx chn off", "Turn transmiter off", 105},
    };
    for (const TxButton& b : buttons) {
        *b.slot = add(frame, makeButton(frame, b.name, b.caption, b.tip));
        const int row = b.row;
        connect(*b.slot, &QPushButton::clicked, this, [this, row] { sendFixedRow(row); });
    }
    v->addWidget(frame);
    ui.ZmIn = makeButton(tab, "ZmIn", "Zoom ", "Make the camera zoom in or zoom out");
    v->addWidget(ui.ZmIn);
    v->addStretch(1);
    return tab;
}

QWidget* Orvik3_main_frm::buildAdvancedSetUpTab() {
    auto* tab = new QWidget;
    auto* v = new QVBoxLayout(tab);
    QGroupBox* baud = rowFrame(tab, "SwBaudRateConvert", "CONVERT SOFTWARE BAUD");
    ui.Baud_115200_btn = add(baud, makeButton(baud, "Baud_115200_btn", "115200"));
    ui.Baud_19200_btn = add(baud, makeButton(baud, "Baud_19200_btn", "19200"));
    v->addWidget(baud);
    v->addWidget(buildResetFrame(tab));
    v->addStretch(1);
    return tab;
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

QWidget* Orvik3_main_frm::buildOutsideTabs() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    auto* row = new QHBoxLayout;
    column->addLayout(row);
    ui.Comms = makeFrame(box, "Comms", "Com port");
    auto* ports = new QGridLayout(ui.Comms);
    ui.CommPort_combo = makeList(ui.Comms, "CommPort_combo", true);
    ui.ComPort_Set_btn = makeButton(ui.Comms, "ComPort_Set_btn", "Set");
    ui.PortDevices_lbl = makeLabel(ui.Comms, "PortDevices_lbl", QString());
    ports->addWidget(ui.CommPort_combo, 0, 0);
    ports->addWidget(ui.ComPort_Set_btn, 0, 1);
    ports->addWidget(ui.PortDevices_lbl, 1, 0, 1, 2);
    row->addWidget(ui.Comms);

    auto* link = new QWidget(box);
    auto* linkRow = new QVBoxLayout(link);
    linkRow->addWidget(makeLabel(link, "PictureResponse_Label", "Response from the camera"));
    ui.PictureResponse = makeLabel(link, "PictureResponse", QString());
    linkRow->addWidget(ui.PictureResponse);
    row->addWidget(link);

    ui.txtSerial = named(new QPlainTextEdit(box), "txtSerial");
    ui.txtSerial->setReadOnly(true);
    ui.txtSerial->setMaximumHeight(60);
    row->addWidget(ui.txtSerial);
    ui.Close_btn = makeButton(box, "Close_btn", "Close", "This will close the program");
    row->addWidget(ui.Close_btn);
    // The note line runs under the whole row, so a long note never squeezes the boxes above.
    ui.Note_lbl = makeLabel(box, "Note_lbl", QString());
    ui.Note_lbl->setWordWrap(true);
    ui.Note_lbl->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    column->addWidget(ui.Note_lbl);
    return box;
}

void Orvik3_main_frm::connectHandlers() {
    auto on = [this](QPushButton* b, void (Orvik3_main_frm::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    on(ui.ConnectToCameraBtn, &Orvik3_main_frm::ConnectToCameraBtn_Click);
    on(ui.Status_report_request, &Orvik3_main_frm::Status_report_request_Click);
    on(ui.cmdSaveReport, &Orvik3_main_frm::cmdSaveReport_Click);
    on(ui.cmdPrintReport, &Orvik3_main_frm::cmdPrintReport_Click);
    on(ui.Email_report_btn, &Orvik3_main_frm::Email_report_btn_Click);
    on(ui.cmdNextCamera, &Orvik3_main_frm::cmdNextCamera_Click);
    on(ui.Close_btn, &Orvik3_main_frm::Close_btn_Click);
    on(ui.ComPort_Set_btn, &Orvik3_main_frm::ComPort_Set_btn_Click);
    on(ui.Baud_115200_btn, &Orvik3_main_frm::Baud_115200_btn_Click);
    on(ui.Baud_19200_btn, &Orvik3_main_frm::Baud_19200_btn_Click);
    on(ui.GetCus_Time, &Orvik3_main_frm::GetCus_Time_Click);
    on(ui.EditTime_btn, &Orvik3_main_frm::EditTime_btn_Click);
    on(ui.CustomerSetTime, &Orvik3_main_frm::CustomerSetTime_Click);
    on(ui.ChangeTime_btn, &Orvik3_main_frm::ChangeTime_btn_Click);
    on(ui.btnSend, &Orvik3_main_frm::btnSend_Click);
    connectTimeOptions();
    connectSettingsHandlers();
}

// The splash upload locks the form's port controls and the picture buttons while it runs.
void Orvik3_main_frm::wireSplashPanel() {
    if (!splash || !imageTab) return;
    const auto& pics = imageTab->ui;
    splash->setUploadLocks({ui.SSTab1, ui.Close_btn, pics.Image_save_btn, pics.Download_image_},
                           {ui.CommPort_combo, ui.ComPort_Set_btn});
    splash->setStopRestores({pics.ImageProgress},
                            {ui.SSTab1, pics.ViewImage_btn, pics.ViewImage_combo,
                             pics.Download_image_, pics.DeleteSelection_btn,
                             pics.DeleteAllImages, pics.PreviousImage, pics.NextImage_btn});
    splash->selectSplashEntry = [this] { imageTab->ui.ViewImage_combo->setCurrentIndex(0); };
}

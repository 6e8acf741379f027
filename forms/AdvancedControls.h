#pragma once
// The advanced form's controls, by their designed names (each is also the widget's objectName).
// The tabs build them and reach each other's through this one table.

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;

struct Orvik3Controls {
    QTabWidget* SSTab1 = nullptr;

    // Outside the tabs.
    QPushButton* Close_btn = nullptr;
    QPushButton* ServiceHistory_btn = nullptr;  // opens the service history window
    QPushButton* CheckLine_btn = nullptr;       // opens the line check window
    QGroupBox* Comms = nullptr;
    QComboBox* CommPort_combo = nullptr;
    QPushButton* ComPort_Set_btn = nullptr;
    QLabel* PortDevices_lbl = nullptr;
    QLabel* PictureResponse = nullptr;
    QPlainTextEdit* txtSerial = nullptr;
    QLabel* Note_lbl = nullptr;  // short notes from the link

    // "Start".
    QPushButton* ConnectToCameraBtn = nullptr;
    QGroupBox* Sensor_frm = nullptr;
    QPushButton* BST_old_btn = nullptr;
    QPushButton* BST_btn = nullptr;
    QPushButton* Alsi_btn = nullptr;
    QPushButton* Lockhed = nullptr;
    QGroupBox* VideoStd_frm = nullptr;
    QPushButton* PAL_btn = nullptr;
    QPushButton* NTSC_btn = nullptr;
    QLabel* Label1 = nullptr;

    // "General".
    QGroupBox* Heatsink_Frame = nullptr;
    QComboBox* Heatsink_off = nullptr;
    QComboBox* Heatsink_on = nullptr;
    QRadioButton* Overtemp_enable = nullptr;
    QRadioButton* Overtemp_disable = nullptr;
    QRadioButton* humenable = nullptr;
    QRadioButton* humdisable = nullptr;
    QComboBox* HumOnThresholdCombo = nullptr;
    QComboBox* HumOffThresholdCombo = nullptr;
    QPushButton* HumiditySend = nullptr;
    QLineEdit* GainText = nullptr;
    QPushButton* Gain_btn = nullptr;
    QLineEdit* OffsetText = nullptr;
    QPushButton* Offset_combo = nullptr;
    QComboBox* IrisPulseCombo = nullptr;
    QPushButton* IrisPulseWidth_btn = nullptr;
    QPushButton* ResetCam_btn = nullptr;
    QPushButton* cmdNextCamera = nullptr;
    QCheckBox* LinkLog_chk = nullptr;
    QPushButton* Bootloader_attention = nullptr;
    QPushButton* CallMicrochipBootloader = nullptr;
    QPushButton* FPGALoaderForm = nullptr;
    QPushButton* ChangeSerialNo_btn = nullptr;
    QProgressBar* StartPrgBar = nullptr;
    QLabel* StartValueLabel = nullptr;
    QGroupBox* humiditysettingsFrame = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QPushButton* Overtemp_send_btn = nullptr;
    QGroupBox* Gain_frame = nullptr;
    QGroupBox* Offset_frame = nullptr;
    QGroupBox* IrisControlFrame = nullptr;
    QPushButton* IrisTest = nullptr;
    QPushButton* OpenIris = nullptr;
    QPushButton* IrisNrmOp_btn = nullptr;
    QGroupBox* IrisWidth_frame = nullptr;
    QGroupBox* Test_Card_frame = nullptr;
    QPushButton* Test_Card_On_btn = nullptr;
    QPushButton* Display_bars_btn = nullptr;
    QPushButton* Display_scene_btn = nullptr;
    QPushButton* restoreDefaultsbtn = nullptr;
    QPushButton* ResetRunCount_btn = nullptr;
    QPushButton* WriteSafe_btn = nullptr;
    QPushButton* NVR_write_btn = nullptr;
    QPushButton* Start_Up_btn = nullptr;

    // "Options".
    QPushButton* btnSend = nullptr;
    QPushButton* ChangeTime_btn = nullptr;
    QComboBox* TxChn_combo = nullptr;
    QPushButton* TxChn = nullptr;
    QRadioButton* Spot_on_btn = nullptr;
    QRadioButton* Spot_off_btn = nullptr;
    QRadioButton* AMB_ON_btn = nullptr;
    QRadioButton* AMB_OFF_btn = nullptr;
    QRadioButton* optC = nullptr;
    QRadioButton* optF = nullptr;
    QComboBox* Hour_Combo = nullptr;
    QComboBox* Min_Combo = nullptr;
    QComboBox* Day_Combo = nullptr;
    QComboBox* Month_Combo = nullptr;
    QComboBox* Year_Combo = nullptr;
    QRadioButton* TD_on = nullptr;
    QRadioButton* TD_off = nullptr;
    QRadioButton* Edit_Time_Date = nullptr;
    QRadioButton* Get_Time_From_System = nullptr;
    QRadioButton* No_Change_To_Time_Date = nullptr;

    // "Status report".
    QTextEdit* RichTextBox1 = nullptr;
    QTextEdit* RichTextBox2 = nullptr;
    QTextEdit* RichTextBox3 = nullptr;
    QPushButton* Status_report_request = nullptr;
    QPushButton* cmdSaveReport = nullptr;
    QPushButton* cmdPrintReport = nullptr;
    QPushButton* Email_report_btn = nullptr;
    QPushButton* Reset_IrisFPGA = nullptr;

    // "Setup".
    QRadioButton* WhiteText_btn = nullptr;
    QRadioButton* BlackText_btn = nullptr;
    QRadioButton* Zoom_On = nullptr;
    QRadioButton* Zoom_Off = nullptr;
    QRadioButton* Transmitter_On = nullptr;
    QRadioButton* Transmitter_Off = nullptr;
    QRadioButton* Graphics_In = nullptr;
    QRadioButton* Graphics_Out = nullptr;
    QRadioButton* WhiteHot = nullptr;
    QRadioButton* BlackHot = nullptr;
    QRadioButton* TempBarOn = nullptr;
    QRadioButton* Temp_Bar_Off = nullptr;
    QRadioButton* TempUnit_C = nullptr;
    QRadioButton* TempUnit_F = nullptr;
    QRadioButton* TempSen_On = nullptr;
    QRadioButton* TempSen_Off = nullptr;
    QRadioButton* TimeDate_on = nullptr;
    QRadioButton* TimeDate_off = nullptr;
    QComboBox* LCD_Brightness_user = nullptr;
    QComboBox* LCD_Contrast_user = nullptr;
    QComboBox* LCD_Color_user = nullptr;
    QPushButton* LCD_btn = nullptr;
    QGroupBox* Frame7 = nullptr;
    QGroupBox* Frame8 = nullptr;
    QComboBox* CustomerHourCombo = nullptr;
    QComboBox* CustomerMinCombo = nullptr;
    QComboBox* CustomerDayCombo = nullptr;
    QComboBox* CustomerMonthCombo = nullptr;
    QComboBox* CustomerYearCombo = nullptr;
    QPushButton* GetCus_Time = nullptr;
    QPushButton* EditTime_btn = nullptr;
    QPushButton* CustomerSetTime = nullptr;
    QComboBox* SetupImageColour = nullptr;

    // "Remote control".
    QPushButton* Tx_chn1_on = nullptr;
    QPushButton* Tx_chn2_on = nullptr;
    QPushButton* Tx_chn3_on = nullptr;
    QPushButton* Tx_chn4_on = nullptr;
    QPushButton* TxOff = nullptr;
    QPushButton* ZmIn = nullptr;

    // "Advanced set up".
    QPushButton* Baud_115200_btn = nullptr;
    QPushButton* Baud_19200_btn = nullptr;
    QGroupBox* Frame21 = nullptr;
    QPushButton* ResetHumidity_btn = nullptr;
    QPushButton* ResetHeasink_btn = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* ResetColdWarmCount = nullptr;
    QPushButton* ResetRunTimeCounter = nullptr;
    QPushButton* ResetCam = nullptr;

    // "Engineering use".
    QLineEdit* AddressWriteText = nullptr;
    QLineEdit* SendByte1 = nullptr;
    QLineEdit* SendByte2 = nullptr;
    QLineEdit* SendByte3 = nullptr;
    QCheckBox* CheckByte1 = nullptr;
    QCheckBox* CheckByte2 = nullptr;
    QCheckBox* CheckByte3 = nullptr;
    QCheckBox* ResetCheckBox = nullptr;
    QPushButton* Send_btn = nullptr;
    QLineEdit* AddressReadText = nullptr;
    QPushButton* Read_btn = nullptr;
    QLineEdit* Rx_data_text = nullptr;
    QPushButton* Save_btn = nullptr;
    QPushButton* Att_btn = nullptr;

    // "Start up screen".
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Display_Scene = nullptr;
};

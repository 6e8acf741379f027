#pragma once
// The advanced form "Orvik®3 setup": ten tabs of camera functions, the status read and its
// report, the editions, "Next Camera" and "Close". Its handlers live in files by concern:
// Orvik3MainFormTabs.cpp (building the tabs), Orvik3MainFormStatus.cpp (status read and connect),
// Orvik3MainFormReport.cpp (save, print, e-mail), Orvik3MainFormTime.cpp (time and date),
// Orvik3MainFormSettings.cpp (option buttons the status read sets, sensor kit, LCD, tab change),
// Orvik3MainFormGeneral.cpp (gain, offset, iris, test pictures), Orvik3MainFormThresholds.cpp
// (alarm thresholds, counters, resets), Orvik3MainFormConsole.cpp (engineering console),
// StartingValues.cpp ("Set starting values").

#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "link/CommandTable.h"
#include "forms/Orvik3MainFormControls.h"
#include "status/SetupReport.h"
#include "status/StatusRecord.h"
#include "forms/TimeDateLists.h"

struct AppContext;
class QFile;
class SplashPanel;
class QGridLayout;
class QGroupBox;
class QLineEdit;
namespace images {
class DownloadImageTab;
}

class Orvik3_main_frm : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kTabCount = 10;
    enum Tab {
        StartTab,
        GeneralTab,
        OptionsTab,
        DownloadImageTab,
        StatusReportTab,
        SetupTab,
        RemoteControlTab,
        AdvancedSetUpTab,
        EngineeringTab,
        StartUpScreenTab
    };

    explicit Orvik3_main_frm(AppContext& context, QWidget* parent = nullptr);
    ~Orvik3_main_frm() override;

    void Form_Load();

    // Reads the camera's status block into the controls and shared values; with `report`, the
    // Camera Setup Summary goes into RichTextBox1.
    void ReadCameraStatus(bool report);

    // Tabs: SSTab1 shows the visible tabs in rows of this many.
    int tabsPerRow() const { return tabsPerRow_; }
    void setTabsPerRow(int n) { tabsPerRow_ = n; }
    void setTabVisible(int tab, bool visible);
    void setTabEnabled(int tab, bool enabled);
    bool isTabVisible(int tab) const;
    QStringList visibleTabCaptions() const;

    TimeLists setupTimeLists() const;
    TimeLists optionsTimeLists() const;

    // Handlers, named after their control and event.
    void ConnectToCameraBtn_Click();
    void Status_report_request_Click();
    void cmdSaveReport_Click();
    void cmdPrintReport_Click();
    void Email_report_btn_Click();
    void cmdNextCamera_Click();
    void Close_btn_Click();
    void ComPort_Set_btn_Click();
    void Baud_115200_btn_Click();
    void Baud_19200_btn_Click();
    void GetCus_Time_Click();
    void EditTime_btn_Click();
    void CustomerSetTime_Click();
    void ChangeTime_btn_Click();
    void btnSend_Click();

    // Camera settings (Orvik3MainFormGeneral.cpp, Orvik3MainFormSettings.cpp).
    void Gain_btn_Click();
    void Offset_combo_Click();
    void IrisPulseWidth_btn_Click();
    void IrisTest_Click();
    void OpenIris_Click();
    void IrisNrmOp_btn_Click();
    void Reset_IrisFPGA_Click();
    void Test_Card_On_btn_Click();
    void Display_bars_btn_Click();
    void Display_scene_btn_Click();
    void LCD_btn_Click();
    void TxChn_Click();
    void ZmIn_Click();
    void Lockhed_Click();
    void Alsi_btn_Click();
    void BST_old_btn_Click();
    void BST_btn_Click();
    void PAL_btn_Click();
    void NTSC_btn_Click();
    void SSTab1_Click(int previousTab);

    // Thresholds and counters (Orvik3MainFormThresholds.cpp).
    void HumiditySend_Click();
    void Overtemp_enable_Click();
    void Overtemp_disable_Click();
    void Overtemp_send_btn_Click();
    void ResetHumidity_btn_Click();
    void ResetHeasink_btn_Click();
    void Command1_Click();
    void ResetColdWarmCount_Click();
    void ResetRunTimeCounter_Click();
    void ResetRunCount_btn_Click();
    void ResetCam_btn_Click();
    void ResetCam_Click();
    void restoreDefaultsbtn_Click();
    void WriteSafe_btn_Click();
    void NVR_write_btn_Click();

    // Engineering console (Orvik3MainFormConsole.cpp).
    void Send_btn_Click();
    void LinkLog_chk_Click();
    void Read_btn_Click();
    void Save_btn_Click();
    void Att_btn_Click();
    void CheckByte1_Click();
    void CheckByte2_Click();
    void CheckByte3_Click();
    void ResetCheckBox_Click();
    // Run by the engine when the answer to a register read or write has arrived in RxPacket.
    void GetRdVemraDataFromString();

    // "Set starting values" (StartingValues.cpp).
    void Start_Up_btn_Click();

    // The FPGA conversion log opened by the load (null when it could not be opened).
    QFile* fpgaConversionLog() const { return fpgaLog_.get(); }

    Orvik3Controls ui;
    SplashPanel* splash = nullptr;  // the "Start up screen" tab
    images::DownloadImageTab* imageTab = nullptr;  // tab 3, "Download image"

    // Values kept after a status read.
    QString SensorKit;
    QString VideoStandardText;
    QString MicroVersionText;
    uint16_t RunTimeHours = 0;
    int MaxHumidityPercent = 0;
    double MaxHeatsinkCelsius = 0.0;
    int GainValue = 0;
    int OffsetValue = 0;
    int IrisPulseWidthValue = 0;
    std::optional<StatusRecord> lastStatus;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Building (Orvik3MainFormTabs.cpp).
    void buildForm();
    QWidget* buildStartTab();
    QWidget* buildGeneralTab();
    QWidget* buildOptionsTab();
    QWidget* buildStatusReportTab();
    QWidget* buildSetupTab();
    QWidget* buildRemoteControlTab();
    QWidget* buildAdvancedSetUpTab();
    QWidget* buildStartUpScreenTab();
    QWidget* buildDownloadImageTab();
    QWidget* buildOutsideTabs();
    void wireSplashPanel();
    void connectHandlers();

    // Load steps (Orvik3MainForm.cpp).
    void clearFlags();
    void loadPorts();
    void applyEdition();
    void fillLists();
    void selectDefaults();
    void openFpgaLog();

    // Status read (Orvik3MainFormStatus.cpp).
    bool requestStatusBlock(QByteArray& block);
    void readFailed();
    void applyStatus(const StatusRecord& r, bool report);
    void applyOptionButtons(const StatusRecord& r);
    void applyTxChannelButtons(int channels);
    void showReport(const QString& text);
    void showSerialNumber(int32_t number);
    QString statusPortText() const;

    // Report (Orvik3MainFormReport.cpp).
    StyledRuns assembleOutput();
    bool saveReportTo(const QString& path, bool richText);

    // Options and settings (Orvik3MainFormTime.cpp, Orvik3MainFormSettings.cpp).
    void buildGuardedOptions(QGridLayout* grid);
    void sendGuarded(int row);
    void sendFixedRow(int row);
    void connectTimeOptions();
    void TD_off_Click();

    // Settings, thresholds, console and starting values (their own files).
    QGroupBox* buildHeatsinkFrame(QWidget* parent);
    QGroupBox* buildHumidityFrame(QWidget* parent);
    QGroupBox* buildResetFrame(QWidget* parent);
    QWidget* buildEngineeringTab();
    void connectSettingsHandlers();
    void connectGeneralHandlers();
    void connectThresholdHandlers();
    void connectConsoleHandlers();
    void sendRowAsIs(int row);
    bool typedByte(const QLineEdit* box, const QString& what, uint8_t& value);
    void sendGain();
    void sendOffset(bool offsetFlag);
    void sendIrisPulseWidth();
    void sendLcdSetup();
    void sendTxChannels();
    void chooseSensorKit(int row, bool gainUsable);
    void sendHumidityThreshold();
    OptionPair overtempChoice() const;
    void sendHeatsinkThreshold(bool secondFill);
    void confirmThenSend(const QString& question, int row);
    bool consoleEmpty(const QLineEdit* box) const;
    bool fillRegisterWrite();
    void greyDataBox(QLineEdit* box, bool inUse);
    void transmitRegisterCommand();
    void lockForStartValues(bool locked);
    void sendStartValues();
    void setStartProgress(int value);

    int lastTab_ = 0;
    bool NoDataToSend = false;

    AppContext& ctx_;
    int tabsPerRow_ = 6;
    bool nextCamera_ = false;
    std::unique_ptr<QFile> fpgaLog_;
};

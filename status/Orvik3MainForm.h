#pragma once
// The advanced form "Orvik®3 setup": ten tabs of camera functions, the status read and its
// report, the editions, "Next Camera" and "Close". Its handlers live in files by concern:
// Orvik3MainFormTabs.cpp (building the tabs), Orvik3MainFormStatus.cpp (status read and connect),
// Orvik3MainFormReport.cpp (save, print, e-mail), Orvik3MainFormTime.cpp (time and date),
// Orvik3MainFormSettings.cpp (option buttons the status read sets).

#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "status/Orvik3MainFormControls.h"
#include "status/SetupReport.h"
#include "status/StatusRecord.h"
#include "status/TimeDateLists.h"

struct AppContext;
class QFile;
class QGridLayout;

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

    // The FPGA conversion log opened by the load (null when it could not be opened).
    QFile* fpgaConversionLog() const { return fpgaLog_.get(); }

    Orvik3Controls ui;

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
    QWidget* buildOutsideTabs();
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

    AppContext& ctx_;
    int tabsPerRow_ = 6;
    bool nextCamera_ = false;
    std::unique_ptr<QFile> fpgaLog_;
};

#pragma once
// The advanced form "Orvik®3 setup": the tab control SSTab1 with one class per tab, the bottom
// row (port, lamp, serial number, "Close"), the editions, the status read every tab shows, and
// "Next Camera". The tabs are in forms/StartTab.h ... forms/EngineeringTab.h.

#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "forms/AdvancedControls.h"
#include "forms/TimeDateLists.h"
#include "status/StatusRecord.h"

class ServiceHistoryWindow;

struct AppContext;
class QFile;
class SplashPanel;
namespace camera {
class Camera;
struct StatusRead;
}  // namespace camera
namespace images {
class DownloadImageTab;
}
namespace advanced {
class StartTab;
class GeneralTab;
class OptionsTab;
class StatusReportTab;
class SetupTab;
class RemoteControlTab;
class AdvancedSetUpTab;
class EngineeringTab;
}  // namespace advanced
class TabRows;

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

    Orvik3_main_frm(AppContext& context, camera::Camera& camera, QWidget* parent = nullptr);
    ~Orvik3_main_frm() override;

    void Form_Load();

    // The status read into the controls; with `report`, the summary goes into RichTextBox1.
    void ReadCameraStatus(bool report);
    // The port list a status read chooses by: the customer front screen's when it is loaded.
    QString statusPortText() const;

    // Tabs: SSTab1 shows the visible tabs in rows of this many.
    int tabsPerRow() const;
    void setTabsPerRow(int n);
    void setTabVisible(int tab, bool visible);
    void setTabEnabled(int tab, bool enabled);
    bool isTabVisible(int tab) const;
    QStringList visibleTabCaptions() const;

    TimeLists setupTimeLists() const;
    TimeLists optionsTimeLists() const;

    // Handlers of the form itself, named after their control and event.
    void ConnectToCameraBtn_Click();
    void cmdNextCamera_Click();
    void Close_btn_Click();
    void ServiceHistory_btn_Click();
    void ComPort_Set_btn_Click();
    void Status_report_request_Click();  // and three more tabs' handlers, reached through here
    void cmdSaveReport_Click();
    void Read_btn_Click();
    void Start_Up_btn_Click();

    // The FPGA conversion log opened by the load (null when it could not be opened).
    QFile* fpgaConversionLog() const { return fpgaLog_.get(); }

    Orvik3Controls ui;
    SplashPanel* splash = nullptr;                 // the "Start up screen" tab
    images::DownloadImageTab* imageTab = nullptr;  // tab 3, "Download image"
    advanced::StartTab* start = nullptr;
    advanced::GeneralTab* general = nullptr;
    advanced::OptionsTab* options = nullptr;
    advanced::StatusReportTab* statusReport = nullptr;
    advanced::SetupTab* setup = nullptr;
    advanced::RemoteControlTab* remoteControl = nullptr;
    advanced::AdvancedSetUpTab* advancedSetUp = nullptr;
    advanced::EngineeringTab* engineering = nullptr;

    // The last status read that answered.
    std::optional<StatusRecord> lastStatus;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildForm();
    QWidget* buildDownloadImageTab();
    QWidget* buildStartUpScreenTab();
    QWidget* buildOutsideTabs();
    void wireSplashPanel();
    void clearFlags();
    void loadPorts();
    void applyEdition();
    void fillLists();
    void selectDefaults();
    void openFpgaLog();
    void applyStatus(const camera::StatusRead& read);
    void closeForm();
    void showSerialNumber(int32_t number);

    AppContext& ctx_;
    camera::Camera& camera_;
    TabRows* tabs_ = nullptr;
    int lastTab_ = 0;
    bool nextCamera_ = false;
    std::unique_ptr<QFile> fpgaLog_;
    ServiceHistoryWindow* historyWindow_ = nullptr;  // made on first use, a child window
};

#pragma once
// The "Status report" tab: "Get report" and the Camera Setup Summary with its comments, and the
// report's three ways out, "Save Report", "Print" and "Email report".

#include "forms/AdvancedTab.h"
#include "status/SetupReport.h"

namespace advanced {

class StatusReportTab : public AdvancedTab {
    Q_OBJECT
  public:
    StatusReportTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
                    Orvik3Controls& controls);

    void Status_report_request_Click();
    void cmdSaveReport_Click();
    void cmdPrintReport_Click();
    void Email_report_btn_Click();

  private:
    // The report and the comments, put together in RichTextBox3 as they go out.
    StyledRuns assembleOutput();
};

}  // namespace advanced

#pragma once
// The "Engineering use" tab: raw writes of one to three bytes to a controller address, raw
// reads of one byte, the controller's Save and Att, and the link log.

#include "forms/AdvancedTab.h"

class QLineEdit;

namespace camera {
struct RegisterAnswer;
}

namespace advanced {

class EngineeringTab : public AdvancedTab {
    Q_OBJECT
  public:
    EngineeringTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
                   Orvik3Controls& controls);

    void Send_btn_Click();
    void Read_btn_Click();
    void Save_btn_Click();
    void Att_btn_Click();
    void LinkLog_chk_Click();
    void CheckByte1_Click();
    void CheckByte2_Click();
    void CheckByte3_Click();
    void ResetCheckBox_Click();
    // The register's value in the read box, as a read shows it.
    void showAnswer(const camera::RegisterAnswer& answer);

  private:
    void greyDataBox(QLineEdit* box, bool inUse);
};

}  // namespace advanced

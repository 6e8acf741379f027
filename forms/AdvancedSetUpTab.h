#pragma once
// The "Advanced set up" tab: the line speed and the "RESET " frame.

#include "forms/AdvancedTab.h"

namespace advanced {

class AdvancedSetUpTab : public AdvancedTab {
    Q_OBJECT
  public:
    AdvancedSetUpTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
                     Orvik3Controls& controls);

    void Baud_115200_btn_Click();
    void Baud_19200_btn_Click();
    void Command1_Click();
    void ResetColdWarmCount_Click();
    void ResetRunTimeCounter_Click();
};

}  // namespace advanced

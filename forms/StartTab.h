#pragma once
// The "Start" tab: connect, the sensor kit and the video standard.

#include "forms/AdvancedTab.h"

namespace advanced {

class StartTab : public AdvancedTab {
    Q_OBJECT
  public:
    StartTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
             Orvik3Controls& controls);

    void Lockhed_Click();
    void Alsi_btn_Click();
    void BST_old_btn_Click();
    void BST_btn_Click();
    void PAL_btn_Click();
    void NTSC_btn_Click();

  private:
    void chooseSensorKit(int row, bool gainUsable);
};

}  // namespace advanced

#pragma once
// The "Options" tab: transmitter channels, the sensor, unit and time/date display options sent
// by "Send options", and the clock lists with "Change time".

#include "forms/AdvancedTab.h"

namespace advanced {

class OptionsTab : public AdvancedTab {
    Q_OBJECT
  public:
    OptionsTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
               Orvik3Controls& controls);

    void load();

    void TxChn_Click();
    void btnSend_Click();
    void ChangeTime_btn_Click();
    void TD_off_Click();

  private:
    void buildSensorFrame(QGridLayout* grid);
    void buildClockFrames(QGridLayout* grid);
    void connectTimeOptions();
};

}  // namespace advanced

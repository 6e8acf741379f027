#pragma once
// The "Setup" tab: the "CUSTOMER CONFIGURATION" option pairs, the LCD, the clock lists with
// "Get time", "Edit time" and "Set time and date", and the picture colouration.

#include "forms/AdvancedTab.h"

class QGridLayout;

namespace advanced {

class SetupTab : public AdvancedTab {
    Q_OBJECT
  public:
    SetupTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
             Orvik3Controls& controls);

    void load();

    void LCD_btn_Click();
    void GetCus_Time_Click();
    void EditTime_btn_Click();
    void CustomerSetTime_Click();

  private:
    void buildGuardedOptions(QGridLayout* grid);
    void buildClockFrames(QGridLayout* grid);
    void sendGuarded(int row);
};

}  // namespace advanced

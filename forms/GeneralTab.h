#pragma once
// The "General" tab: the heatsink and humidity thresholds, gain, offset, iris, the test
// pictures, the camera-wide buttons and "Set starting values" (forms/StartingValues.cpp).

#include "forms/AdvancedTab.h"
#include "link/CommandTable.h"

namespace advanced {

class GeneralTab : public AdvancedTab {
    Q_OBJECT
  public:
    GeneralTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
               Orvik3Controls& controls);

    // Lists and their first choices, at the form's load.
    void load();

    void Gain_btn_Click();
    void Offset_combo_Click();
    void IrisPulseWidth_btn_Click();
    void IrisNrmOp_btn_Click();
    void HumiditySend_Click();
    void Overtemp_enable_Click();
    void Overtemp_disable_Click();
    void Overtemp_send_btn_Click();
    void ResetRunCount_btn_Click();
    void Start_Up_btn_Click();

  private:
    QWidget* buildHeatsinkFrame();
    QWidget* buildHumidityFrame();
    QWidget* buildSettingFrames(QGridLayout* grid);
    void buildButtonRows(QGridLayout* grid);
    void connectHandlers();
    OptionPair humidityChoice() const;
    OptionPair overtempChoice() const;
    void lockForStartValues(bool locked);
    void showStartValues();
};

}  // namespace advanced

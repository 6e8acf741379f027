#include "forms/AdvancedSetUpTab.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "camera/Connection.h"
#include "camera/Thresholds.h"
#include "forms/FrameBuilders.h"

namespace advanced {

using frames::add;
using frames::at;

AdvancedSetUpTab::AdvancedSetUpTab(Orvik3_main_frm& form, AppContext& context,
                                   camera::Camera& camera, Orvik3Controls& controls)
    : AdvancedTab(form, context, camera, controls) {
    auto* v = new QVBoxLayout(this);
    QGroupBox* baud = frames::row(this, "SwBaudRateConvert", "CONVERT SOFTWARE BAUD");
    ui.Baud_115200_btn = add(baud, makeButton(baud, "Baud_115200_btn", "115200"));
    ui.Baud_19200_btn = add(baud, makeButton(baud, "Baud_19200_btn", "19200"));
    v->addWidget(baud);
    QGroupBox* f = ui.Frame21 = frames::grid(this, "Frame21", "RESET ");
    ui.ResetHumidity_btn =
        at(f, makeButton(f, "ResetHumidity_btn", "Reset greatest humidity"), 0, 0);
    ui.ResetHeasink_btn = at(f, makeButton(f, "ResetHeasink_btn", "Reset greatest heatsink"), 0, 1);
    ui.Command1 = at(f, makeButton(f, "Command1", "Reset greatest temperture"), 0, 2);
    ui.ResetColdWarmCount = at(f, makeButton(f, "ResetColdWarmCount", "Cold/ warm starts"), 1, 0);
    ui.ResetRunTimeCounter = at(f, makeButton(f, "ResetRunTimeCounter", "Run time counter"), 1, 1);
    ui.ResetCam = at(f, makeButton(f, "ResetCam", "Reset camera"), 1, 2);
    v->addWidget(f);
    v->addStretch(1);

    on(ui.Baud_115200_btn, &AdvancedSetUpTab::Baud_115200_btn_Click);
    on(ui.Baud_19200_btn, &AdvancedSetUpTab::Baud_19200_btn_Click);
    namespace X = camera::Resets;
    for (auto [button, row] :
         {std::pair{ui.ResetHumidity_btn, X::Humidity}, std::pair{ui.ResetHeasink_btn, X::Heatsink},
          std::pair{ui.ResetCam, X::ResetCamera}})
        connect(button, &QPushButton::clicked, this, [this, row] { sendRow(row); });
    on(ui.Command1, &AdvancedSetUpTab::Command1_Click);
    on(ui.ResetColdWarmCount, &AdvancedSetUpTab::ResetColdWarmCount_Click);
    on(ui.ResetRunTimeCounter, &AdvancedSetUpTab::ResetRunTimeCounter_Click);
}

// Changing the speed mid-exchange would cut the exchange off: wait for it.
void AdvancedSetUpTab::Baud_115200_btn_Click() {
    if (!busy()) camera::chooseSpeed(camera_, 115200);
}

void AdvancedSetUpTab::Baud_19200_btn_Click() {
    if (!busy()) camera::chooseSpeed(camera_, 19200);
}

void AdvancedSetUpTab::Command1_Click() {
    if (!busy()) camera::resetGreatestValues(camera_);
}

void AdvancedSetUpTab::ResetColdWarmCount_Click() {
    confirmThenSend("You are about to reset warm/ cold start counter, do you want to do this?",
                    camera::Resets::ColdWarm);
}

void AdvancedSetUpTab::ResetRunTimeCounter_Click() {
    confirmThenSend("You are about to reset run time counter, do you want to do this?",
                    camera::Resets::RunTime);
}

}  // namespace advanced

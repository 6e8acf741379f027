#include "forms/StartTab.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "camera/Settings.h"
#include "forms/EngineeringTab.h"
#include "forms/FrameBuilders.h"
#include "forms/Orvik3MainForm.h"

namespace advanced {

using frames::add;

StartTab::StartTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
                   Orvik3Controls& controls)
    : AdvancedTab(form, context, camera, controls) {
    auto* v = new QVBoxLayout(this);
    auto* logo = makeLabel(this, "Logo", QStringLiteral("Orvik\u00ae3"));
    logo->setStyleSheet("font-size: 28pt; font-weight: bold;");
    v->addWidget(logo);
    ui.ConnectToCameraBtn =
        makeButton(this, "ConnectToCameraBtn", "&Connect to camera",
                   QStringLiteral("Connect this software with your Orvik\u00ae3 camera"));
    v->addWidget(ui.ConnectToCameraBtn);
    QGroupBox* kit = ui.Sensor_frm = frames::row(this, "Sensor_frm", "SENSOR SELECTION");
    ui.BST_old_btn = add(kit, makeButton(kit, "BST_old_btn", "BST old"));
    ui.BST_btn = add(kit, makeButton(kit, "BST_btn", "BST new"));
    ui.Alsi_btn = add(kit, makeButton(kit, "Alsi_btn", "ASi"));
    ui.Lockhed = add(kit, makeButton(kit, "Lockhed", "Vox"));
    v->addWidget(kit);
    QGroupBox* video = ui.VideoStd_frm = frames::row(this, "VideoStd_frm", "VIDEO STANDARD");
    ui.PAL_btn = add(video, makeButton(video, "PAL_btn", "PAL"));
    ui.NTSC_btn = add(video, makeButton(video, "NTSC_btn", "NTSC"));
    v->addWidget(video);
    v->addStretch(1);
    ui.Label1 =
        makeLabel(this, "Label1", QStringLiteral("Orvik\u00ae3 set up software version 3.0 "));
    v->addWidget(ui.Label1);

    connect(ui.ConnectToCameraBtn, &QPushButton::clicked, this,
            [this] { form_.ConnectToCameraBtn_Click(); });
    on(ui.Lockhed, &StartTab::Lockhed_Click);
    on(ui.Alsi_btn, &StartTab::Alsi_btn_Click);
    on(ui.BST_old_btn, &StartTab::BST_old_btn_Click);
    on(ui.BST_btn, &StartTab::BST_btn_Click);
    on(ui.PAL_btn, &StartTab::PAL_btn_Click);
    on(ui.NTSC_btn, &StartTab::NTSC_btn_Click);
}

// Choosing a sensor kit unlocks the first six tabs and the video standard.
void StartTab::chooseSensorKit(int row, bool gainUsable) {
    if (!gainUsable) ui.Gain_btn->setEnabled(false);
    for (int tab = Orvik3_main_frm::StartTab; tab <= Orvik3_main_frm::SetupTab; ++tab)
        form_.setTabEnabled(tab, true);
    ui.PAL_btn->setEnabled(true);
    ui.NTSC_btn->setEnabled(true);
    camera::sendFixedRow(camera_, row);
}

void StartTab::Lockhed_Click() {
    if (!busy()) chooseSensorKit(camera::Rows::KitLockheed, false);
}

void StartTab::Alsi_btn_Click() {
    if (!busy()) chooseSensorKit(camera::Rows::KitAsi, false);
}

void StartTab::BST_old_btn_Click() {
    if (!busy()) chooseSensorKit(camera::Rows::KitOldBst, true);
}

// The console boxes show the register write the new controller is given, and its reply.
void StartTab::BST_btn_Click() {
    if (busy()) return;
    ui.SendByte2->setEnabled(false);
    ui.SendByte3->setEnabled(false);
    ui.AddressWriteText->setText(QString::number(camera::kBstRegister));
    ui.SendByte1->setText(QString::number(camera::kBstValue));
    form_.engineering->showAnswer(camera::prepareNewBstController(camera_));
    ui.Gain_btn->setEnabled(true);
    chooseSensorKit(camera::Rows::KitNewBst, true);
}

void StartTab::PAL_btn_Click() {
    if (!busy()) camera::sendFixedRow(camera_, camera::Rows::Pal);
}

void StartTab::NTSC_btn_Click() {
    if (!busy()) camera::sendFixedRow(camera_, camera::Rows::Ntsc);
}

}  // namespace advanced

// Every settings control of the full edition, clicked by name, against what the camera took.
#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTabWidget>
#include <functional>

#include "SettingsBench.h"

namespace {

using Step = std::function<void(SettingsBench&)>;

struct Row {
    std::string label;
    Step before;  // what the user does first; sends nothing
    Step act;
    std::vector<QByteArray> payloads;
    Step after;
};

Step clicking(const char* name) {
    return [name](SettingsBench& b) { b.click(name); };
}
Step typing(const char* name, const char* text) {
    return [name, text](SettingsBench& b) { b.type(name, text); };
}
Step picking(const char* name, const char* text) {
    return [name, text](SettingsBench& b) { b.pick(name, text); };
}
Step tab(int index) {
    return [index](SettingsBench& b) { b.find<QTabWidget>("SSTab1")->setCurrentIndex(index); };
}
Step all(std::vector<Step> steps) {
    return [steps](SettingsBench& b) {
        for (const Step& s : steps) s(b);
    };
}
Row press(const char* name, std::vector<QByteArray> payloads, Step before = {}, Step after = {}) {
    return {name, std::move(before), clicking(name), std::move(payloads), std::move(after)};
}

Step enabled(const char* name, bool on) {
    return [name, on](SettingsBench& b) { EXPECT_EQ(b.find(name)->isEnabled(), on) << name; };
}
Step shows(const char* name, const char* text) {
    return [name, text](SettingsBench& b) {
        if (auto* list = b.program.advanced.findChild<QComboBox*>(name))
            EXPECT_EQ(list->currentText(), text) << name;
        else
            EXPECT_EQ(b.find<QLineEdit>(name)->text(), text) << name;
    };
}
Step lastMessage(const char* title, const char* text) {
    return [title, text](SettingsBench& b) {
        ASSERT_FALSE(b.dialogs.shown.empty());
        EXPECT_EQ(b.dialogs.shown.back().title, title);
        EXPECT_TRUE(b.dialogs.shown.back().text.contains(text))
            << b.dialogs.shown.back().text.toStdString();
    };
}
Step answering(MsgAnswer a) {
    return [a](SettingsBench& b) { b.dialogs.answers.push_back(a); };
}
Step registerHolds(int address, int value) {
    return [=](SettingsBench& b) { EXPECT_EQ(b.camera.state().registers[address], value); };
}

const char* const kRunTime = "You are about to reset run time counter, do you want to do this?";

std::vector<Row> rows() {
    const Step checkByte3 =
        all({clicking("ResetCheckBox"), typing("AddressWriteText", "5"), typing("SendByte1", "1"),
             typing("SendByte2", "2"), typing("SendByte3", "3"), clicking("CheckByte3")});
    const Step otherOptions = [](SettingsBench& b) {
        b.camera.updateState([](camsim::CameraState& s) { s.customerBits = 0, s.tempUnit = 0; });
    };
    return {
        // Factory options send nothing when chosen; "Send options" sends them all.
        press("Spot_off_btn", {}),
        press("AMB_OFF_btn", {}),
        press("optF", {}),
        press("TD_off", {}),
        press("btnSend", {cmd("Ff"), cmd("Fh"), cmd("TF"), cmd("Fd")}, {},
              enabled("Hour_Combo", false)),
        press("btnSend", {cmd("Fe"), cmd("Fg"), cmd("TC"), cmd("Fc")},
              all({clicking("Spot_on_btn"), clicking("AMB_ON_btn"), clicking("optC"),
                   clicking("TD_on")})),
        // Sensor kit and video standard.
        press("Lockhed", {cmd("Ud")}, {},
              all({enabled("Gain_btn", false), enabled("PAL_btn", true)})),
        press("BST_old_btn", {cmd("Ua")}),
        press("Alsi_btn", {cmd("Uc")}, {}, enabled("Gain_btn", false)),
        press("BST_btn", {cmd("BSA"), cmd("BSW", {1, 3, 6}), cmd("BSS"), cmd("Ub")}, {},
              all({enabled("Gain_btn", true), registerHolds(3, 6)})),
        press("PAL_btn", {cmd("Up")}),
        press("NTSC_btn", {cmd("Un")}),
        // Gain, offset and iris; typed values outside a byte are refused.
        press("Gain_btn", {cmd("Bg", {77})}, typing("GainText", "77")),
        press("Gain_btn", {}, typing("GainText", "256"), lastMessage("Orvik 3", "0 to 255")),
        press("Gain_btn", {}, typing("GainText", "4x"), lastMessage("Orvik 3", "0 to 255")),
        press("Offset_combo", {cmd("Bo", {10}), cmd("Bo", {60})}, typing("OffsetText", "60")),
        press("Offset_combo", {cmd("Bo", {40}), cmd("Bo", {40})}, typing("OffsetText", "40")),
        press("Offset_combo", {}, typing("OffsetText", "-5"), lastMessage("Orvik 3", "0 to 255")),
        press("IrisPulseWidth_btn", {cmd("Iw", {12})}, picking("IrisPulseCombo", "12")),
        press("IrisTest", {cmd("It")}),
        press("OpenIris", {cmd("Io")}),
        press("IrisNrmOp_btn", {cmd("Ic"), cmd("Is")}),
        press("Reset_IrisFPGA", {cmd("Ic")}),
        // Test pictures.
        press("Test_Card_On_btn", {cmd("Sd")}),
        press("Display_bars_btn", {cmd("St")}),
        press("Display_scene_btn", {cmd("Sf")}),
        press("Display_Scene", {cmd("Sf")}),
        // LCD.
        press("LCD_btn", {cmd("LB", {3}), cmd("LC", {7}), cmd("Lc", {9})},
              all({picking("LCD_Brightness_user", "3"), picking("LCD_Contrast_user", "7"),
                   picking("LCD_Color_user", "9")})),
        // Customer configuration: chosen with the mouse they send, chosen by a read they do not.
        press("BlackText_btn", {cmd("O", {0x8F})}),
        press("WhiteText_btn", {cmd("O", {0x8E})}),
        press("Zoom_Off", {cmd("Zp")}),
        press("Zoom_On", {cmd("Zo")}),
        press("Graphics_In", {cmd("Gr")}),
        press("Graphics_Out", {cmd("Gi")}),
        press("TempBarOn", {cmd("TS")}),
        press("Temp_Bar_Off", {cmd("Ts")}),
        press("TempUnit_F", {cmd("TF")}),
        press("TempUnit_C", {cmd("TC")}),
        press("TempSen_Off", {cmd("Tf")}),
        press("TempSen_On", {cmd("Tt")}),
        press("TimeDate_off", {cmd("Df")}),
        press("TimeDate_on", {cmd("Dt")}),
        press("Status_report_request", {cmd("Sr"), cmd("Is")}, otherOptions,
              [](SettingsBench& b) {
                  EXPECT_TRUE(b.find<QRadioButton>("Zoom_Off")->isChecked());
                  EXPECT_TRUE(b.find<QRadioButton>("TimeDate_off")->isChecked());
              }),
        // Transmitter, remote control.
        press("Transmitter_On", {cmd("Ta")}),
        press("Transmitter_Off", {cmd("Tb")}),
        press("Tx_chn1_on", {cmd("TH")}),
        press("Tx_chn2_on", {cmd("TI")}),
        press("Tx_chn3_on", {cmd("TJ")}),
        press("Tx_chn4_on", {cmd("TK")}),
        press("TxOff", {cmd("TL")}),
        press("ZmIn", {cmd("Zt")}),
        press("TxChn", {cmd("To", {2})}, picking("TxChn_combo", "2")),
        press("TxChn", {cmd("To", {0})}, picking("TxChn_combo", "OFF")),
        // Thresholds: fixed values, whatever the level lists show.
        press("HumiditySend", {cmd("A", {0x0A, 0x02, 0xA1})}, clicking("humenable")),
        press("HumiditySend", {cmd("A", {0x0B, 0x02, 0x81})}, clicking("humdisable")),
        press("Overtemp_send_btn", {cmd("A", {0x0C, 0x01, 0xD9}), cmd("A", {0x0E, 0x01, 0x7B})},
              clicking("Overtemp_enable"),
              all({shows("Heatsink_on", "80"), shows("Heatsink_off", "70")})),
        press("Overtemp_send_btn", {cmd("A", {0x0D, 0x02, 0x0E}), cmd("A", {0x0F, 0x01, 0xA8})},
              clicking("Overtemp_disable"),
              all({shows("Heatsink_on", "75"), shows("Heatsink_off", "65")})),
        // Counters and resets.
        press("ResetHumidity_btn", {cmd("A", {0x10})}),
        press("ResetHeasink_btn", {cmd("A", {0x11})}),
        press("Command1", {cmd("A", {0x10}), cmd("A", {0x11})}),
        press("ResetColdWarmCount", {cmd("Rs")}, {},
              lastMessage(
                  "Error",
                  "You are about to reset warm/ cold start counter, do you want to do this?")),
        press("ResetColdWarmCount", {}, answering(MsgAnswer::No)),
        press("ResetRunTimeCounter", {cmd("Rt")}, {}, lastMessage("Error", kRunTime)),
        press("ResetRunCount_btn", {cmd("Rt")}, {}, lastMessage("Error", kRunTime)),
        press("ResetRunCount_btn", {}, answering(MsgAnswer::No)),
        press("ResetCam_btn", {cmd("Rm")}),
        press("ResetCam", {cmd("Rm")}),
        press("restoreDefaultsbtn", {cmd("Rd")}),
        press("WriteSafe_btn", {cmd("A", {0x04})}),
        press("NVR_write_btn", {cmd("Nw")}),
        // Engineering console.
        press("Save_btn", {cmd("BSS")}),
        press("Att_btn", {cmd("BSA")}),
        press("Send_btn", {cmd("BSW", {2, 5, 1, 2})}, checkByte3,
              all({shows("Rx_data_text", "1"), registerHolds(6, 2)})),
        press("Send_btn", {cmd("BSW", {2, 5, 1, 2})}, clicking("CheckByte1")),
        press("Send_btn", {cmd("BSW", {1, 16, 16})},
              all({clicking("ResetCheckBox"), clicking("CheckByte2"),
                   typing("AddressWriteText", "16"), typing("SendByte1", "16")}),
              [](SettingsBench& b) {
                  const auto raw = b.camera.rawReceived();
                  const QByteArray wire(reinterpret_cast<const char*>(raw.data()), int(raw.size()));
                  EXPECT_TRUE(wire.contains(QByteArray::fromHex("4253570110101010")));
                  EXPECT_EQ(b.find<QLineEdit>("Rx_data_text")->text(), "16");
              }),
        press("Send_btn", {}, typing("AddressWriteText", "Text1"),
              lastMessage("Orvik 3",
                          "No data is to be sent because, there is no data in the text boxs.")),
        press("Send_btn", {}, all({typing("AddressWriteText", "4"), typing("SendByte1", "300")}),
              lastMessage("Orvik 3", "0 to 255")),
        press("Read_btn", {cmd("BSR", {200})},
              all({[](SettingsBench& b) {
                       b.camera.updateState(
                           [](camsim::CameraState& s) { s.registers[200] = 0x5A; });
                   },
                   typing("AddressReadText", "200")}),
              shows("Rx_data_text", "90")),
        press("Read_btn", {}, typing("AddressReadText", "Text1")),
        // The tab change: leaving the picture viewer returns the camera to its live scene.
        {"leave Download image", tab(3), tab(5), {cmd("Sf")}, {}},
        {"between two other tabs", tab(5), tab(6), {}, {}},
        {"onto General",
         {},
         tab(1),
         {},
         [](SettingsBench& b) { EXPECT_TRUE(b.find("Heatsink_Frame")->isHidden()); }},
        {"off General",
         {},
         tab(2),
         {},
         [](SettingsBench& b) { EXPECT_FALSE(b.find("Heatsink_Frame")->isHidden()); }},
    };
}

TEST(SettingsControls, EachSendsExactlyItsCommands) {
    SettingsBench b;
    for (const Row& r : rows()) {
        SCOPED_TRACE(r.label);
        if (r.before) r.before(b);
        b.camera.clearLog();
        r.act(b);
        EXPECT_EQ(b.heard(), r.payloads);
        if (r.after) r.after(b);
    }
}

struct ReadCase {
    const char* name;
    camsim::Faults faults;
    const char* shown;
};

class RegisterRead : public ::testing::TestWithParam<ReadCase> {};

// Only a real register value reaches the box: a refusal's code would read as a value.
TEST_P(RegisterRead, ShowsOnlyTheValueTheCameraHolds) {
    SettingsBench b;
    b.camera.updateState([](camsim::CameraState& s) { s.registers[9] = 33; });
    b.type("Rx_data_text", "7");
    b.camera.setFaults(GetParam().faults);
    b.type("AddressReadText", "9");
    b.click("Read_btn");
    EXPECT_EQ(b.find<QLineEdit>("Rx_data_text")->text(), GetParam().shown);
    EXPECT_EQ(b.heard().back(), cmd("BSR", {9}));
}

camsim::Faults garbage() {
    camsim::Faults f;
    f.garbageBytes = 3;
    return f;
}
camsim::Faults refused() {
    camsim::Faults f;
    f.canCommands.insert("BS");
    return f;
}

INSTANTIATE_TEST_SUITE_P(Replies, RegisterRead,
                         ::testing::Values(ReadCase{"clean", {}, "33"},
                                           ReadCase{"garbage", garbage(), "33"},
                                           ReadCase{"refused", refused(), "7"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

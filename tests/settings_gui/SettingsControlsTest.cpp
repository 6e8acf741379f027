// Every settings control of the full edition, clicked by name: each reaches its operation with
// the control's values (checked by what the camera took) and shows what the design shows. The
// operations' own cases are in tests/camera/OperationsTest.cpp.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <functional>

#include "forms/FormWidgets.h"
#include "tests/front/FormsFixture.h"

namespace {

// The full edition, connected, with the advanced form open.
struct Bench : Forms {
    explicit Bench() : Forms(camsim::SimCamera::defaultState(), true) {
        click(front(), "ConnectToCamera_btn");
        click(front(), "AdvFunc_btn");
        camera.clearLog();
    }
    QWidget* w(const char* name) { return find(advanced(), name); }
    void press(const char* name) { click(advanced(), name); }
    void type(const char* name, const QString& t) { find<QLineEdit>(advanced(), name)->setText(t); }
    void pick(const char* name, const QString& t) {
        selectText(find<QComboBox>(advanced(), name), t);
    }
    QString shown(const char* name) {
        auto* list = advanced()->findChild<QComboBox*>(name);
        return list ? list->currentText() : find<QLineEdit>(advanced(), name)->text();
    }
};

QByteArray cmd(const char* letters, std::initializer_list<int> bytes = {}) {
    QByteArray out(letters);
    for (int b : bytes) out.append(char(b));
    return out;
}

using Step = std::function<void(Bench&)>;
struct Row {
    std::string label;
    Step before;  // what the user does first; sends nothing
    Step act;
    std::vector<QByteArray> payloads;
    Step after;
};

Row press(const char* name, std::vector<QByteArray> payloads, Step before = {}, Step after = {}) {
    return {name, std::move(before), [name](Bench& b) { b.press(name); }, std::move(payloads),
            std::move(after)};
}
Step typing(const char* name, const char* text) {
    return [=](Bench& b) { b.type(name, text); };
}
Step picking(std::vector<std::pair<const char*, const char*>> picks) {
    return [=](Bench& b) {
        for (auto [name, text] : picks) b.pick(name, text);
    };
}
Step clicking(std::vector<const char*> names) {
    return [=](Bench& b) {
        for (const char* n : names) b.press(n);
    };
}
Step tab(int index) {
    return [=](Bench& b) { b.find<QTabWidget>(b.advanced(), "SSTab1")->setCurrentIndex(index); };
}
// Which controls are enabled, then what named controls show.
Step expect(std::vector<std::pair<const char*, bool>> enabled,
            std::vector<std::pair<const char*, const char*>> shows = {}) {
    return [=](Bench& b) {
        for (auto [name, on] : enabled) EXPECT_EQ(b.w(name)->isEnabled(), on) << name;
        for (auto [name, text] : shows) EXPECT_EQ(b.shown(name), text) << name;
    };
}
Step told(const char* title, const char* text) {
    return [=](Bench& b) {
        ASSERT_FALSE(b.dialogs.shown.empty());
        EXPECT_EQ(b.dialogs.shown.back().title, title);
        EXPECT_TRUE(b.dialogs.shown.back().text.contains(text));
    };
}
Step answering(MsgAnswer a) {
    return [a](Bench& b) { b.dialogs.answers.push_back(a); };
}

std::vector<Row> rows() {
    return {
        // "Start".
        press("Lockhed", {cmd("Ud")}, {}, expect({{"Gain_btn", false}, {"PAL_btn", true}})),
        press("BST_btn", {cmd("BSA"), cmd("BSW", {1, 3, 6}), cmd("BSS"), cmd("Ub")}, {},
              expect({{"Gain_btn", true}, {"SendByte2", false}}, {{"AddressWriteText", "3"}})),
        press("PAL_btn", {cmd("Up")}),
        // "General".
        press("Gain_btn", {cmd("Bg", {77})}, typing("GainText", "77")),
        press("Gain_btn", {}, typing("GainText", "256"), told("Orvik 3", "0 to 255")),
        press("Offset_combo", {cmd("Bo", {10}), cmd("Bo", {60})}, typing("OffsetText", "60")),
        press("IrisPulseWidth_btn", {cmd("Iw", {12})}, picking({{"IrisPulseCombo", "12"}})),
        press("IrisNrmOp_btn", {cmd("Ic"), cmd("Is")}),
        press("Test_Card_On_btn", {cmd("Sd")}),
        press("HumiditySend", {cmd("A", {0x0B, 0x02, 0x81})}, clicking({"humdisable"})),
        press("Overtemp_send_btn", {cmd("A", {0x0C, 0x01, 0xD9}), cmd("A", {0x0E, 0x01, 0x7B})},
              clicking({"Overtemp_enable"}),
              expect({}, {{"Heatsink_on", "80"}, {"Heatsink_off", "70"}})),
        press("ResetRunCount_btn", {cmd("Rt")}, {}, told("Error", "reset run time counter")),
        press("ResetRunCount_btn", {}, answering(MsgAnswer::No)),
        press("NVR_write_btn", {cmd("Nw")}),
        // "Options".
        press("btnSend", {cmd("Ff"), cmd("Fh"), cmd("TF"), cmd("Fd")},
              clicking({"Spot_off_btn", "AMB_OFF_btn", "optF", "TD_off"}),
              expect({{"Hour_Combo", false}})),
        press("TxChn", {cmd("To", {2})}, picking({{"TxChn_combo", "2"}})),
        // "Status report" and "Setup".
        press("Reset_IrisFPGA", {cmd("Ic")}),
        press("LCD_btn", {cmd("LB", {3}), cmd("LC", {7}), cmd("Lc", {9})},
              picking({{"LCD_Brightness_user", "3"},
                       {"LCD_Contrast_user", "7"},
                       {"LCD_Color_user", "9"}})),
        press("BlackText_btn", {cmd("O", {0x8F})}),
        press("TimeDate_off", {cmd("Df")}),
        // "Remote control", "Advanced set up", "Engineering use".
        press("Tx_chn2_on", {cmd("TI")}),
        press("ZmIn", {cmd("Zt")}),
        press("Command1", {cmd("A", {0x10}), cmd("A", {0x11})}),
        press("ResetColdWarmCount", {}, answering(MsgAnswer::No),
              told("Error", "reset warm/ cold start counter")),
        press("ResetCam", {cmd("Rm")}),
        press("Att_btn", {cmd("BSA")}),
        press(
            "Send_btn", {cmd("BSW", {2, 5, 1, 2})},
            [](Bench& b) {
                b.press("ResetCheckBox");
                for (auto [n, t] : {std::pair{"AddressWriteText", "5"},
                                    {"SendByte1", "1"},
                                    {"SendByte2", "2"},
                                    {"SendByte3", "3"}})
                    b.type(n, t);
                b.press("CheckByte3");
            },
            expect({{"SendByte3", false}}, {{"Rx_data_text", "1"}})),
        press("Read_btn", {cmd("BSR", {6})}, typing("AddressReadText", "6"),
              expect({}, {{"Rx_data_text", "2"}})),
        // The tab change: leaving the picture viewer returns the camera to its live scene.
        {"leave Download image", tab(3), tab(5), {cmd("Sf")}, {}},
        {"onto General",
         {},
         tab(1),
         {},
         [](Bench& b) { EXPECT_TRUE(b.w("Heatsink_Frame")->isHidden()); }},
    };
}

TEST(SettingsControls, EachReachesItsOperationWithItsValues) {
    Bench b;
    for (const Row& r : rows()) {
        SCOPED_TRACE(r.label);
        if (r.before) r.before(b);
        b.camera.clearLog();
        r.act(b);
        EXPECT_EQ(b.heard(), r.payloads);
        if (r.after) r.after(b);
    }
}

// A line of ours stays through unrelated actions and goes with the next command that succeeds.
TEST(SettingsControls, TheNoteLineGoesWithTheNextCommandThatSucceeds) {
    Bench b;
    camsim::Faults refusing;
    refusing.canCommands = {"BS"};
    b.camera.setFaults(refusing);
    b.type("AddressReadText", "6");
    b.press("Read_btn");
    b.camera.setFaults({});
    b.press("CheckByte2");
    const QString noAnswer = "The camera gave no register value.";
    EXPECT_EQ(b.find<QLabel>(b.advanced(), "Note_lbl")->text(), noAnswer);
    b.press("ZmIn");
    EXPECT_EQ(b.find<QLabel>(b.advanced(), "Note_lbl")->text(), QString());
}

// The run locks the form, shows its progress and ends with its values in the controls.
TEST(SettingsControls, StartingValuesLockTheFormWhileTheyGoOut) {
    Bench b;
    std::vector<int> progress;
    bool locked = false;
    QObject::connect(b.find<QProgressBar>(b.advanced(), "StartPrgBar"), &QProgressBar::valueChanged,
                     [&](int v) {
                         if (v > 0) progress.push_back(v);
                         if (v == 4)
                             locked = !b.w("SSTab1")->isEnabled() &&
                                      b.w("Start_Up_btn")->testAttribute(Qt::WA_ForceDisabled) &&
                                      b.w("Comms")->testAttribute(Qt::WA_ForceDisabled);
                     });
    b.press("Start_Up_btn");
    EXPECT_EQ(progress, (std::vector<int>{1, 4, 5, 6, 7, 10, 12, 15}));
    EXPECT_TRUE(locked);
    EXPECT_EQ(b.heard().size(), 29u);
    EXPECT_EQ(b.heard()[3], "Fe");  // "Send options" as the form shows them
    EXPECT_TRUE(b.w("SSTab1")->isEnabled());
    for (const char* name : {"Start_Up_btn", "Gain_btn", "Comms", "Label17", "humenable"})
        EXPECT_FALSE(b.w(name)->testAttribute(Qt::WA_ForceDisabled)) << name;
    EXPECT_TRUE(b.w("StartPrgBar")->isHidden());
    expect({}, {{"GainText", "40"},
                {"OffsetText", "200"},
                {"IrisPulseCombo", "8"},
                {"Heatsink_off", "65"}})(b);
}

}  // namespace

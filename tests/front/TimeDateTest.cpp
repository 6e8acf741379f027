// Setting the camera's clock from the front screen's lists and from the "Options" tab; the BCD
// of the clock row is checked by the operations' own table.
#include <gtest/gtest.h>

#include <QDate>

#include "FormsFixture.h"
#include "forms/FormWidgets.h"

namespace {

TEST(FrontClock, TheChosenClockGoesOutAndTheSetupListsFollow) {
    Forms f;
    auto* year = f.find<QComboBox>(f.front(), "CustomerYearCombo");
    ASSERT_EQ(year->count(), 99);  // every year the camera's two digits hold, 2001 to 2099
    EXPECT_EQ(year->currentText(), QString::number(QDate::currentDate().year()));
    f.click(f.front(), "ConnectToCamera_btn");
    f.click(f.front(), "TimeDate_btn");
    EXPECT_TRUE(f.find(f.front(), "TimeDate_frame")->isVisible());
    EXPECT_FALSE(year->isEnabled());
    f.click(f.front(), "EditTimeAndDate_btn");
    EXPECT_TRUE(year->isEnabled());
    const std::pair<const char*, const char*> picks[] = {{"CustomerYearCombo", "2004"},
                                                         {"CustomerMonthCombo", "03"},
                                                         {"CustomerDayCombo", "07"},
                                                         {"CustomerHourCombo", "00"},
                                                         {"CustomerMinCombo", "05"}};
    for (const auto& [name, text] : picks)
        ASSERT_TRUE(selectText(f.find<QComboBox>(f.front(), name), text)) << name;
    f.click(f.front(), "CustomerSetTime");
    EXPECT_EQ(f.heard().back(), QByteArray::fromHex("44730005070304"));
    EXPECT_EQ(f.program.indicator.shown(), Indicator::Grey);  // after the green lamp's time
    for (const auto& [name, text] : picks)
        EXPECT_EQ(f.text(f.advanced(), name), text) << name;  // the "Setup" lists follow
}

TEST(OptionsClock, ChangeTimeAsksFirstWhenTheDisplayIsOff) {
    Forms f(camsim::SimCamera::defaultState(), true);
    f.click(f.front(), "ConnectToCamera_btn");
    f.click(f.front(), "AdvFunc_btn");
    f.click(f.advanced(), "Edit_Time_Date");
    selectText(f.find<QComboBox>(f.advanced(), "Year_Combo"), "2010");
    f.click(f.advanced(), "TD_off");
    EXPECT_TRUE(f.checked("No_Change_To_Time_Date"));
    EXPECT_FALSE(f.find(f.advanced(), "Year_Combo")->isEnabled());
    EXPECT_FALSE(f.find(f.advanced(), "Edit_Time_Date")->isEnabled());

    const size_t before = f.heard().size();
    f.dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};
    f.click(f.advanced(), "ChangeTime_btn");
    EXPECT_EQ(f.heard().size(), before);
    EXPECT_EQ(f.dialogs.shown.back().title, "Error");
    f.click(f.advanced(), "ChangeTime_btn");
    ASSERT_EQ(f.heard().size(), before + 1);
    EXPECT_EQ(f.heard().back().left(2), "Ds");
    EXPECT_EQ(f.heard().back().at(6), char(0x10));  // the year shown: 2010

    f.click(f.advanced(), "TD_on");
    EXPECT_TRUE(f.find(f.advanced(), "Edit_Time_Date")->isEnabled());
    f.click(f.advanced(), "ChangeTime_btn");  // no question with the display on
    EXPECT_EQ(f.heard().size(), before + 2);
}

}  // namespace

// Setting the camera's clock from the three sets of lists; the bytes are checked on the wire.
#include <gtest/gtest.h>

#include <QDate>
#include <QRadioButton>

#include "FormsFixture.h"
#include "forms/FormWidgets.h"

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

struct ClockCase {
    const char *year, *month, *day, *hour, *minute;
    const char* wire;
};

class CustomerSend : public ::testing::TestWithParam<ClockCase> {};

TEST_P(CustomerSend, PutsTheChosenClockOnTheWireInBcd) {
    const ClockCase& c = GetParam();
    Forms f;
    f.click(f.front(), "ConnectToCamera_btn");
    f.click(f.front(), "TimeDate_btn");
    EXPECT_TRUE(f.find(f.front(), "TimeDate_frame")->isVisible());
    EXPECT_FALSE(f.find(f.front(), "CustomerYearCombo")->isEnabled());
    f.click(f.front(), "EditTimeAndDate_btn");
    EXPECT_TRUE(f.find(f.front(), "CustomerYearCombo")->isEnabled());
    const std::pair<const char*, const char*> picks[] = {{"CustomerYearCombo", c.year},
                                                         {"CustomerMonthCombo", c.month},
                                                         {"CustomerDayCombo", c.day},
                                                         {"CustomerHourCombo", c.hour},
                                                         {"CustomerMinCombo", c.minute}};
    for (const auto& [name, text] : picks)
        ASSERT_TRUE(selectText(f.find<QComboBox>(f.front(), name), text)) << name;
    f.click(f.front(), "CustomerSetTime");

    EXPECT_EQ(f.heard().back(), hex(c.wire));
    EXPECT_EQ(f.program.indicator.shown(), Indicator::Grey);  // after the green lamp's time
    EXPECT_FALSE(f.advanced()->isVisible());
    for (const auto& [name, text] : picks)
        EXPECT_EQ(f.text(f.advanced(), name), text) << name;  // the "Setup" lists follow
}

INSTANTIATE_TEST_SUITE_P(
    Clocks, CustomerSend,
    ::testing::Values(ClockCase{"2020", "12", "31", "23", "59", "44 73 23 59 31 12 20"},
                      ClockCase{"2004", "03", "07", "09", "05", "44 73 09 05 07 03 04"},
                      ClockCase{"2099", "01", "01", "00", "00", "44 73 00 00 01 01 99"}));

TEST(TimeLists, OfferEveryYearTheCameraHoldsAndStartAtThePcClock) {
    Forms f;
    auto* year = f.find<QComboBox>(f.front(), "CustomerYearCombo");
    ASSERT_EQ(year->count(), 99);
    EXPECT_EQ(year->itemText(0), "2001");
    EXPECT_EQ(year->itemText(98), "2099");
    EXPECT_EQ(year->currentText(), QString::number(QDate::currentDate().year()));
    auto* hour = f.find<QComboBox>(f.front(), "CustomerHourCombo");
    ASSERT_EQ(hour->count(), 24);
    EXPECT_EQ(hour->itemText(23), "00");
    EXPECT_EQ(f.find<QComboBox>(f.front(), "CustomerMinCombo")->itemText(59), "00");
    EXPECT_EQ(f.program.state.PcYear, QDate::currentDate().year());
}

TEST(OptionsTab, ChangeTimeAsksFirstWhenTheDisplayIsOff) {
    Forms f(camsim::SimCamera::defaultState(), true);
    f.click(f.front(), "ConnectToCamera_btn");
    f.click(f.front(), "AdvFunc_btn");
    f.click(f.advanced(), "Edit_Time_Date");
    EXPECT_TRUE(f.find(f.advanced(), "Year_Combo")->isEnabled());
    selectText(f.find<QComboBox>(f.advanced(), "Year_Combo"), "2010");
    f.click(f.advanced(), "TD_off");
    EXPECT_TRUE(f.checked("No_Change_To_Time_Date"));
    EXPECT_FALSE(f.find(f.advanced(), "Year_Combo")->isEnabled());
    EXPECT_FALSE(f.find(f.advanced(), "Edit_Time_Date")->isEnabled());

    const size_t before = f.heard().size();
    f.dialogs.answers.push_back(MsgAnswer::No);
    f.click(f.advanced(), "ChangeTime_btn");
    EXPECT_EQ(f.heard().size(), before);
    EXPECT_EQ(f.dialogs.shown.back().title, "Error");

    f.dialogs.answers.push_back(MsgAnswer::Yes);
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

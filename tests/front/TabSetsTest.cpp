// Which tabs of the advanced form each way in shows, in both editions, "Next Camera" and exit.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>

#include "FormsFixture.h"
#include "forms/TabRows.h"

namespace {

TEST(TabSets, CustomerEditionShowsSixTabsInOneRow) {
    Forms f;
    f.click(f.front(), "ConnectToCamera_btn");
    f.click(f.front(), "DownloadImages_btn");
    EXPECT_EQ(f.program.advanced.visibleTabCaptions(), QStringList{"Download image"});
    EXPECT_TRUE(f.advanced()->isVisible() && !f.front()->isVisible());
    EXPECT_EQ(f.find<QPlainTextEdit>(f.advanced(), "txtSerial")->toPlainText(),
              "Serial Number:\n10234");
    f.click(f.advanced(), "Close_btn");
    EXPECT_TRUE(!f.advanced()->isVisible() && f.front()->isVisible());

    f.click(f.front(), "AdvFunc_btn");
    EXPECT_EQ(f.program.advanced.visibleTabCaptions(),
              (QStringList{"Start", "Download image", "Status report", "Setup", "Remote control",
                           "Start up screen"}));
    EXPECT_EQ(f.find<TabRows>(f.advanced(), "SSTab1")->rows().size(), 1u);
    EXPECT_FALSE(f.find(f.advanced(), "Sensor_frm")->isVisibleTo(f.advanced()));
    EXPECT_FALSE(f.find(f.advanced(), "ConnectToCameraBtn")->isVisibleTo(f.advanced()));

    f.click(f.advanced(), "Close_btn");
    f.click(f.front(), "Close_btn");
    EXPECT_TRUE(f.program.exitRequested());
    EXPECT_FALSE(f.front()->isVisible());
}

// Every tab in sight: rows of five, none scrolled away, the open tab's row by its page.
TEST(TabSets, FullEditionShowsAllTenInRowsOfFive) {
    Forms f(camsim::SimCamera::defaultState(), true);
    f.click(f.front(), "ConnectToCamera_btn");
    f.click(f.front(), "AdvFunc_btn");
    EXPECT_TRUE(f.find(f.advanced(), "Sensor_frm")->isVisible());
    EXPECT_FALSE(f.find(f.advanced(), "PAL_btn")->isEnabled());
    auto* tabs = f.find<TabRows>(f.advanced(), "SSTab1");
    QStringList shown;
    ASSERT_EQ(tabs->rows().size(), 2u);
    for (QTabBar* row : tabs->rows()) {
        ASSERT_EQ(row->count(), 5);
        for (int k = 0; k < row->count(); ++k) {
            shown << row->tabText(k);
            EXPECT_TRUE(row->rect().contains(row->tabRect(k))) << row->tabText(k).toStdString();
        }
    }
    int barsInSight = 0;
    for (QTabBar* bar : tabs->findChildren<QTabBar*>()) barsInSight += bar->isVisible();
    EXPECT_EQ(barsInSight, 2);
    EXPECT_TRUE(shown.contains("Engineering use") && shown.contains("Start up screen"));
    EXPECT_EQ(tabs->rows().back()->tabText(0), "Start");  // the open tab's row is lowest

    QTabBar* top = tabs->rows().front();
    emit top->tabBarClicked(3);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), top->tabText(3));
    EXPECT_EQ(tabs->rows().back()->tabText(tabs->rows().back()->currentIndex()), top->tabText(3));
    EXPECT_GT(tabs->currentWidget()->mapTo(tabs, QPoint()).y(),
              tabs->rows().back()->geometry().bottom());
    tabs->tabBar()->setEnabled(false);  // a picture transfer locks the strip
    EXPECT_FALSE(tabs->rows().front()->isEnabled());
}

TEST(TabSets, NextCameraReloadsTheForm) {
    Forms f(camsim::SimCamera::defaultState(), true);
    f.click(f.front(), "ConnectToCamera_btn");
    f.click(f.front(), "AdvFunc_btn");
    f.click(f.advanced(), "Status_report_request");
    ASSERT_TRUE(f.find(f.advanced(), "cmdSaveReport")->isEnabled());
    f.find<QTabWidget>(f.advanced(), "SSTab1")->setCurrentIndex(4);
    f.click(f.advanced(), "cmdNextCamera");
    auto* brightness = f.find<QComboBox>(f.advanced(), "LCD_Brightness_user");
    EXPECT_EQ(brightness->count(), 11);
    EXPECT_EQ(brightness->currentText(), "4");
    EXPECT_EQ(f.find<QComboBox>(f.advanced(), "Year_Combo")->count(), 99);
    EXPECT_FALSE(f.find(f.advanced(), "cmdSaveReport")->isEnabled());
    EXPECT_FALSE(f.find(f.advanced(), "cmdPrintReport")->isEnabled());
    EXPECT_EQ(f.find<QTabWidget>(f.advanced(), "SSTab1")->currentIndex(), 0);
    EXPECT_EQ(f.program.state.CameraSerialNumber, 0);
}

}  // namespace

// The history on the desktop: the front screen's line after a connect, and the window the
// advanced form's "Service history" opens.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "history/Location.h"
#include "tests/front/FormsFixture.h"

TEST(ServiceHistory, TheFrontScreenSaysWhenTheCameraWasLastSeenAndTheWindowListsIt) {
    QTemporaryDir dir;
    const QStringList said = [&] {
        QStringList lines;
        for (int visit = 0; visit < 2; ++visit) {
            Forms f;
            f.program.form1.camera().openHistory(history::parseLocation(dir.filePath("h")));
            f.click(f.front(), "ConnectToCamera_btn");
            lines << f.find<QLabel>(f.front(), "LastSeen_lbl")->text();
            f.click(f.advanced(), "ServiceHistory_btn");
            auto* cameras = f.find<QTreeWidget>(f.advanced(), "Cameras_list");
            lines << cameras->topLevelItem(0)->text(0) + " " + cameras->topLevelItem(0)->text(3);
        }
        return lines;
    }();
    ASSERT_EQ(said.size(), 4);
    EXPECT_EQ(said[0], "Service history: this camera is new to this bench.");
    EXPECT_EQ(said[1], "10234 1");
    EXPECT_TRUE(said[2].startsWith("Service history: last seen ")) << said[2].toStdString();
    EXPECT_TRUE(said[2].endsWith("; nothing changed.")) << said[2].toStdString();
    EXPECT_EQ(said[3], "10234 2");
}

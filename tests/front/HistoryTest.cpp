// The history on the desktop: the front screen's line after a connect, and the window the
// advanced form's "Service history" opens.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "history/Location.h"
#include "tests/front/FormsFixture.h"

TEST(ServiceHistory, TheFrontScreenSaysWhenTheCameraWasLastSeenAndTheWindowListsIt) {
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());  // where an unwritten record waits
    QStringList said;
    for (int visit = 0; visit < 2; ++visit) {
        Forms f;
        f.program.form1.camera().openHistory(history::parseLocation(dir.filePath("h")));
        f.click(f.front(), "ConnectToCamera_btn");
        said << f.find<QLabel>(f.front(), "LastSeen_lbl")->text();
        f.click(f.advanced(), "ServiceHistory_btn");
        const QTreeWidgetItem* seen =
            f.find<QTreeWidget>(f.advanced(), "Cameras_list")->topLevelItem(0);
        said << (seen ? seen->text(0) + " " + seen->text(3) : QString());
    }
    ASSERT_EQ(said.size(), 4);
    EXPECT_EQ(said[0], "Service history: this camera is new to this bench.");
    EXPECT_EQ(said[1], "10234 1");
    EXPECT_TRUE(said[2].startsWith("Service history: last seen ")) << said[2].toStdString();
    EXPECT_TRUE(said[2].endsWith("; nothing changed.")) << said[2].toStdString();
    EXPECT_EQ(said[3], "10234 2");

    camsim::CameraState noSerial = camsim::SimCamera::defaultState();
    noSerial.serialNumber = 0;
    for (int visit = 0; visit < 2; ++visit) {  // such cameras are never compared, here or there
        Forms f(noSerial);
        f.program.form1.camera().openHistory(history::parseLocation(dir.filePath("h")));
        f.click(f.front(), "ConnectToCamera_btn");
        EXPECT_TRUE(f.find<QLabel>(f.front(), "LastSeen_lbl")->text().contains("cannot be told"));
        f.click(f.advanced(), "ServiceHistory_btn");
        auto* cameras = f.find<QTreeWidget>(f.advanced(), "Cameras_list");
        EXPECT_LE(cameras->window()->width(), f.advanced()->width());
        const auto found = cameras->findItems("no serial number", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found[0]->text(3), QString::number(visit + 1));
        cameras->setCurrentItem(found[0]);
        auto* visits = f.find<QTreeWidget>(f.advanced(), "Visits_list");
        visits->setCurrentItem(visits->topLevelItem(0));
        EXPECT_TRUE(f.find<QPlainTextEdit>(f.advanced(), "Changes_txt")
                        ->toPlainText()
                        .startsWith("Not compared"));
    }

    Forms f;  // a history that cannot be opened is said where the user looks
    f.program.form1.camera().openHistory(history::parseLocation(dir.filePath("h/in/a/file")));
    f.click(f.front(), "ConnectToCamera_btn");
    EXPECT_TRUE(f.find<QLabel>(f.front(), "LastSeen_lbl")
                    ->text()
                    .startsWith("The service history is not being recorded: "));
}

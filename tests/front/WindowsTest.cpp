// The windows as the user meets them: each keeps the width it opened with whatever its lines
// say, and the history window fits the screen and keeps its layout.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "FormsFixture.h"
#include "camera/PictureStore.h"
#include "forms/ServiceHistoryWindow.h"
#include "history/Location.h"

namespace {

int widthNow(QWidget* window) {
    QApplication::processEvents();  // the layouts settle on posted requests
    return window->width();
}

TEST(Windows, LongLinesTransfersAndTheStartingValuesWidenNoWindow) {
    QTemporaryDir dir;
    Forms f(camsim::SimCamera::defaultState(), true);
    // A history that cannot be opened says why on the front screen, naming its long path.
    f.program.form1.camera().openHistory(
        history::parseLocation(dir.filePath(QString(120, 'h') + "/in/a/file")));
    const int front = widthNow(f.front());
    f.click(f.front(), "ConnectToCamera_btn");
    f.click(f.front(), "DownloadImages_btn");
    const int advanced = widthNow(f.advanced());
    f.click(f.advanced(), "Download_image_");
    ASSERT_TRUE(f.dialogs.saw(images::text::kDownloadSuccessful));
    EXPECT_EQ(widthNow(f.advanced()), advanced);
    f.click(f.advanced(), "Close_btn");
    EXPECT_EQ(widthNow(f.front()), front);
    f.click(f.front(), "AdvFunc_btn");
    f.find<QTabWidget>(f.advanced(), "SSTab1")->setCurrentIndex(Orvik3_main_frm::GeneralTab);
    f.click(f.advanced(), "Start_Up_btn");
    EXPECT_EQ(widthNow(f.advanced()), advanced);

    // The history window fits the screen beside the form it comes from, and Escape closes it.
    f.click(f.advanced(), "ServiceHistory_btn");
    auto* history = f.advanced()->findChild<ServiceHistoryWindow*>();
    ASSERT_TRUE(history && history->isVisible());
    EXPECT_LE(widthNow(history), advanced);
    EXPECT_TRUE(
        QRect(0, 0, 1366, 768)
            .contains(history->frameGeometry().translated(-history->frameGeometry().topLeft())));
    history->resize(history->width() - 50, history->height() - 40);
    const QSize chosen = history->size();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(history->Cameras_list, &escape);
    EXPECT_FALSE(history->isVisible());
    EXPECT_EQ(ServiceHistoryWindow().size(), chosen);  // the next run opens it as it was left
}

}  // namespace

// The windows as the user meets them: each keeps the width it opened with whatever its lines
// say, the history window fits the screen and keeps its layout, and the full edition's details.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include "FormsFixture.h"
#include "camera/PictureStore.h"
#include "forms/ServiceHistoryWindow.h"
#include "forms/TabRows.h"
#include "forms/WidgetDialogs.h"
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
    const QPoint advancedButton = f.find(f.front(), "AdvFunc_btn")->pos();
    f.click(f.front(), "ConnectToCamera_btn");
    widthNow(f.front());
    EXPECT_EQ(f.find(f.front(), "AdvFunc_btn")->pos(), advancedButton);  // "Exit" is not there now
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

// One tab looks open however many rows; "BST new" shows the register's reply as a read does;
// the report prints whole, with no page range to choose.
TEST(Windows, TheFullEditionsStripConsoleAndPrintDialog) {
    Forms f(camsim::SimCamera::defaultState(), true);
    f.click(f.front(), "ConnectToCamera_btn");
    f.click(f.front(), "AdvFunc_btn");
    auto* tabs = f.find<TabRows>(f.advanced(), "SSTab1");
    widthNow(f.advanced());
    auto look = [](QTabBar* bar, int k) {
        const QRect r = bar->tabRect(k);
        return bar->grab().toImage().pixel(r.left() + 6, r.bottom() - 4);
    };
    const QTabBar* front = tabs->rows().back();
    const QRgb open = look(tabs->rows().back(), front->currentIndex());
    int looksOpen = 0;
    for (QTabBar* bar : tabs->rows())
        for (int k = 0; k < bar->count(); ++k) looksOpen += look(bar, k) == open;
    EXPECT_EQ(looksOpen, 1);

    auto* read = f.find<QLineEdit>(f.advanced(), "Rx_data_text");
    read->setText("99");
    f.click(f.advanced(), "BST_btn");
    EXPECT_EQ(read->text(), "6");

    bool pageRange = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog) pageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        if (dialog) dialog->reject();
    });
    QPrinter printer;
    EXPECT_FALSE(WidgetDialogs().choosePrinter(printer));
    EXPECT_FALSE(pageRange);
}

}  // namespace

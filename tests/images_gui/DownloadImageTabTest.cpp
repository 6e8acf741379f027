// The "Download image" tab as a view: each control reaches its operation with what the tab
// holds and shows the result; the designed enable rules.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QTabBar>
#include <QTimer>

#include "PictureForms.h"
#include "app/Wait.h"
#include "images/Render.h"

namespace {

namespace text = images::text;

struct ControlCase {
    QString selected;  // ViewImage_combo before the click
    const char* button;
    MsgAnswer answer;  // to a question
    std::vector<QByteArray> commands;
    std::vector<QString> messages;  // "title: text"
    QString selectedAfter;
};

TEST(DownloadImageTab, EachControlReachesItsOperation) {
    const QByteArray count = bytes({'O', char(0x80)});
    const QString orvik = "Orvik 3: ", tooFew = orvik + text::kTooFewStored;
    const QString deleteOne = text::kDeleteOneTitle + ": " + text::kDeleteOneQuestion;
    const MsgAnswer ok = MsgAnswer::Ok, yes = MsgAnswer::Yes, no = MsgAnswer::No;
    // clang-format off
    const std::vector<ControlCase> cases = {
        {"2", "Download_image_", ok, {"Sf", bytes({'C', 'S', 2})}, {orvik + text::kDownloadSuccessful}, "2"},
        {"2", "DeleteSelection_btn", yes, {bytes({'C', 0x0A, 2}), "Sf"}, {deleteOne}, "2"},
        {"2", "DeleteSelection_btn", no, {"Sf"}, {deleteOne}, "2"},
        {"2", "DeleteAllImages", yes, {"CD", "Sf"}, {"Error: " + text::kDeleteAllQuestion}, "2"},
        {"2", "StoreImage", ok, {"Cc"}, {}, "2"},
        {"Splash", "ViewImage_btn", ok, {count, bytes({'C', 'y', 0})}, {}, "Splash"},
        {"7", "ViewImage_btn", ok, {count}, {tooFew}, "6"},  // refused: the list goes one back
        {"3", "NextImage_btn", ok, {count, bytes({'C', 'y', 4})}, {}, "4"},
        {"5", "NextImage_btn", ok, {count}, {tooFew}, "5"},
        {"26", "NextImage_btn", ok, {count}, {orvik + text::kOnly26}, "26"},
        {"1", "PreviousImage", ok, {count, bytes({'C', 'y', 0})}, {}, "Splash"},
        {"Splash", "PreviousImage", ok, {count}, {orvik + text::kOnly0To26}, "Splash"},
        {"1", "ColourSelectbtn", ok, {"Pf"}, {}, "1"},  // the camera's own palette
    };
    // clang-format on
    for (const ControlCase& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " on " + c.selected.toStdString());
        PictureForms f(cameraWith(c.selected == "26" ? 26 : 5));
        f.select("ViewImage_combo", c.selected);
        f.select("SetupImageColour", "Full colour 1");
        f.dialogs.answers.push_back(c.answer);
        f.click(f.advanced(), c.button);
        EXPECT_EQ(f.commands(), c.commands);
        std::vector<QString> shown;
        for (const auto& m : f.dialogs.shown) shown.push_back(m.title + ": " + m.text);
        EXPECT_EQ(shown, c.messages);
        EXPECT_EQ(f.text(f.advanced(), "ViewImage_combo"), c.selectedAfter);
    }
}

TEST(DownloadImageTab, PictureControlsUnlockWithAPictureAndRecolourUnderTheSameStrip) {
    PictureForms f;
    for (const char* name : {"Image_save_btn", "SelectColourPalette_btn", "Colourise_combo"})
        EXPECT_FALSE(f.find(f.advanced(), name)->isEnabled()) << name;
    // A transfer that never makes a picture leaves them locked.
    camsim::Faults bad;
    bad.corruptRate = 1.0;
    f.camera.setFaults(bad);
    f.retrieve("1");
    EXPECT_FALSE(f.find(f.advanced(), "Image_save_btn")->isEnabled());
    EXPECT_TRUE(f.dialogs.saw(text::kNotAPicture));

    f.camera.setFaults({});
    f.retrieve("2");
    for (const char* name : {"Image_save_btn", "SelectColourPalette_btn", "Colourise_combo",
                             "Download_image_", "ViewImage_combo", "NextImage_btn"})
        EXPECT_TRUE(f.find(f.advanced(), name)->isEnabled()) << name;
    EXPECT_TRUE(f.find(f.advanced(), "SSTab1")->findChild<QTabBar*>()->isEnabled());
    EXPECT_FALSE(f.find(f.advanced(), "ImageProgress")->isVisibleTo(f.advanced()));
    EXPECT_TRUE(f.find<QLabel>(f.advanced(), "lblUpDown")->text().isEmpty());

    const camsim::Picture p = f.camera.state().pictures.at(1);
    f.select("Colourise_combo", "Full colour 1, white");
    f.click(f.advanced(), "SelectColourPalette_btn");
    EXPECT_EQ(f.tab().shownImage(),
              images::RenderStoredImage(p.pixels, 3, images::ImageHeaderFromBytes(p.header),
                                        {true, "C"}));

    QTemporaryDir dir;
    f.dialogs.files = {std::nullopt, FileChoice{dir.filePath("p.bmp"), 1}};
    f.click(f.advanced(), "Image_save_btn");  // cancelled: silent (failed saves: tests/files)
    f.click(f.advanced(), "Image_save_btn");
    EXPECT_EQ(f.dialogs.shown.size(), 2u);
    EXPECT_EQ(QImage(dir.filePath("p.bmp")).convertToFormat(QImage::Format_RGB32),
              f.tab().shownImage());
}

// A picture no two of three downloads agree on is shown only with consent.
TEST(DownloadImageTab, AsksBeforeShowingAnUnverifiedPicture) {
    PictureForms f;
    camsim::Faults damage;
    damage.hiddenDamagePackets = {{5, 3}};
    f.camera.setFaults(damage);
    f.find<QCheckBox>(f.advanced(), "VerifyDownload_chk")->setChecked(true);
    f.dialogs.answers.push_back(MsgAnswer::No);
    f.retrieve("1");
    EXPECT_TRUE(f.dialogs.saw(text::NotVerified(1) + "\r\n\r\nShow it anyway?"));
    EXPECT_FALSE(f.find(f.advanced(), "Image_save_btn")->isEnabled());
    EXPECT_EQ(f.camera.counters().transfersCompleted, 3);
}

// The window's close and "Close" ask while a picture comes, and the open question holds nothing
// up: "Yes" stops the transfer with its end packet and closes, "No" (here after 2.5 s, with the
// camera slowed so the transfer outlasts it) leaves an exact picture and a clean transfer.
TEST(DownloadImageTab, ClosingDuringATransferAsksWithoutStallingIt) {
    const struct {
        bool closeButton;
        MsgAnswer answer;
        int answerAfterMs;
    } cases[] = {
        {false, MsgAnswer::Yes, 0}, {true, MsgAnswer::Yes, 0}, {true, MsgAnswer::No, 2500}};
    const QString question =
        "A picture is still coming from the camera. Stop the transfer and close the window?";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.closeButton);
        PictureForms f;
        camsim::Faults slow;  // 2400 packets, each paused at least 2 ms on the way
        slow.splitChunks = c.answerAfterMs ? 2 : 1;
        slow.splitPauseMs = c.answerAfterMs ? 2 : 0;
        f.camera.setFaults(slow);
        f.dialogs.answers.push_back(c.answer);
        f.dialogs.answerAfterMs = c.answerAfterMs;
        QTimer midway;
        QObject::connect(&midway, &QTimer::timeout, [&] {
            if (f.camera.counters().dataPacketsSent < 100) return;
            midway.stop();
            c.closeButton ? f.click(f.advanced(), "Close_btn") : void(f.advanced()->close());
        });
        midway.start(1);
        f.retrieve("2");
        EXPECT_TRUE(f.dialogs.saw(question));
        EXPECT_EQ(f.dialogs.questionsOpen, 0);  // answered while the picture came
        const bool stopped = c.answer == MsgAnswer::Yes;
        EXPECT_EQ(f.camera.counters().transfersAbandoned, stopped ? 1 : 0);  // the end packet
        EXPECT_EQ(f.advanced()->isVisible(), !stopped);
        EXPECT_EQ(stopRequested(), 0);  // the program goes on
        if (stopped) continue;
        const LinkHealth& h = f.program.state.TransferHealth;
        EXPECT_EQ(std::vector({h.nak1, h.nak2, h.timeouts, h.resends}), std::vector({0, 0, 0, 0}));
        const std::vector<uint8_t> pixels = f.camera.state().pictures.at(1).pixels;
        EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), f.program.state.ImageBuffer.begin()));
        EXPECT_TRUE(f.dialogs.saw(text::kDownloadSuccessful));
    }
}

}  // namespace

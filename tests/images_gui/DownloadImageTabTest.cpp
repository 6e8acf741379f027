// The "Download image" tab as a view: each control reaches its operation with what the tab
// holds and shows the result; the designed enable rules.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTabBar>

#include "PictureForms.h"
#include "images/Palettes.h"
#include "images/Render.h"

namespace {

namespace text = images::text;

struct ControlCase {
    const char* name;
    QString selected;            // ViewImage_combo before the click
    const char* button;
    MsgAnswer answer;            // to a question
    std::vector<QByteArray> commands;
    std::vector<QString> messages;  // "title: text"
    QString selectedAfter;
};

TEST(DownloadImageTab, EachControlReachesItsOperation) {
    const QByteArray count = bytes({'O', char(0x80)});
    const std::vector<ControlCase> cases = {
        {"retrieve", "2", "Download_image_", MsgAnswer::Ok, {"Sf", bytes({'C', 'S', 2})},
         {"Orvik 3: " + text::kDownloadSuccessful}, "2"},
        {"delete", "2", "DeleteSelection_btn", MsgAnswer::Yes, {bytes({'C', 0x0A, 2}), "Sf"},
         {text::kDeleteOneTitle + ": " + text::kDeleteOneQuestion}, "2"},
        {"delete, no", "2", "DeleteSelection_btn", MsgAnswer::No, {"Sf"},
         {text::kDeleteOneTitle + ": " + text::kDeleteOneQuestion}, "2"},
        {"delete all", "2", "DeleteAllImages", MsgAnswer::Yes, {"CD", "Sf"},
         {"Error: " + text::kDeleteAllQuestion}, "2"},
        {"store", "2", "StoreImage", MsgAnswer::Ok, {"Cc"}, {}, "2"},
        {"view", "Splash", "ViewImage_btn", MsgAnswer::Ok, {count, bytes({'C', 'y', 0})}, {},
         "Splash"},
        // Refused: the list goes one back.
        {"view beyond", "7", "ViewImage_btn", MsgAnswer::Ok, {count},
         {"Orvik 3: " + text::kTooFewStored}, "6"},
        {"next", "3", "NextImage_btn", MsgAnswer::Ok, {count, bytes({'C', 'y', 4})}, {}, "4"},
        {"next past the count", "5", "NextImage_btn", MsgAnswer::Ok, {count},
         {"Orvik 3: " + text::kTooFewStored}, "5"},
        {"next from 26", "26", "NextImage_btn", MsgAnswer::Ok, {count},
         {"Orvik 3: " + text::kOnly26}, "26"},
        {"previous", "1", "PreviousImage", MsgAnswer::Ok, {count, bytes({'C', 'y', 0})}, {},
         "Splash"},
        {"previous from splash", "Splash", "PreviousImage", MsgAnswer::Ok, {count},
         {"Orvik 3: " + text::kOnly0To26}, "Splash"},
        {"camera palette", "1", "ColourSelectbtn", MsgAnswer::Ok, {"Pf"}, {}, "1"},
    };
    for (const ControlCase& c : cases) {
        SCOPED_TRACE(c.name);
        PictureForms f(cameraWith(c.selected == "26" ? 26 : 5));
        f.select("ViewImage_combo", c.selected);
        f.select("SetupImageColour", "Full colour 1");
        f.dialogs.answers.push_back(c.answer);
        f.click(f.advanced(), c.button);
        EXPECT_EQ(f.commands(), c.commands);
        std::vector<QString> shown;
        for (const auto& m : f.dialogs.shown) shown.push_back(m.title + ": " + m.text);
        EXPECT_EQ(shown, c.messages);
        EXPECT_EQ(f.selected("ViewImage_combo"), c.selectedAfter);
    }
}

TEST(DownloadImageTab, PictureControlsUnlockWithAPictureAndRecolourUnderTheSameStrip) {
    PictureForms f;
    const char* pictureControls[] = {"Image_save_btn", "SelectColourPalette_btn", "Colourise_combo"};
    for (const char* name : pictureControls) EXPECT_FALSE(f.find(f.advanced(), name)->isEnabled());
    // A transfer that never makes a picture leaves them locked.
    camsim::Faults bad;
    bad.corruptRate = 1.0;
    f.camera.setFaults(bad);
    f.retrieve("1");
    EXPECT_FALSE(f.find(f.advanced(), "Image_save_btn")->isEnabled());
    EXPECT_TRUE(f.dialogs.saw(text::kNotAPicture));

    f.camera.setFaults({});
    f.retrieve("2");
    for (const char* name : pictureControls) EXPECT_TRUE(f.find(f.advanced(), name)->isEnabled());
    for (const char* name : {"Download_image_", "ViewImage_combo", "NextImage_btn"})
        EXPECT_TRUE(f.find(f.advanced(), name)->isEnabled()) << name;
    EXPECT_TRUE(f.find(f.advanced(), "SSTab1")->findChild<QTabBar*>()->isEnabled());
    EXPECT_FALSE(f.find(f.advanced(), "ImageProgress")->isVisibleTo(f.advanced()));
    EXPECT_TRUE(f.find<QLabel>(f.advanced(), "lblUpDown")->text().isEmpty());

    const camsim::Picture picture = f.camera.state().pictures.at(1);
    const auto header = images::ImageHeaderFromBytes(picture.header);
    EXPECT_EQ(f.tab().shownImage(),
              images::RenderStoredImage(picture.pixels, 1, header, {true, "C"}));
    f.select("Colourise_combo", "Full colour 1, white");
    f.click(f.advanced(), "SelectColourPalette_btn");
    EXPECT_EQ(f.tab().shownImage(),
              images::RenderStoredImage(picture.pixels, 3, header, {true, "C"}));

    QTemporaryDir dir;
    f.dialogs.files.push_back(std::nullopt);  // cancelled: silent
    f.click(f.advanced(), "Image_save_btn");
    EXPECT_EQ(f.save(dir.filePath("full.bmp")).convertToFormat(QImage::Format_RGB32),
              f.tab().shownImage());
    f.save(dir.filePath("missing/x.bmp"));
    EXPECT_EQ(f.dialogs.shown.back().title, "Orvik 3: Error");
}

}  // namespace

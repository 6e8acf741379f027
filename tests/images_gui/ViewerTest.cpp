// "View image", Next and Previous: the count query, the range messages, and the show command
// only for a picture the camera holds.
#include <gtest/gtest.h>

#include "PictureForms.h"

namespace {

namespace text = images::text;

struct ViewerCase {
    const char* name;
    int stored;
    QString selected;
    const char* button;
    QString message;  // empty: none
    int shown;        // picture the camera is told to show; -1: no show command
    QString selectedAfter;
};

class Viewer : public ::testing::TestWithParam<ViewerCase> {};

TEST_P(Viewer, AsksTheCountThenShowsOrRefuses) {
    const ViewerCase& c = GetParam();
    PictureForms f(cameraWith(c.stored));
    f.select("ViewImage_combo", c.selected);
    f.click(f.advanced(), c.button);

    std::vector<QByteArray> expected{bytes({'O', char(0x80)})};
    if (c.shown >= 0) expected.push_back(bytes({'C', 'y', char(c.shown)}));
    EXPECT_EQ(f.commands(), expected);
    std::vector<QString> messages;
    for (const auto& m : f.dialogs.shown) messages.push_back(m.title + ": " + m.text);
    EXPECT_EQ(messages, c.message.isEmpty() ? std::vector<QString>{}
                                            : std::vector<QString>{"Orvik 3: " + c.message});
    EXPECT_EQ(f.selected("ViewImage_combo"), c.selectedAfter);
    const camsim::CameraState camera = f.camera.state();
    EXPECT_EQ(camera.shownPicture, c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, Viewer,
    ::testing::Values(
        ViewerCase{"NextFromTheLastPlace", 26, "26", "NextImage_btn", text::kOnly26, -1, "26"},
        ViewerCase{"PreviousFromSplash", 5, "Splash", "PreviousImage", text::kOnly0To26, -1,
                   "Splash"},
        // The next place is empty: refused, and the list returns.
        ViewerCase{"NextPastTheStoredCount", 5, "5", "NextImage_btn", text::kTooFewStored, -1, "5"},
        ViewerCase{"NextFromBeyondTheStoredCount", 5, "7", "NextImage_btn", text::kTooFewStored, -1,
                   "7"},
        ViewerCase{"NextWithinTheStore", 5, "3", "NextImage_btn", {}, 4, "4"},
        ViewerCase{"PreviousToSplash", 5, "1", "PreviousImage", {}, 0, "Splash"},
        ViewerCase{"ViewSplash", 5, "Splash", "ViewImage_btn", {}, 0, "Splash"},
        ViewerCase{"ViewBeyondTheStoredCount", 5, "7", "ViewImage_btn", text::kTooFewStored, -1,
                   "6"}),
    [](const auto& info) { return std::string(info.param.name); });

// After a retrieval the count query gets its reply at once: the camera now holds fewer
// pictures than before, and the viewer knows it.
TEST(ViewerAfterRetrieval, TakesTheFreshCount) {
    PictureForms f;
    f.retrieve("1");
    f.camera.updateState([](camsim::CameraState& s) { s.pictures.resize(2); });
    f.camera.clearLog();
    f.dialogs.shown.clear();
    f.select("ViewImage_combo", "3");
    f.click(f.advanced(), "ViewImage_btn");

    EXPECT_EQ(f.commands(), std::vector<QByteArray>{bytes({'O', char(0x80)})});
    EXPECT_EQ(f.program.state.StoredImageCount, 2);
    EXPECT_FALSE(f.program.state.ImageCountRequested);
    EXPECT_TRUE(f.dialogs.saw(text::kTooFewStored));
}

}  // namespace

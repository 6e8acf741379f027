// Retrieving, recolouring, saving, deleting and storing pictures on the "Download image" tab,
// through the real serial layer to a simulated camera.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTabBar>

#include "PictureForms.h"
#include "images/Palettes.h"
#include "images/Render.h"

namespace {

namespace text = images::text;

// Pixel places of rows 0 to 239 where `image` differs from the camera's bytes through `palette`.
std::vector<int> pictureMismatches(const QImage& image, const std::vector<uint8_t>& pixels,
                                   int palette) {
    const images::ImagePalette colours = *images::LoadImagePalette(palette);
    std::vector<int> out;
    for (int k = 0; k < kImagePixels; ++k) {
        const images::PaletteEntry& e = colours[pixels[k]];
        if (image.pixel(k % kImageWidth, k / kImageWidth) != qRgb(e.red, e.green, e.blue))
            out.push_back(k);
    }
    return out;
}

QImage strip(const QImage& image) {
    return image.copy(0, 240, 320, 50).convertToFormat(QImage::Format_RGB32);
}

// The strip the camera's own header gives; the simulated camera has new firmware.
QImage expectedStrip(const camsim::Picture& picture) {
    const auto header = images::ImageHeaderFromBytes(picture.header);
    return strip(images::RenderStoredImage(picture.pixels, 1, header, {true, "C"}));
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(Retrieve, SavesThePictureAsShownAndRecoloursItUnderTheSameStrip) {
    PictureForms f;
    f.retrieve("2");
    EXPECT_EQ(f.commands(), (std::vector<QByteArray>{"Sf", bytes({'C', 'S', 2})}));
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text, text::kDownloadSuccessful);
    for (const char* name : {"Image_save_btn", "SelectColourPalette_btn", "Colourise_combo",
                             "Download_image_", "ViewImage_combo", "NextImage_btn"})
        EXPECT_TRUE(f.find(f.advanced(), name)->isEnabled()) << name;
    EXPECT_TRUE(f.find(f.advanced(), "SSTab1")->findChild<QTabBar*>()->isEnabled());
    EXPECT_FALSE(f.find(f.advanced(), "ImageProgress")->isVisibleTo(f.advanced()));
    EXPECT_TRUE(f.find<QLabel>(f.advanced(), "lblUpDown")->text().isEmpty());

    QTemporaryDir dir;
    const camsim::Picture picture = f.camera.state().pictures.at(1);
    const QImage grey = f.save(dir.filePath("grey.bmp"));
    ASSERT_EQ(grey.size(), QSize(320, 290));
    EXPECT_TRUE(pictureMismatches(grey, picture.pixels, 1).empty());
    EXPECT_EQ(strip(grey), expectedStrip(picture));

    // Two entries of the colour list that name the same palette write the same file.
    f.select("Colourise_combo", "Full colour 1, white");
    f.click(f.advanced(), "SelectColourPalette_btn");
    const QImage full = f.save(dir.filePath("full.bmp"));
    f.select("Colourise_combo", "Half colour, white");
    f.click(f.advanced(), "SelectColourPalette_btn");
    f.save(dir.filePath("half.bmp"));
    EXPECT_EQ(fileBytes(dir.filePath("full.bmp")), fileBytes(dir.filePath("half.bmp")));
    EXPECT_TRUE(pictureMismatches(full, picture.pixels, 3).empty());
    EXPECT_EQ(strip(full), strip(grey));

    // Recolouring and saving neither ask the camera nor repeat the message.
    EXPECT_EQ(f.commands().size(), 2u);
    EXPECT_EQ(f.dialogs.shown.size(), 1u);
}

TEST(Save, CancellingIsSilentAndAFileThatCannotBeWrittenIsReported) {
    PictureForms f;
    f.retrieve("1");
    f.dialogs.shown.clear();
    QTemporaryDir dir;
    f.dialogs.files.push_back(std::nullopt);
    f.click(f.advanced(), "Image_save_btn");
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    f.save(dir.filePath("no-such-folder/picture.bmp"));
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].title, "Orvik 3: Error");
    EXPECT_TRUE(f.dialogs.shown[0].text.startsWith("The picture could not be saved to"));
}

struct OutcomeCase {
    const char* name;
    std::function<void(camsim::Faults&)> fault;
    bool newPicture;
    std::vector<QString> messages;
    std::pair<int, int> patchedPlaces;  // pixels that may differ from the camera's
};

class TransferOutcome : public ::testing::TestWithParam<OutcomeCase> {};

TEST_P(TransferOutcome, OnlyAWholePictureReplacesTheOneShownAndAPatchIsNeverCalledClean) {
    const OutcomeCase& c = GetParam();
    PictureForms f;
    f.retrieve("1");
    const QImage before = f.tab().shownImage();
    f.dialogs.shown.clear();
    camsim::Faults faults;
    c.fault(faults);
    f.camera.setFaults(faults);
    f.retrieve("2");

    std::vector<QString> shown;
    for (const auto& m : f.dialogs.shown) shown.push_back(m.text);
    EXPECT_EQ(shown, c.messages);
    EXPECT_TRUE(f.find(f.advanced(), "Image_save_btn")->isEnabled());
    EXPECT_TRUE(f.find(f.advanced(), "Download_image_")->isEnabled());
    if (!c.newPicture) {
        EXPECT_EQ(f.tab().shownImage(), before);
        return;
    }
    const auto wrong =
        pictureMismatches(f.tab().shownImage(), f.camera.state().pictures.at(1).pixels, 1);
    for (int k : wrong) {
        EXPECT_GE(k, c.patchedPlaces.first);
        EXPECT_LT(k, c.patchedPlaces.second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, TransferOutcome,
    ::testing::Values(
        OutcomeCase{"BadChecksumsAreRepaired",
                    [](camsim::Faults& q) {
                        q.corruptPackets = {5, 1999, 2399};
                    },
                    true,
                    {text::kDownloadSuccessful},
                    {0, 0}},
        // The lost packet's successor place gets its neighbour's bytes; nothing else is hurt.
        OutcomeCase{"ALostPacketIsPatchedAndSaysSo",
                    [](camsim::Faults& q) { q.skipPackets = {700}; },
                    true,
                    {text::kDownloadSuccessful, text::PatchedPicture(1)},
                    {701 * 32, 702 * 32}},
        OutcomeCase{"RepeatedErrorsAreNotAPicture",
                    [](camsim::Faults& q) { q.corruptRate = 1.0; },
                    false,
                    {text::kNotAPicture},
                    {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

struct StoreCase {
    const char* name;
    bool oldFirmware;
    const char* button;
    MsgAnswer answer;
    QString question, title;
    std::vector<QByteArray> commands;
    size_t picturesAfter;
};

class StoreCommands : public ::testing::TestWithParam<StoreCase> {};

TEST_P(StoreCommands, AskWhereDesignedAndReturnTheCameraToItsScene) {
    const StoreCase& c = GetParam();
    camsim::CameraState camera = camsim::SimCamera::defaultState();
    if (c.oldFirmware) camera.firmwareMajor = 2;
    PictureForms f(camera);
    f.select("ViewImage_combo", "2");
    f.dialogs.answers.push_back(c.answer);
    f.click(f.advanced(), c.button);

    EXPECT_EQ(f.commands(), c.commands);
    EXPECT_EQ(f.camera.state().pictures.size(), c.picturesAfter);
    if (c.question.isEmpty()) return;
    ASSERT_FALSE(f.dialogs.shown.empty());
    EXPECT_EQ(f.dialogs.shown[0].text, c.question);
    EXPECT_EQ(f.dialogs.shown[0].title, c.title);
}

const QByteArray kDeleteTwo = bytes({'C', 0x0A, 2});

INSTANTIATE_TEST_SUITE_P(
    Buttons, StoreCommands,
    ::testing::Values(StoreCase{"DeleteOne",
                                false,
                                "DeleteSelection_btn",
                                MsgAnswer::Yes,
                                text::kDeleteOneQuestion,
                                "Delete image",
                                {kDeleteTwo, "Sf"},
                                4},
                      StoreCase{"DeleteOneAnsweredNo",
                                false,
                                "DeleteSelection_btn",
                                MsgAnswer::No,
                                text::kDeleteOneQuestion,
                                "Delete image",
                                {"Sf"},
                                5},
                      // Old firmware reads its status again to learn the new count.
                      StoreCase{"DeleteOneOldFirmware",
                                true,
                                "DeleteSelection_btn",
                                MsgAnswer::Yes,
                                text::kDeleteOneQuestion,
                                "Delete image",
                                {kDeleteTwo, "Sr", "Is", "Sf"},
                                4},
                      StoreCase{"DeleteAllOldFirmware",
                                true,
                                "DeleteAllImages",
                                MsgAnswer::Yes,
                                text::kDeleteAllQuestion,
                                "Error",
                                {"CD", "Sr", "Is", "Sf"},
                                0},
                      StoreCase{"DeleteAllAnsweredNo",
                                false,
                                "DeleteAllImages",
                                MsgAnswer::No,
                                text::kDeleteAllQuestion,
                                "Error",
                                {"Sf"},
                                5},
                      StoreCase{
                          "StorePicture", false, "StoreImage", MsgAnswer::Ok, {}, {}, {"Cc"}, 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Setup, CameraPaletteAndPolaritySendTheirCommandsButNotDuringAStatusRead) {
    PictureForms f;
    f.select("SetupImageColour", "Full colour 1");
    f.click(f.advanced(), "ColourSelectbtn");
    f.click(f.advanced(), "BlackHot");
    EXPECT_EQ(f.commands(), (std::vector<QByteArray>{"Pf", "Hb"}));
    EXPECT_EQ(f.camera.state().colouration, 5);

    f.program.state.StatusReadBusy = true;
    f.click(f.advanced(), "WhiteHot");
    f.program.state.StatusReadBusy = false;
    EXPECT_EQ(f.commands().size(), 2u);
}

}  // namespace

// The picture operations on the simulated camera, without widgets: the rows each sends, the
// picture pixel for pixel through its palette with its strip, the saved files, and how a
// transfer's health becomes its messages. The csv file is checked end to end (tests/e2e).
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "camera/Pictures.h"
#include "images/Render.h"
#include "tests/images/SimPictures.h"
#include "tests/support/SimLink.h"

namespace {

// The rig with port 1 chosen and the camera's firmware and picture count known, as after a
// status read.
struct CameraLink : CameraRig {
    explicit CameraLink(camsim::CameraState initial = camsim::SimCamera::defaultState())
        : CameraRig(initial) {
        cam.port().setCommPort(1);
        cam.load();
        state.NewFirmware = initial.firmwareMajor >= 3;
        state.OldFirmware = !state.NewFirmware;
        state.StoredImageCount = uint8_t(initial.pictures.size());
    }
    std::vector<QByteArray> commands() const { return commandsHeard(sim); }
};

namespace text = images::text;
using Commands = std::vector<QByteArray>;

// Places of rows 0 to 239 where `image` differs from the camera's bytes through `palette`.
int mismatches(const QImage& image, const std::vector<uint8_t>& pixels, int palette) {
    const images::ImagePalette colours = *images::LoadImagePalette(palette);
    int wrong = 0;
    for (int k = 0; k < kImagePixels; ++k) {
        const images::PaletteEntry& e = colours[pixels[k]];
        wrong += image.pixel(k % kImageWidth, k / kImageWidth) != qRgb(e.red, e.green, e.blue);
    }
    return wrong;
}

TEST(Pictures, DownloadIsExactAndSavesAsShown) {
    CameraLink link(cameraWith(3));
    const camsim::Picture sent = link.sim.state().pictures.at(1);
    const camera::Download d = camera::downloadPicture(link.cam, 2);
    EXPECT_EQ(link.commands(), (Commands{"Sf", bytes({'C', 'S', 2})}));
    ASSERT_TRUE(d.picture);
    EXPECT_EQ(d.result, images::TransferOutcome::Complete);
    ASSERT_EQ(d.outcome.messages.size(), 1u);
    EXPECT_EQ(d.outcome.messages[0].title + ": " + d.outcome.messages[0].text,
              "Orvik 3: " + text::kDownloadSuccessful);
    EXPECT_EQ(d.picture->pixels, sent.pixels);
    EXPECT_EQ(d.health.packets, 2400);

    const QImage full = camera::viewPicture(*d.picture, 3);
    ASSERT_EQ(full.size(), QSize(320, 290));
    EXPECT_EQ(mismatches(full, sent.pixels, 3), 0);
    // The strip follows the camera's header in value form (its pixels: StripTest).
    const QImage strip = images::RenderStoredImage(
        sent.pixels, 1, images::ImageHeaderFromBytes(sent.header), {true, link.state.TempUnitText});
    EXPECT_EQ(full.copy(0, 240, 320, 50), strip.copy(0, 240, 320, 50));

    QTemporaryDir dir;
    QString why;
    ASSERT_TRUE(camera::saveBitmap(full, dir.filePath("p.bmp"), &why));
    EXPECT_EQ(QImage(dir.filePath("p.bmp"), "BMP").convertToFormat(QImage::Format_RGB32), full);
    ASSERT_TRUE(camera::savePng(full, dir.filePath("p.png")));
    EXPECT_EQ(QImage(dir.filePath("p.png"), "PNG").convertToFormat(QImage::Format_RGB32), full);
}

TEST(Pictures, TransferHealthDecidesTheMessages) {
    using O = images::TransferOutcome;
    const std::vector<std::tuple<std::function<void(camsim::Faults&)>, O, std::vector<QString>>>
        cases = {
            // clang-format off
            {[](auto& q) { q.corruptPackets = {5, 2399}; }, O::Complete, {text::kDownloadSuccessful}},
            {[](auto& q) { q.skipPackets = {700}; }, O::Patched,
             {text::kDownloadSuccessful, text::PatchedPicture(1)}},
            {[](auto& q) { q.corruptRate = 1.0; }, O::GaveUp, {text::kNotAPicture}},
            // clang-format on
        };
    for (const auto& [fault, result, messages] : cases) {
        CameraLink link(cameraWith(2));
        camsim::Faults faults;
        fault(faults);
        link.sim.setFaults(faults);
        const camera::Download d = camera::downloadPicture(link.cam, 1);
        EXPECT_EQ(d.result, result);
        std::vector<QString> shown;
        for (const auto& m : d.outcome.messages) shown.push_back(m.text);
        EXPECT_EQ(shown, messages);
        EXPECT_EQ(d.picture.has_value(), result != O::GaveUp);
        EXPECT_FALSE(link.state.DownloadStarted);
    }
    EXPECT_TRUE(
        text::PatchedPicture(1).contains("1 of its 2400 packets was lost on the line and "
                                         "filled in by repeating the packet before it."));
}

// Old firmware counts its pictures only in the status block: the status read comes where the
// count is needed. The plain rows are checked from the tab's controls in DownloadImageTabTest.
TEST(Pictures, OldFirmwareReadsItsStatusForTheCount) {
    using L = CameraLink;
    using Read = std::function<void()>;
    const std::vector<std::tuple<std::function<void(L&, Read)>, Commands, size_t>> cases = {
        // clang-format off
        {[](L& l, Read r) { camera::deletePicture(l.cam, 2, r); },
         {bytes({'C', 0x0A, 2}), "status", "Sf"}, 4},
        {[](L& l, Read r) { camera::deleteAllPictures(l.cam, r); }, {"CD", "status", "Sf"}, 0},
        {[](L& l, Read r) { camera::pictureCount(l.cam, r); }, {"status"}, 5},
        {[](L& l, Read) { camera::setCameraColouration(l.cam, 8); }, {}, 5},  // no such palette
        // clang-format on
    };
    for (const auto& [run, commands, picturesAfter] : cases) {
        CameraLink link(cameraWith(5, 2));
        size_t readAt = 0;
        run(link, [&] { readAt = link.commands().size() + 1; });
        Commands all = link.commands();
        if (readAt) all.insert(all.begin() + readAt - 1, "status");
        EXPECT_EQ(all, commands);
        EXPECT_EQ(link.sim.state().pictures.size(), picturesAfter);
    }
}

// The camera's own colouration: "P" and the letter of the chosen list entry, for each of them.
TEST(Pictures, CameraColourationSendsTheLetterOfEachEntry) {
    CameraLink link;
    for (int entry = 0; entry < 8; ++entry) camera::setCameraColouration(link.cam, entry);
    EXPECT_EQ(link.commands(), (Commands{"Pg", "Pv", "Po", "Pr", "Pc", "Pf", "Ps", "Pt"}));
}

}  // namespace

// The picture operations on the simulated camera, without widgets: the rows each sends, the
// picture pixel for pixel through its palette with its strip, the saved files, and how a
// transfer's health becomes its messages.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "camera/Pictures.h"
#include "images/Render.h"
#include "sim/Scene.h"
#include "tests/images/CameraLink.h"

namespace {

namespace text = images::text;
using Commands = std::vector<QByteArray>;

QByteArray bytes(std::initializer_list<char> b) {
    return QByteArray(b.begin(), int(b.size()));
}

camsim::CameraState cameraWith(int pictures, int firmwareMajor = 3) {
    camsim::CameraState s = camsim::SimCamera::defaultState();
    s.firmwareMajor = uint8_t(firmwareMajor);
    s.pictures.clear();
    for (int n = 1; n <= pictures; ++n) s.pictures.push_back(camsim::syntheticPicture(n, s));
    return s;
}

std::vector<QString> texts(const camera::Outcome& o) {
    std::vector<QString> out;
    for (const auto& m : o.messages) out.push_back(m.title + ": " + m.text);
    return out;
}

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
    EXPECT_EQ(texts(d.outcome), std::vector<QString>{"Orvik 3: " + text::kDownloadSuccessful});
    EXPECT_EQ(d.picture->pixels, sent.pixels);
    EXPECT_EQ(d.health.packets, 2400);

    const QImage full = camera::viewPicture(*d.picture, 3);
    ASSERT_EQ(full.size(), QSize(320, 290));
    EXPECT_EQ(mismatches(full, sent.pixels, 3), 0);
    // The strip follows the camera's header, whatever the palette.
    const QImage grey = camera::viewPicture(*d.picture, 1);
    const QImage strip = images::RenderStoredImage(sent.pixels, 1,
                                                   images::ImageHeaderFromBytes(sent.header),
                                                   {true, link.state.TempUnitText});
    EXPECT_EQ(grey.copy(0, 240, 320, 50), strip.copy(0, 240, 320, 50));
    EXPECT_EQ(full.copy(0, 240, 320, 50), strip.copy(0, 240, 320, 50));

    QTemporaryDir dir;
    QString why;
    ASSERT_TRUE(camera::saveBitmap(full, dir.filePath("p.bmp"), &why));
    EXPECT_EQ(QImage(dir.filePath("p.bmp"), "BMP").convertToFormat(QImage::Format_RGB32), full);
    ASSERT_TRUE(camera::savePng(full, dir.filePath("p.png")));
    EXPECT_EQ(QImage(dir.filePath("p.png"), "PNG").convertToFormat(QImage::Format_RGB32), full);

    const QList<QByteArray> csv = camera::pictureCsv(*d.picture, 2, 8).split('\n');
    EXPECT_EQ(csv[0], "# Orvik 3 picture 2");
    EXPECT_TRUE(csv[7].startsWith("# palette: ") && csv[7].endsWith("(table entry 3)"));
    const qsizetype head = std::count_if(csv.begin(), csv.end(), [](auto& l) { return l.startsWith('#'); });
    ASSERT_EQ(csv.size(), head + 241);  // a final newline
    const QList<QByteArray> lastRow = csv[head + 239].split(',');
    ASSERT_EQ(lastRow.size(), 320);
    EXPECT_EQ(lastRow[319].toInt(), sent.pixels[76799]);
    EXPECT_EQ(csv[head].split(',')[1].toInt(), sent.pixels[1]);
}

struct HealthCase {
    const char* name;
    std::function<void(camsim::Faults&)> fault;
    images::TransferOutcome result;
    std::vector<QString> messages;
};

TEST(Pictures, TransferHealthDecidesTheMessages) {
    const std::vector<HealthCase> cases = {
        {"repaired", [](camsim::Faults& q) { q.corruptPackets = {5, 2399}; },
         images::TransferOutcome::Complete, {text::kDownloadSuccessful}},
        {"patched", [](camsim::Faults& q) { q.skipPackets = {700}; },
         images::TransferOutcome::Patched, {text::kDownloadSuccessful, text::PatchedPicture(1)}},
        {"gave up", [](camsim::Faults& q) { q.corruptRate = 1.0; },
         images::TransferOutcome::GaveUp, {text::kNotAPicture}},
    };
    for (const HealthCase& c : cases) {
        SCOPED_TRACE(c.name);
        CameraLink link(cameraWith(2));
        camsim::Faults faults;
        c.fault(faults);
        link.sim.setFaults(faults);
        const camera::Download d = camera::downloadPicture(link.cam, 1);
        EXPECT_EQ(d.result, c.result);
        std::vector<QString> shown;
        for (const auto& m : d.outcome.messages) shown.push_back(m.text);
        EXPECT_EQ(shown, c.messages);
        EXPECT_EQ(d.picture.has_value(), c.result != images::TransferOutcome::GaveUp);
        EXPECT_FALSE(link.state.DownloadStarted);
    }
}

struct RowCase {
    const char* name;
    int firmwareMajor;
    std::function<void(CameraLink&, std::function<void()>)> run;
    Commands commands;  // "status" marks where the status read came
    size_t picturesAfter;
};

TEST(Pictures, EachOperationSendsItsRows) {
    using L = CameraLink;
    const QByteArray deleteTwo = bytes({'C', 0x0A, 2}), count = bytes({'O', char(0x80)});
    const std::vector<RowCase> cases = {
        {"delete", 3, [](L& l, auto read) { camera::deletePicture(l.cam, 2, read); },
         {deleteTwo, "Sf"}, 4},
        {"delete, old firmware", 2, [](L& l, auto read) { camera::deletePicture(l.cam, 2, read); },
         {deleteTwo, "status", "Sf"}, 4},
        {"delete all, old firmware", 2,
         [](L& l, auto read) { camera::deleteAllPictures(l.cam, read); }, {"CD", "status", "Sf"}, 0},
        {"no to a delete", 3, [](L& l, auto) { camera::returnToNormal(l.cam); }, {"Sf"}, 5},
        {"store", 3, [](L& l, auto) { EXPECT_TRUE(camera::storePicture(l.cam)); }, {"Cc"}, 6},
        {"count", 3, [](L& l, auto) { EXPECT_EQ(camera::pictureCount(l.cam, {}), 5); }, {count}, 5},
        {"count, old firmware", 2,
         [](L& l, auto read) { camera::pictureCount(l.cam, read); }, {"status"}, 5},
        {"show 4", 3, [](L& l, auto) { EXPECT_TRUE(camera::showPictureOnCamera(l.cam, 4).ok); },
         {bytes({'C', 'y', 4})}, 5},
        {"show 6 of 5", 3,
         [](L& l, auto) {
             EXPECT_EQ(texts(camera::showPictureOnCamera(l.cam, 6)),
                       std::vector<QString>{"Orvik 3: " + text::kTooFewStored});
         },
         {}, 5},
        {"camera palette", 3, [](L& l, auto) { camera::setCameraColouration(l.cam, 5); }, {"Pf"}, 5},
        {"no camera palette", 3, [](L& l, auto) { camera::setCameraColouration(l.cam, 8); }, {}, 5},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.name);
        CameraLink link(cameraWith(5, c.firmwareMajor));
        Commands heard;
        const auto readStatus = [&] {
            heard = link.commands();
            heard.push_back("status");
        };
        c.run(link, readStatus);
        Commands all = link.commands();
        if (!heard.empty()) all.insert(all.begin() + heard.size() - 1, "status");
        EXPECT_EQ(all, c.commands);
        EXPECT_EQ(link.sim.state().pictures.size(), c.picturesAfter);
    }
}

}  // namespace

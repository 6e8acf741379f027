// The splash upload on the simulated camera: the camera must end up holding exactly the
// converted picture, and the panel's controls reach their operations. Bad lines and a camera
// that goes away are the fault suite's part.
#include <gtest/gtest.h>

#include <QPushButton>

#include "forms/SplashPanel.h"
#include "images/Bitmap.h"
#include "tests/uploads/UploadLink.h"
#include "uploads/SplashImage.h"

namespace {

QImage scene(int w = 320, int h = 240) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 5 + y, (y * 3) ^ x, x * y));
    return image;
}

std::vector<uint8_t> expectedSplash(const QImage& image) {
    std::vector<uint8_t> out;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const QRgb c = image.pixel(x, y);
            out.push_back(uploads::SplashPixel(qRed(c), qGreen(c), qBlue(c)));
        }
    return out;
}

struct Progress : SplashView {
    void showProgress(bool visible, int value, int) override { shown = visible, last = value; }
    void lockForUpload(bool locked) override { locks.push_back(locked); }
    bool shown = false;
    int last = -1;
    std::vector<bool> locks;
};

std::vector<QString> texts(const camera::Outcome& o) {
    std::vector<QString> out;
    for (const auto& m : o.messages) out.push_back(m.title + ": " + m.text);
    return out;
}

TEST(Splash, CameraHoldsTheConvertedPicture) {
    UploadLink link(1.0);  // the real reply waits
    Progress view;
    SplashUpload upload(link.engine, &view);
    const QString path = link.dir.filePath("splash.bmp");
    images::SaveBitmapFile(path, scene());
    ASSERT_TRUE(upload.load(path).ok);
    EXPECT_EQ(texts(upload.send()), std::vector<QString>{"Orvik 3: " + SplashUpload::kLoaded});
    const camsim::CameraState cam = link.camera().state();
    EXPECT_TRUE(cam.customSplash);
    EXPECT_EQ(cam.splash.pixels, expectedSplash(scene()));
    EXPECT_EQ(link.payloads('S', 'f').size(), 1u);
    EXPECT_EQ(link.payloads('C', 'b').size(), 2400u);
    EXPECT_EQ(view.last, 2400);
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(view.locks, (std::vector<bool>{true, false}));
    EXPECT_FALSE(link.port.portOpen());
}

TEST(Splash, WrongFileIsRefusedAndNothingIsSent) {
    UploadLink link(0.1);
    SplashUpload upload(link.engine);
    const QString big = link.dir.filePath("big.bmp");
    images::SaveBitmapFile(big, scene(640, 480));
    const camera::Outcome refused = upload.load(big);
    ASSERT_FALSE(refused.ok);
    EXPECT_TRUE(refused.messages.at(0).text.contains("a bitmap of 640 x 480 pixels, 24 bits"));
    EXPECT_EQ(texts(upload.send()),
              std::vector<QString>{"Orvik 3: " + SplashUpload::kFormatProblem});
    EXPECT_TRUE(link.camera().receivedPayloads().empty());
}

TEST(SplashPanel, EachControlReachesItsOperation) {
    struct Case {
        bool oldFirmware;
        const char* button;
        std::vector<uint8_t> payload;
    };
    for (const Case& c : {Case{true, "Splash_on_btn", {'C', 'z'}},
                          {true, "Splash_off_btn", {'C', 'z'}},
                          {false, "Splash_on_btn", {'O', 0x8C}},
                          {false, "Splash_off_btn", {'O', 0x8D}},
                          {false, "ViewSplashOnCamera", {'C', 'y', 0}},
                          {false, "Display_Scene", {'S', 'f'}}}) {
        UploadLink link(0.1);
        SplashPanel panel(link.engine);
        link.state().OldFirmware = c.oldFirmware;
        panel.findChild<QPushButton*>(c.button)->click();
        EXPECT_EQ(link.camera().receivedPayloads(), std::vector<std::vector<uint8_t>>{c.payload}) << c.button;
    }
    // "Open" loads what the dialog chose; "Send splash" shows the outcome.
    UploadLink link(0.1);
    SplashPanel panel(link.engine);
    link.dialogs().files.push_back(FileChoice{link.writeFile("x.bmp", "GIF89a, not a bitmap"), 1});
    panel.ui.OpenSplashImage_btn->click();
    panel.ui.SendBMP_To_Camera->click();
    ASSERT_EQ(link.dialogs().shown.size(), 2u);
    EXPECT_TRUE(link.dialogs().shown[0].text.contains("x.bmp"));
    EXPECT_EQ(link.dialogs().shown[1].text, SplashUpload::kFormatProblem);
}

}  // namespace

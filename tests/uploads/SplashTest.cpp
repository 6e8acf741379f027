// The splash upload on the simulated camera: the camera must end up holding exactly the
// converted picture, and the panel's controls reach their operations. Bad lines and a camera
// that goes away are the fault suite's part, bad files tests/files'.
#include <gtest/gtest.h>

#include <QPushButton>

#include "forms/SplashPanel.h"
#include "images/Bitmap.h"
#include "tests/uploads/UploadLink.h"
#include "uploads/SplashImage.h"

namespace {

// A scene and what the camera must hold for it, pixel by pixel.
std::pair<QImage, std::vector<uint8_t>> scene() {
    QImage image(320, 240, QImage::Format_RGB32);
    std::vector<uint8_t> held;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            image.setPixel(x, y, qRgb(x * 5 + y, (y * 3) ^ x, x * y));
            held.push_back(
                uploads::SplashPixel((x * 5 + y) & 255, ((y * 3) ^ x) & 255, (x * y) & 255));
        }
    return {image, held};
}

struct Progress : SplashView {
    void showProgress(bool visible, int value, int) override { shown = visible, last = value; }
    void lockForUpload(bool locked) override { locks.push_back(locked); }
    bool shown = false;
    int last = -1;
    std::vector<bool> locks;
};

TEST(Splash, CameraHoldsTheConvertedPicture) {
    UploadLink link(1.0);  // the real reply waits
    Progress view;
    SplashUpload upload(link.engine, &view);
    const QString path = link.dir.filePath("splash.bmp");
    const auto [image, held] = scene();
    images::SaveBitmapFile(path, image);
    ASSERT_TRUE(upload.load(path).ok);
    const camera::Outcome sent = upload.send();
    ASSERT_EQ(sent.messages.size(), 1u);
    EXPECT_EQ(sent.messages[0].title + ": " + sent.messages[0].text,
              "Orvik 3: " + SplashUpload::kLoaded);
    const camsim::CameraState cam = link.camera().state();
    EXPECT_TRUE(cam.customSplash);
    EXPECT_EQ(cam.splash.pixels, held);
    EXPECT_EQ(link.payloads('S', 'f').size(), 1u);
    EXPECT_EQ(link.payloads('C', 'b').size(), 2400u);
    EXPECT_EQ(view.last, 2400);
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(view.locks, (std::vector<bool>{true, false}));
    EXPECT_FALSE(link.port.portOpen());
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
        EXPECT_EQ(link.camera().receivedPayloads(), std::vector<std::vector<uint8_t>>{c.payload})
            << c.button;
    }
}

}  // namespace

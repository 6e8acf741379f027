// The splash upload against the simulated camera through the real serial layer: the camera
// must end up holding exactly the converted picture, also over a bad line, or the upload must
// end with the comms-error message; never a wrong picture reported as loaded.
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QPushButton>

#include "images/Bitmap.h"
#include "tests/uploads/UploadLink.h"
#include "uploads/SplashImage.h"
#include "forms/SplashPanel.h"

namespace {

QImage scene() {
    QImage image(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) image.setPixel(x, y, qRgb(x * 5 + y, (y * 3) ^ x, x * y));
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

QByteArray requestFor(int block) {
    return QByteArray::fromHex("1002540163") + char(block >> 8) + char(block & 0xFF);
}

// The block a request in this input asks for, -1 when there is none.
int requestedBlock(const QByteArray& in) {
    const int p = in.indexOf(QByteArray::fromHex("1002540163"));
    return p >= 0 && p + 7 <= in.size() ? 256 * uint8_t(in[p + 5]) + uint8_t(in[p + 6]) : -1;
}

struct SplashRig : UploadLink {
    explicit SplashRig(double scale = 0.1) : UploadLink(scale), panel(engine) {
        panel.setProgressBar(&progress);
        path = dir.filePath("splash.bmp");
        images::SaveBitmapFile(path, picture);
    }
    void open(const QString& file) {
        dialogs().files.push_back(FileChoice{file, 1});
        panel.findChild<QPushButton*>("OpenSplashImage_btn")->click();
    }
    void send() { panel.findChild<QPushButton*>("SendBMP_To_Camera")->click(); }
    bool cameraHoldsPicture() {
        const camsim::CameraState s = camera().state();
        return s.customSplash && s.splash.pixels == expectedSplash(picture);
    }

    QImage picture = scene();
    QString path;
    QProgressBar progress;
    SplashPanel panel;
};

TEST(SplashUpload, CleanLineLeavesTheCameraHoldingTheConvertedPicture) {
    SplashRig rig(1.0);  // the real reply waits
    const std::vector<uint8_t> expected = expectedSplash(rig.picture);
    ASSERT_NE(std::count(expected.begin(), expected.end(), 0x10), 0);  // stuffed on the wire
    rig.open(rig.path);
    rig.send();
    EXPECT_TRUE(rig.cameraHoldsPicture());
    EXPECT_TRUE(rig.saw("The splash screen has been loaded successfully"));
    EXPECT_EQ(rig.payloads('S', 'f').size(), 1u);
    EXPECT_EQ(rig.payloads('C', 'b').size(), 2400u);
    EXPECT_EQ(rig.progress.value(), 2400);
    EXPECT_TRUE(rig.progress.isHidden());
    EXPECT_TRUE(rig.panel.findChild<QPushButton*>("SendBMP_To_Camera")->isEnabled());
    EXPECT_FALSE(rig.port.portOpen());
}

TEST(SplashUpload, WrongFileIsRefusedAndNothingIsSent) {
    SplashRig rig;
    const QString big = rig.dir.filePath("big.bmp");
    images::SaveBitmapFile(big, scene().scaled(640, 480));
    rig.open(big);
    ASSERT_EQ(rig.dialogs().shown.size(), 1u);
    EXPECT_TRUE(
        rig.dialogs().shown[0].text.contains("a bitmap of 640 x 480 pixels, 24 bits per pixel"));
    rig.send();
    EXPECT_TRUE(rig.saw("The picture being sent to camera, has problem with it format"));
    EXPECT_TRUE(rig.camera().receivedPayloads().empty());
}

// Damaged blocks, lost, damaged and split requests: each kind twice, spread over the picture.
TEST(SplashUpload, BadLineStillDeliversExactlyThePicture) {
    SplashRig rig;
    int blocks = 0;
    rig.port.onOutput = [&](QByteArray& b) {
        if (b.startsWith(QByteArray::fromHex("100254014362"))) ++blocks;
        if (b.startsWith(QByteArray::fromHex("1003")) && (blocks == 300 || blocks == 2000)) {
            b[2] = char(b[2] ^ 0x01);  // the camera sees a bad checksum and asks again
            ++blocks;
        }
    };
    std::set<int> lost{7, 1500}, damaged{800, 2399}, split{40, 41, 2100};
    rig.port.onInput = [&](const QByteArray& in) -> QByteArray {
        const int k = requestedBlock(in);
        if (lost.erase(k)) return {};
        if (damaged.erase(k)) return QByteArray(in).replace(requestFor(k), requestFor(k ^ 1));
        if (split.erase(k)) {
            const int cut = in.indexOf(requestFor(k)) + (k == 41 ? 8 : 5);
            rig.port.later = in.mid(cut);
            return in.left(cut);
        }
        return in;
    };
    rig.open(rig.path);
    rig.send();
    EXPECT_TRUE(lost.empty() && damaged.empty() && split.empty());
    EXPECT_TRUE(rig.cameraHoldsPicture());
    EXPECT_TRUE(rig.saw("The splash screen has been loaded successfully"));
    EXPECT_EQ(rig.camera().counters().badBlocks, 2);
}

TEST(SplashUpload, CameraGoneEndsWithTheCommsErrorNeverWithSuccess) {
    SplashRig rig(0.02);
    int blocks = 0;
    rig.port.onOutput = [&](QByteArray& b) {
        if (b.startsWith(QByteArray::fromHex("100254014362")) && ++blocks == 2399) {
            camsim::Faults silent;
            silent.silent = true;
            rig.camera().setFaults(silent);
        }
    };
    rig.open(rig.path);
    rig.send();
    EXPECT_TRUE(rig.saw("Splash load comms error"));
    EXPECT_FALSE(rig.saw("The splash screen has been loaded successfully"));
    EXPECT_FALSE(rig.cameraHoldsPicture());
    EXPECT_TRUE(rig.panel.findChild<QPushButton*>("SendBMP_To_Camera")->isEnabled());
}

TEST(SplashButtons, OldFirmwareTogglesWithCzNewFirmwareSetsAndClears) {
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
        SplashRig rig;
        rig.state().OldFirmware = c.oldFirmware;
        rig.panel.findChild<QPushButton*>(c.button)->click();
        ASSERT_EQ(rig.camera().receivedPayloads().size(), 1u) << c.button;
        EXPECT_EQ(rig.camera().receivedPayloads()[0], c.payload) << c.button;
    }
}

}  // namespace

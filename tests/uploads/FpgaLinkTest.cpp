// The FPGA form against the simulated camera: the camera must hold the file's bytes, the last
// block padded; a camera that refuses or falls silent stops the form with a message.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "tests/uploads/UploadLink.h"
#include "forms/FpgaConfigurationForm.h"

namespace {

struct FpgaRig : UploadLink {
    explicit FpgaRig(double scale = 0.25) : UploadLink(scale), form(engine) {
        form.setConversionPath(dir.filePath("FPGA_rbf_conversion.txt"));
        form.setAdvancedFormLocks({&advancedTab});
        for (int i = 0; i < int(rbf.size()); ++i) rbf[i] = char((i * 31) ^ (i >> 8));
        rbf[32 * 3 + 5] = 0x10;  // stuffed on the wire
        path = writeFile("camera.rbf", rbf);
        form.FPGALoaderForm_Click();
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    void click(const char* name) { form.findChild<QPushButton*>(name)->click(); }
    void load(const QString& file) {
        dialogs().files.push_back(FileChoice{file, 1});
        click("Load_Config_file");
    }
    bool formUnlocked() {
        return form.ui.ConfigureFPGA_btn->isEnabled() && form.ui.Load_Config_file->isEnabled() &&
               form.ui.Close_FPGA_Config_form->isEnabled() && advancedTab.isEnabled();
    }
    QByteArray rbf = QByteArray(59216, 0);
    QString path;
    QWidget advancedTab;
    FPGA_configuration_frm form;
};

TEST(FpgaUpload, CameraHoldsTheFileWithTheLastBlockPadded) {
    FpgaRig rig;
    EXPECT_FALSE(rig.advancedTab.isEnabled());
    rig.load(rig.path);
    EXPECT_EQ(rig.form.ui.Label2->text(), "File camera.rbf loaded");
    // Progress as each block goes out: 0 up to block 924, 47 from block 925 on.
    std::vector<int> progressAtBlock;
    rig.port.onOutput = [&](QByteArray& b) {
        if (b.startsWith(QByteArray::fromHex("100254014A62")))
            progressAtBlock.push_back(rig.form.ui.ProgressBar1->value());
    };
    rig.click("ConfigureFPGA_btn");
    const camsim::CameraState cam = rig.camera().state();
    EXPECT_EQ(cam.fpgaImage, std::vector<uint8_t>(rig.rbf.begin(), rig.rbf.begin() + 59215));
    const auto blocks = rig.payloads('J', 'b');
    ASSERT_EQ(blocks.size(), 1851u);
    std::vector<uint8_t> last(rig.rbf.begin() + 59200, rig.rbf.begin() + 59215);
    last.insert(last.end(), 17, 0xAA);
    EXPECT_EQ(std::vector<uint8_t>(blocks.back().begin() + 2, blocks.back().end()), last);
    const std::vector<uint8_t> raw = rig.camera().rawReceived();
    const QByteArray wire(reinterpret_cast<const char*>(raw.data()), qsizetype(raw.size()));
    EXPECT_TRUE(wire.contains(QByteArray("\x4A\x62", 2) + rig.rbf.mid(96, 5) + "\x10\x10" +
                              rig.rbf.mid(102, 4)));
    ASSERT_EQ(progressAtBlock.size(), 1851u);
    EXPECT_EQ(progressAtBlock[924], 0);
    EXPECT_EQ(progressAtBlock[925], 47);
    EXPECT_EQ(rig.form.ui.ProgressBar1->value(), 100);
    EXPECT_EQ(rig.form.ui.Label2->text(), "The FPGA is know configured");
    EXPECT_TRUE(rig.formUnlocked());
    EXPECT_TRUE(rig.dialogs().shown.empty());
}

TEST(FpgaUpload, ConversionsOfTwoLoadsFollowEachOtherInTheTextFile) {
    FpgaRig rig;
    QByteArray first(59216, 0), second(100, 0);
    first[0] = 0x01;
    first[59214] = char(0xF0);
    second[0] = char(0xF0);
    rig.load(rig.writeFile("a.rbf", first));
    rig.load(rig.writeFile("b.rbf", second));
    QFile f(rig.dir.filePath("FPGA_rbf_conversion.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.startsWith("DB 0x80,0x00,"));
    EXPECT_TRUE(text.contains("0x00,0x0F,DB 0x0F,0x00,"));
    EXPECT_EQ(text.count("DB "), 2 * 5922);
    // The short file is loaded as it is, and the user is told.
    ASSERT_EQ(rig.dialogs().shown.size(), 1u);
    EXPECT_TRUE(rig.dialogs().shown[0].text.contains("100 bytes"));
}

TEST(FpgaUpload, ConversionFileThatCannotBeWrittenIsReportedOnceAndLoadingGoesOn) {
    FpgaRig rig;
    rig.form.setConversionPath(rig.dir.filePath("missing/FPGA_rbf_conversion.txt"));
    rig.load(rig.path);
    rig.load(rig.path);
    ASSERT_EQ(rig.dialogs().shown.size(), 1u);
    EXPECT_EQ(rig.dialogs().shown[0].title, "Orvik 3: Error");
    EXPECT_EQ(rig.form.ui.Label2->text(), "File camera.rbf loaded");
}

TEST(FpgaUpload, CameraRefusingTheStartTwentyTimesStopsWithAMessage) {
    FpgaRig rig(0.05);
    camsim::Faults refuse;
    refuse.nakCommands = {"Ja"};
    rig.camera().setFaults(refuse);
    rig.load(rig.path);
    rig.click("ConfigureFPGA_btn");
    EXPECT_EQ(rig.payloads('J', 'a').size(), 20u);
    EXPECT_TRUE(rig.payloads('J', 'b').empty());
    ASSERT_EQ(rig.dialogs().shown.size(), 1u);
    EXPECT_TRUE(rig.dialogs().shown[0].text.contains("refused"));
    EXPECT_NE(rig.form.ui.Label2->text(), "The FPGA is know configured");
    EXPECT_TRUE(rig.formUnlocked());
}

TEST(FpgaUpload, CameraFallingSilentStopsWithAMessage) {
    FpgaRig rig(1.0);  // the real time-outs and pauses
    int blocks = 0;
    rig.port.onOutput = [&](QByteArray& b) {
        if (b.startsWith(QByteArray::fromHex("100254014A62")) && ++blocks == 100) {
            camsim::Faults silent;
            silent.silent = true;
            rig.camera().setFaults(silent);
        }
    };
    rig.load(rig.path);
    rig.click("ConfigureFPGA_btn");
    EXPECT_EQ(blocks, 100);
    ASSERT_EQ(rig.dialogs().shown.size(), 1u);
    EXPECT_TRUE(rig.dialogs().shown[0].text.contains("nothing came for 10 seconds"));
    EXPECT_TRUE(rig.camera().state().fpgaImage.empty());
    EXPECT_TRUE(rig.formUnlocked());
}

}  // namespace

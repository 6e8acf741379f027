// The FPGA configuration on the simulated camera: the camera must hold the file's bytes, the
// last block padded; a camera that refuses or falls silent stops it with a message. The form's
// controls reach the operations and lock the advanced form while it is open.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "forms/FpgaConfigurationForm.h"
#include "tests/uploads/UploadLink.h"

namespace {

QByteArray rbf() {
    QByteArray b(59216, 0);
    for (int i = 0; i < int(b.size()); ++i) b[i] = char((i * 31) ^ (i >> 8));
    b[32 * 3 + 5] = 0x10;  // stuffed on the wire
    return b;
}

TEST(Fpga, CameraHoldsTheFileWithTheLastBlockPadded) {
    UploadLink link(0.25);
    FpgaUpload upload(link.engine);
    const QByteArray file = rbf();
    ASSERT_TRUE(upload.load(link.writeFile("camera.rbf", file), nullptr).ok);
    std::vector<int> progress;  // the value when each block goes out
    int now = 0;
    link.port.onOutput = [&](QByteArray& b) {
        if (b.startsWith(QByteArray::fromHex("100254014A62"))) progress.push_back(now);
    };
    FpgaUpload::Result result{};
    EXPECT_TRUE(upload.configure([&](int v) { now = v; }, &result).ok);
    EXPECT_EQ(result, FpgaUpload::Result::Configured);
    EXPECT_EQ(link.camera().state().fpgaImage,
              std::vector<uint8_t>(file.begin(), file.begin() + 59215));
    const auto blocks = link.payloads('J', 'b');
    ASSERT_EQ(blocks.size(), 1851u);
    std::vector<uint8_t> last(file.begin() + 59200, file.begin() + 59215);
    last.insert(last.end(), 17, 0xAA);
    EXPECT_EQ(std::vector<uint8_t>(blocks.back().begin() + 2, blocks.back().end()), last);
    const std::vector<uint8_t> raw = link.camera().rawReceived();
    const QByteArray wire(reinterpret_cast<const char*>(raw.data()), qsizetype(raw.size()));
    EXPECT_TRUE(
        wire.contains(QByteArray("\x4A\x62", 2) + file.mid(96, 5) + "\x10\x10" + file.mid(102, 4)));
    ASSERT_EQ(progress.size(), 1851u);
    EXPECT_EQ(progress[924], 0);
    EXPECT_EQ(progress[925], 47);
}

// At the real 10 s wait for a block request.
TEST(Fpga, SilentCameraStopsWithAMessage) {
    UploadLink link(1.0);
    FpgaUpload upload(link.engine);
    upload.load(link.writeFile("camera.rbf", rbf()), nullptr);
    int blocks = 0;
    link.port.onOutput = [&](QByteArray& b) {
        camsim::Faults silent;
        silent.silent = true;
        if (b.startsWith(QByteArray::fromHex("100254014A62")) && ++blocks == 100)
            link.camera().setFaults(silent);
    };
    FpgaUpload::Result result{};
    const camera::Outcome done = upload.configure({}, &result);
    EXPECT_EQ(result, FpgaUpload::Result::NoRequest);
    ASSERT_EQ(done.messages.size(), 1u);
    EXPECT_TRUE(done.messages[0].text.contains("nothing came for 10 seconds"));
    EXPECT_TRUE(link.camera().state().fpgaImage.empty());
}

// The clean configuration through the form is the fault suite's first case; here nothing is
// loaded yet (refused, nothing sent), then the camera refuses the start after a good run.
TEST(FpgaForm, ControlsReachTheOperationsAndConversionsFollowEachOther) {
    UploadLink link(0.05);
    QWidget advancedTab;
    FPGA_configuration_frm form(link.engine);
    form.setConversionPath(link.dir.filePath("FPGA_rbf_conversion.txt"));
    form.setAdvancedFormLocks({&advancedTab});
    form.FPGALoaderForm_Click();
    EXPECT_FALSE(advancedTab.isEnabled());
    form.ui.ConfigureFPGA_btn->click();
    EXPECT_TRUE(link.camera().receivedPayloads().empty());
    ASSERT_EQ(link.dialogs().shown.size(), 1u);
    EXPECT_TRUE(link.dialogs().shown[0].text.startsWith("No FPGA configuration file"));
    link.dialogs().shown.clear();
    const auto load = [&](const QString& name, const QByteArray& bytes) {
        link.dialogs().files.push_back(FileChoice{link.writeFile(name, bytes), 1});
        form.ui.Load_Config_file->click();
    };
    QByteArray first(59216, 0), second(59216, 0);
    first[0] = 0x01, second[0] = char(0xF0);
    load("a.rbf", second);
    load("camera.rbf", first);
    EXPECT_EQ(form.ui.Label2->text(), "File camera.rbf loaded");
    QFile log(link.dir.filePath("FPGA_rbf_conversion.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.startsWith("DB 0x0F,0x00,"));
    EXPECT_TRUE(text.contains("0x00,0x00,DB 0x80,"));
    EXPECT_EQ(text.count("DB "), 2 * 5922);

    form.ui.Label2->setText("The FPGA is know configured");  // as a good run leaves it
    camsim::Faults refuse;
    refuse.nakCommands = {"Ja"};
    link.camera().setFaults(refuse);
    form.ui.ConfigureFPGA_btn->click();
    EXPECT_EQ(link.payloads('J', 'a').size(), 20u);
    ASSERT_EQ(link.dialogs().shown.size(), 1u);
    EXPECT_TRUE(
        link.dialogs().shown[0].text.contains("refused to start the FPGA configuration 20"));
    EXPECT_EQ(form.ui.Label2->text(), "File camera.rbf loaded");
    EXPECT_TRUE(form.ui.ConfigureFPGA_btn->isEnabled() && advancedTab.isEnabled());

    // A conversion file that cannot be written is reported once; loading goes on.
    form.setConversionPath(link.dir.filePath("missing/FPGA_rbf_conversion.txt"));
    load("b.rbf", first);
    load("b.rbf", first);
    ASSERT_EQ(link.dialogs().shown.size(), 2u);
    EXPECT_EQ(link.dialogs().shown[1].title, "Orvik 3: Error");
    EXPECT_EQ(form.ui.Label2->text(), "File b.rbf loaded");
}

}  // namespace

// Start-up, connecting and the status read, through the real serial layer to a simulated camera.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include "FormsFixture.h"
#include "link/CommsEngine.h"
#include "sim/StatusBlock.h"
#include "status/SetupReport.h"

namespace {

// A text as a text box holds it, without the date line, which names the moment of the read.
QString withoutDateLine(QString text) {
    QStringList lines = text.replace("\r\n", "\n").split('\n');
    lines.removeAt(2);
    return lines.join('\n');
}

TEST(StartUp, ShowsTheCustomerScreenNotConnected) {
    Forms f;
    EXPECT_TRUE(f.front()->isVisible() && !f.advanced()->isVisible());
    EXPECT_FALSE(f.find(f.advanced(), "Comms")->isVisibleTo(f.advanced()));
    for (const char* name : {"AdvFunc_btn", "TimeDate_btn", "DownloadImages_btn"})
        EXPECT_FALSE(f.find(f.front(), name)->isEnabled()) << name;
    auto* ports = f.find<QComboBox>(f.front(), "CommPort_combo");
    ASSERT_EQ(ports->count(), 2);  // only port 1 is there; the list still offers 1 and 2
    EXPECT_EQ(ports->currentText(), "1");
    EXPECT_TRUE(f.find<QLabel>(f.front(), "PortDevices_lbl")->text().contains(f.path()));
    EXPECT_TRUE(f.program.indicator.lampsLoaded());  // from the program folder, grey
    EXPECT_FALSE(f.find<QLabel>(f.front(), "Picture5")->pixmap().isNull());
}

// A camera far from the defaults: Vox, NTSC, Fahrenheit, two channels, an iris width read as 15.
TEST(Connect, ReadsTheStatusIntoTheReportAndControlsWithoutSendingOptionCommands) {
    camsim::CameraState camera = camsim::SimCamera::defaultState();
    camera.sensorKit = camsim::SensorKit::Vox;
    camera.pal = false;
    camera.tempUnit = 0;
    camera.customerBits = 0;
    camera.txChannels = 2;
    camera.colouration = 5;
    camera.irisPulseWidth = 20;
    Forms f(camera);
    f.click(f.front(), "ConnectToCamera_btn");
    EXPECT_FALSE(f.find(f.front(), "ConnectToCamera_btn")->isVisibleTo(f.front()));
    EXPECT_TRUE(f.find(f.front(), "AdvFunc_btn")->isEnabled() && f.dialogs.shown.empty());
    const auto block = camsim::statusBlock(camera);
    const auto record = decodeStatusBlock(
        QByteArray(reinterpret_cast<const char*>(block.data()), int(block.size())), {});
    EXPECT_EQ(withoutDateLine(f.text(f.advanced(), "RichTextBox1")),
              withoutDateLine(setupReportText(*record, QDateTime::currentDateTime())));

    for (const char* on : {"Zoom_Off", "optF", "WhiteHot", "Graphics_Out", "WhiteText_btn"})
        EXPECT_TRUE(f.checked(on)) << on;
    const char* channels[] = {"Tx_chn1_on", "Tx_chn2_on", "Tx_chn3_on", "Tx_chn4_on"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.find(f.advanced(), channels[i])->isEnabled(), i < 2);
    EXPECT_EQ(f.text(f.advanced(), "IrisPulseCombo"), "15");
    EXPECT_EQ(f.text(f.advanced(), "LCD_Color_user"), QString::number(camera.lcdColour));
    EXPECT_EQ(f.find<QComboBox>(f.advanced(), "SetupImageColour")->currentIndex(), 5);
    // Only the status request went out; the same button chosen by hand does send.
    EXPECT_EQ(f.heard(), std::vector<QByteArray>{"Sr"});
    f.click(f.advanced(), "Zoom_On");
    EXPECT_EQ(f.heard().back(), "Zo");
}

// A silent camera: the screen still connects, save and print stay locked, and a later silent
// read keeps the report it had.
TEST(ConnectFails, ASilentCameraIsACommunicationErrorAndKeepsThePreviousReport) {
    Forms f;
    camsim::Faults silent;
    silent.silent = true;
    f.camera.setFaults(silent);
    f.click(f.front(), "ConnectToCamera_btn");
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text, "Communication error with camera");
    EXPECT_TRUE(f.find(f.front(), "DownloadImages_btn")->isEnabled());
    f.click(f.front(), "AdvFunc_btn");
    f.click(f.advanced(), "Status_report_request");
    EXPECT_FALSE(f.find(f.advanced(), "cmdSaveReport")->isEnabled());
    EXPECT_FALSE(f.find(f.advanced(), "cmdPrintReport")->isEnabled());

    f.camera.setFaults({});
    f.click(f.advanced(), "Status_report_request");
    const QString before = f.text(f.advanced(), "RichTextBox1");
    ASSERT_FALSE(before.isEmpty());
    f.camera.updateState([](camsim::CameraState& c) { c.gain = 99; });
    f.camera.setFaults(silent);
    f.click(f.advanced(), "Status_report_request");
    EXPECT_EQ(f.text(f.advanced(), "RichTextBox1"), before);
    EXPECT_EQ(f.find<QLineEdit>(f.advanced(), "GainText")->text(), "40");
    EXPECT_TRUE(f.find(f.advanced(), "cmdSaveReport")->isEnabled());  // the old report is there
}

TEST(ConnectFails, APortThatWillNotOpenWritesNothing) {
    Forms f(camsim::SimCamera::defaultState(), false, "/dev/orvik3-no-such-device");
    f.click(f.front(), "ConnectToCamera_btn");
    EXPECT_TRUE(f.dialogs.saw("Comm port error, can not select 2"));
    EXPECT_TRUE(f.dialogs.saw("Communication error with camera"));
    EXPECT_TRUE(f.camera.rawReceived().empty());
}

// The note lasts as long as it is true: the read's end takes it away.
TEST(Busy, AClickDuringTheStatusReadIsRefusedWithANote) {
    Forms f;
    camsim::Faults slow;
    slow.replyDelayMs = 100;  // the read waits; the idle time-out is 300 ms
    f.camera.setFaults(slow);
    auto* note = f.find<QLabel>(f.advanced(), "Note_lbl");
    QString noteAtClick;
    QTimer::singleShot(20, [&] {
        f.click(f.advanced(), "CustomerSetTime");
        noteAtClick = note->text();
    });
    f.click(f.front(), "ConnectToCamera_btn");
    EXPECT_EQ(noteAtClick, CommsEngine::kBusyNote);
    EXPECT_EQ(note->text(), QString());
    EXPECT_EQ(f.heard(), std::vector<QByteArray>{"Sr"});
    EXPECT_FALSE(f.text(f.advanced(), "RichTextBox1").isEmpty());
}

TEST(AdvancedConnect, PutsTheSerialNumberAndUnlocksEveryTab) {
    Forms f(camsim::SimCamera::defaultState(), true);
    f.advanced()->show();
    f.click(f.advanced(), "ConnectToCameraBtn");
    EXPECT_EQ(f.find<QPlainTextEdit>(f.advanced(), "txtSerial")->toPlainText(),
              "Serial Number:\n10234");
    EXPECT_EQ(f.text(f.advanced(), "LCD_Brightness_user"), "4");
    EXPECT_FALSE(f.find(f.advanced(), "ConnectToCameraBtn")->isVisible());
}

}  // namespace

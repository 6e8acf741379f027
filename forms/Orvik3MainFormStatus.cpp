// The status read: ask for the camera's status block, decode it into the form's controls and the
// shared values, and show the Camera Setup Summary. Also the two buttons that start it here.
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>

#include "app/Dialogs.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "camera/AppContext.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "link/Packet.h"
#include "link/PortDiscovery.h"
#include "forms/FormWidgets.h"
#include "forms/Orvik3MainForm.h"
#include "forms/ReportView.h"
#include "status/SetupReport.h"

namespace {

// Clears StatusReadBusy and closes the port however the read ends.
class ReadScope {
  public:
    ReadScope(SharedState& s, SerialPort& port) : s_(s), port_(port) { s_.StatusReadBusy = true; }
    ~ReadScope() {
        try {
            if (port_.portOpen()) port_.setPortOpen(false);
        } catch (const CommError&) {
        }
        s_.StatusReadBusy = false;
    }

  private:
    SharedState& s_;
    SerialPort& port_;
};

void select(QRadioButton* on, QRadioButton* off, bool value) {
    (value ? on : off)->setChecked(true);
}

}  // namespace

void Orvik3_main_frm::ReadCameraStatus(bool report) {
    ReadScope scope(ctx_.state, ctx_.engine.port());
    ctx_.state.StatusCommsError = false;  // it tells of the last read, not of any read before
    QByteArray block;
    if (!requestStatusBlock(block)) {
        readFailed();
        return;
    }
    const SharedState& s = ctx_.state;
    const StatusCarryOver previous{s.CameraSerialNumber, s.StatusSerialNumber, s.SerialNumberText,
                                   s.NewFirmware, s.OldFirmware};
    const std::optional<StatusRecord> record = decodeStatusBlock(block, previous);
    // A block the line damaged would show wrong values as the camera's: it counts as no answer.
    if (!record || !record->ChecksumOk) {
        readFailed();
        return;
    }
    applyStatus(*record, report);
}

QString Orvik3_main_frm::statusPortText() const {
    if (ctx_.statusPortText) return ctx_.statusPortText();
    return ui.CommPort_combo->currentText();
}

// Writes the status request and waits for the block. False when the port could not be opened
// (nothing is written then) or the camera did not answer in time.
bool Orvik3_main_frm::requestStatusBlock(QByteArray& block) {
    SerialPort& port = ctx_.engine.port();
    try {
        OpenPortForStatusRequest(port, ctx_.dialogs, ctx_.state.PortPresent, statusPortText());
        if (!port.portOpen()) return false;
        for (const QByteArray& piece : statusRequestWrites(Framing::from(ctx_.state)))
            port.output(piece);
    } catch (const CommError& e) {
        ctx_.engine.reportPortError(e);
        return false;
    }
    block = ctx_.engine.ReceivePacket(kStatusBlockLength);
    return block != kResend && block != kCommsTimeout;
}

void Orvik3_main_frm::readFailed() {
    ctx_.dialogs.message("Communication error with camera", "Orvik 3", MsgIcon::Exclamation);
    ctx_.state.StatusCommsError = true;
    if (ctx_.state.AdvancedConnect) ui.txtSerial->setPlainText("Comms Error");
}

void Orvik3_main_frm::applyStatus(const StatusRecord& r, bool report) {
    SharedState& s = ctx_.state;
    s.CameraSerialNumber = r.CameraSerialNumber;
    s.StatusSerialNumber = r.StatusSerialNumber;
    s.SerialNumberText = r.SerialNumberText;
    s.NewFirmware = r.NewFirmware;
    s.OldFirmware = r.OldFirmware;
    MicroVersionText = r.MicroVersionText;
    applyTxChannelButtons(r.TxChannelCount);
    applyOptionButtons(r);
    s.StoredImageCount = r.StoredImageCount;
    s.StoredImageCountRaw = r.StoredImageCountRaw;
    RunTimeHours = r.RunTimeHours;
    SensorKit = r.SensorKit;
    VideoStandardText = r.VideoStandardText;
    select(ui.optC, ui.optF, r.UnitCelsius);
    s.TempUnitText = r.TempUnitText;
    s.TempUnitLetter = r.TempUnitLetter;
    s.ColourationText = r.ColourationText;
    ui.SetupImageColour->setCurrentIndex(r.ColourationNumber);
    MaxHumidityPercent = r.MaxHumidityPercent;
    MaxHeatsinkCelsius = r.MaxHeatsinkCelsius;
    ui.GainText->setText(QString::number(r.GainValue));
    ui.OffsetText->setText(QString::number(r.OffsetValue));
    if (report) showReport(setupReportText(r, QDateTime::currentDateTime()));

    GainValue = r.GainValue;
    OffsetValue = r.OffsetValue;
    IrisPulseWidthValue = r.IrisPulseWidthValue;
    showInList(ui.IrisPulseCombo, QString::number(IrisPulseWidthValue));
    showInList(ui.LCD_Color_user, QString::number(r.LcdColour));
    showInList(ui.LCD_Brightness_user, QString::number(r.LcdBrightness));
    showInList(ui.LCD_Contrast_user, QString::number(r.LcdContrast));
    SensorKit = r.SensorKitAfterRead;
    if (s.AdvancedConnect) showSerialNumber(s.CameraSerialNumber);
    setCommentsFont(ui.RichTextBox2);
    lastStatus = r;
}

void Orvik3_main_frm::applyOptionButtons(const StatusRecord& r) {
    select(ui.Zoom_On, ui.Zoom_Off, r.CustomerZoom);
    select(ui.TempSen_On, ui.TempSen_Off, r.CustomerSpotDisplay);
    select(ui.TempUnit_C, ui.TempUnit_F, r.CustomerDisplayCelsius);
    select(ui.Transmitter_On, ui.Transmitter_Off, r.CustomerTransmitter);
    select(ui.TimeDate_on, ui.TimeDate_off, r.CustomerTimeDate);
    // The camera does not report these four; the form shows their usual settings.
    for (QRadioButton* b : {ui.WhiteHot, ui.Temp_Bar_Off, ui.Graphics_Out, ui.WhiteText_btn})
        b->setChecked(true);
}

void Orvik3_main_frm::applyTxChannelButtons(int channels) {
    ui.TxOff->setEnabled(true);
    QPushButton* buttons[] = {ui.Tx_chn1_on, ui.Tx_chn2_on, ui.Tx_chn3_on, ui.Tx_chn4_on};
    for (int i = 0; i < 4; ++i) buttons[i]->setEnabled(i + 1 <= channels);
}

void Orvik3_main_frm::showReport(const QString& text) {
    showScreenReport(ui.RichTextBox1, text);
}

void Orvik3_main_frm::showSerialNumber(int32_t number) {
    ui.txtSerial->setPlainText("Serial Number:\n" + QString::number(number));
}

void Orvik3_main_frm::Status_report_request_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    ReadCameraStatus(true);
    if (!ui.RichTextBox1->toPlainText().isEmpty()) {
        ui.cmdSaveReport->setEnabled(true);
        ui.cmdPrintReport->setEnabled(true);
    }
    ctx_.state.CommandIndex = Row::StatusFollowUp;
    Constants(ctx_.state);
    ctx_.engine.Transmit();
}

void Orvik3_main_frm::ConnectToCameraBtn_Click() {
    if (ctx_.engine.refuseWhileBusy()) return;
    SharedState& s = ctx_.state;
    s.AdvancedConnect = true;
    s.CameraSerialNumber = 0;
    ReadCameraStatus(true);
    const int32_t number = s.CameraSerialNumber;
    if (number <= 15000) {
        if (ctx_.serialNumberEntry) ctx_.serialNumberEntry(number, false);
        ui.txtSerial->setPlainText(
            "Serial Number:\n" +
            (s.CameraSerialNumber == 0 ? QString("Error") : QString::number(s.CameraSerialNumber)));
        showInList(ui.IrisPulseCombo, QString::number(IrisPulseWidthValue));
        for (QComboBox* c : {ui.LCD_Brightness_user, ui.LCD_Color_user, ui.LCD_Contrast_user})
            selectText(c, "4");
    } else {
        s.CameraSerialNumber = 0;
        s.SerialNumberText = "Not Specified";
        if (ctx_.serialNumberEntry) ctx_.serialNumberEntry(number, true);
    }
    if (s.StatusCommsError) {
        ui.OffsetText->setText("0");
        ui.GainText->setText("0");
        ui.HumOffThresholdCombo->setEditText("75");
        ui.HumOnThresholdCombo->setEditText("80");
    }
    for (int tab = 0; tab < kTabCount; ++tab) setTabEnabled(tab, true);
    ui.ConnectToCameraBtn->hide();
    s.AdvancedConnect = false;
}

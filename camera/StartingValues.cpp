#include "camera/StartingValues.h"

#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Clock.h"
#include "camera/Recording.h"
#include "camera/Thresholds.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "status/StatusRecord.h"

namespace camera {

namespace {

// Row 14 carries the byte 1 in its unsent first column.
constexpr int kRowHr = 14;
constexpr int kRowTempC = 58, kRowGraphicsOut = 98, kRowTimeDateOn = 42, kRowZoomOn = 23;
constexpr int kRowTempSensorOn = 40, kRowTransmitterOn = 8, kRowScaleBarOn = 95;

}  // namespace

void sendStartingValues(Camera& camera, const ClockValues& clock, DisplayOptions options,
                        const std::function<void(int)>& progress) {
    Recording recording(camera);  // the whole sequence written in one transaction
    auto step = [&](int value) {
        if (progress) progress(value);
    };
    SharedState& s = camera.state();
    sendGain(camera, Start::Gain);
    sendOffset(camera, Start::Offset, false);  // goes out as 150
    sendTimeDate(camera, clock);
    options.timeDateOn = true;
    sendOptions(camera, options);
    sendTxChannels(camera, Start::TxChannels);
    step(4);
    sendIrisPulseWidth(camera, Start::IrisWidth);
    step(5);
    sendLcd(camera, Start::Lcd, Start::Lcd, Start::Lcd);
    sendPictureColour(camera, Start::PictureColour);
    step(6);
    s.CommandTable[kRowHr][0] = 1;
    s.CommandTable[kRowHr][1] = 'H';
    s.CommandTable[kRowHr][2] = 'r';
    sendRowAsIs(camera, kRowHr);
    step(7);
    // "Enabled" then "Disabled"; each heatsink fill for the high option, then the low one.
    for (OptionPair warning : {OptionPair::First, OptionPair::Second})
        sendHumidityThreshold(camera, warning);
    for (bool secondFill : {false, true})
        for (OptionPair threshold : {OptionPair::Second, OptionPair::First})
            sendHeatsinkFill(camera, threshold, secondFill);
    step(10);
    for (int row : {kRowTempC, kRowGraphicsOut, kRowTimeDateOn}) sendFixedRow(camera, row);
    step(12);
    for (int row : {kRowZoomOn, kRowTempSensorOn, kRowTransmitterOn}) sendFixedRow(camera, row);
    HumidityFlagConstans(s);
    s.CommandIndex = Row::HumidityFlag;
    transmitRecorded(camera);
    for (int row : {kRowScaleBarOn, Resets::WriteNvr}) sendFixedRow(camera, row);
}

QString startingValuesText(const StatusRecord& r) {
    return QString(
               "gain %1, offset %2, iris pulse width %3, LCD colour %4, brightness %5, contrast "
               "%6, %7, %8 transmitter channels, thresholds %9")
        .arg(r.GainValue)
        .arg(r.OffsetValue)
        .arg(r.IrisPulseWidthValue)
        .arg(r.LcdColour)
        .arg(r.LcdBrightness)
        .arg(r.LcdContrast)
        .arg(r.ColourationText)
        .arg(r.TxChannelCount)
        .arg(QString("%1 %2 %3 %4 %5 %6")
                 .arg(r.HumidityOnThreshold)
                 .arg(r.HumidityOffThreshold)
                 .arg(r.OverTempLowOnThreshold)
                 .arg(r.OverTempLowOffThreshold)
                 .arg(r.OverTempHighOnThreshold)
                 .arg(r.OverTempHighOffThreshold));
}

bool showsStartingValues(const StatusRecord& r) {
    StatusRecord expected = r;
    expected.GainValue = 40, expected.OffsetValue = 150, expected.IrisPulseWidthValue = 8;
    expected.LcdColour = expected.LcdBrightness = expected.LcdContrast = 5;
    expected.ColourationText = "Grey scale", expected.TxChannelCount = 4;
    expected.HumidityOnThreshold = 673, expected.HumidityOffThreshold = 641;
    expected.OverTempLowOnThreshold = 473, expected.OverTempLowOffThreshold = 526;
    expected.OverTempHighOnThreshold = 379, expected.OverTempHighOffThreshold = 424;
    return startingValuesText(r) == startingValuesText(expected);
}

}  // namespace camera

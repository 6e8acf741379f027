#include <gtest/gtest.h>

#include "status/SetupReport.h"
#include "status/StatusRecord.h"
#include "tests/status/StatusBlocks.h"

namespace {

// Written out by hand; "|" stands for CR LF, "~" for the tab.
const char kBstReport[] = R"(Orvik®3 Camera Setup Summary|
|
Date:~Dec/06/2024, 17:34:05|
|
|
Serial Number: 1234|
|
Camera Micro Version:           = v3.2|
Camera FPGA Version:            = v7|
Camera Lens FPGA Version        = v5|
|
Sensor Selected:                = BST 200|
NTSC or PAL:                    = PAL|
|
Camera Run Time (Hours):        = 100 Hrs|
Camera Run Time (Mins):         = 5 Mins|
|
Humidity state:                 = Enabled|
Max Humidity Level (EVER):      = 62 %|
Humidity reading now:           = 40 %|
|
Max Heatsink Temperature (EVER):= 42.6 °C|
Heatsink reading now:           = 26.5 °C|
|
Gain Settings:                  = 12|
Offset Settings:                = 34|
|
LCD colour value:               = 4|
LCD brightness value:           = 6|
LCD contrast:                   = 8|
|
Iris Pulse Width settings:      = 9|
|
Cold Starts:                    = 16|
Warm Starts:                    = 300|
|
Factory Amb temp setting:       = OFF|
Factory Spot temp setting:      = ON|
Factory Tx Settings:            = ON|
Factory Tx number of channels:  = 3|
|
Customer Zoom Settings:         = ON|
Customer Time/Date Settings:    = ON|
Customer Amb Sensor Settings:   = OFF|
Customer Spot Sensor Settings:  = ON|
Customer Tx on/ off state:      = ON|
|
Picture colouration:            = Full colour|
|
Custom splash screen state:     = ON|
Number of pictures stored:      = 3|
|
Temperture units:               = Degrees C|
|
Warning error:                  = No failure listed|
|
Humidity ADC on threshold:                 = 640|
Humidity ADC off threshold:                = 600|
|
Over temperature ADC low on threshold:     = 256|
Over temperature ADC low off threshold:    = 240|
Over temperature ADC high on threshold:    = 800|
Over temperature ADC high off threshold:   = 768|
)";

QString expected(const char* handWritten) {
    QString text = QString::fromUtf8(handWritten);
    return text.remove(u'\n').replace(u'|', QStringLiteral("\r\n")).replace(u'~', u'\t');
}

const QDateTime kNow(QDate(2024, 12, 6), QTime(17, 34, 5));

QString report() {
    return setupReportText(*decodeStatusBlock(statusBlock(), {}), kNow);
}

TEST(SetupReport, BstCameraCharacterForCharacter) {
    EXPECT_EQ(report().toStdString(), expected(kBstReport).toStdString());
}

// The screen's runs and the saved or printed ones: title, blank line, date line, body.
TEST(SetupReport, StyledRunsCoverTitleAndDateLine) {
    const QString text = report();
    const StyledRuns screen = reportScreenRuns(text);
    const StyledRuns output = reportOutputRuns(reportOutputText(text, "x"));
    ASSERT_EQ(screen.size(), 4u);
    ASSERT_EQ(output.size(), 4u);
    EXPECT_EQ(plainText(screen), text);
    EXPECT_EQ(screen[0].text, "Orvik\u00ae3 Camera Setup Summary");
    EXPECT_EQ(screen[2].text, "Date:\tDec/06/2024, 17:34:05\r\n");
    EXPECT_TRUE(output[3].text.endsWith("Comments:\r\nx"));
    const std::pair<TextStyle, TextStyle> styles[] = {
        {{"Tahoma", 18.0, true, true}, {"Tahoma", 24.0, true, false}},
        {{"Tahoma", 10.0, true, false}, {"Tahoma", 12.0, true, false}},
        {{"Courier New", 8.5, false, false}, {"Courier New", 12.0, true, false}}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(screen[i ? i + 1 : 0].style, styles[i].first) << i;
        EXPECT_EQ(output[i ? i + 1 : 0].style, styles[i].second) << i;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "status/SetupReport.h"
#include "status/StatusRecord.h"
#include "tests/status/StatusBlocks.h"

namespace {

StatusRecord decode(ByteEdits edits, const StatusCarryOver& previous = {}) {
    const auto record = decodeStatusBlock(statusBlock(edits), previous);
    EXPECT_TRUE(record.has_value());
    return record.value_or(StatusRecord{});
}

// What the summary shows for a block changed from the plain camera of StatusBlocks.h.
struct ShownCase {
    ByteEdits edits;
    const char* shown;
};

const ShownCase kShown[] = {
    {{{5, 0}, {6, 0}}, "Serial Number: Not Specified\r\n"},
    {{{23, 0x83}}, "= Vox\r\nNTSC or PAL:                    = PAL\r\n"},
    {{{23, 0x04}}, "= Sensor kit type is not listed\r\nNTSC or PAL:                    = NTSC"},
    {{{23, 0x03}, {39, 0}, {40, 0}},
     "= Reading not specified\r\nGain Settings:                  = BST Only \r\n"
     "Offset Settings:                = BST Only \r\n\r\nLCD"},
    {{{23, 0x02}, {35, 1}}, "Warning error:                  = Lens fail\r\n"},
    {{{23, 0x01}, {35, 1}}, "Warning error:                  = Asi sensor interface error\r\n"},
    {{{23, 0x03}, {35, 1}}, "Warning error:                  = No failure listed\r\n"},
    {{{17, 20}}, "Iris Pulse Width settings:      = 15\r\n"},
    {{{34, 0xFF}}, "Number of pictures stored:      = 26\r\n"},
    {{{34, 27}}, "Number of pictures stored:      = 26\r\n"},
    {{{34, 0x2A}}, "Number of pictures stored:      = 10\r\n"},
    {{{11, 0xFF}, {36, 0xFF}}, "Camera Run Time (Hours):        = 65535 Hrs\r\n"},
    {{{25, 0xFF}, {26, 0x07}}, "Max Humidity Level (EVER):      = 100 %\r\n"},
    {{{25, 186}, {26, 0}}, "Max Humidity Level (EVER):      = 4 %\r\n"},  // 3.5
    {{{25, 180}, {26, 0}}, "Max Humidity Level (EVER):      = 2 %\r\n"},  // 2.5
    {{{25, 161}, {26, 0}}, "Max Humidity Level (EVER):      = 0 %\r\n"},  // -0.5
    {{{37, 0}, {38, 0}}, "Humidity reading now:           = Reading not specified\r\n"},
    {{{37, 164}, {38, 0}}, "Humidity reading now:           = Reading not specified\r\n"},
    {{{37, 165}, {38, 0}}, "Humidity reading now:           = 0.2 %\r\n"},
    {{{37, 0x20}, {38, 0x03}}, "Humidity reading now:           = 100 %\r\n"},
    {{{13, 0}, {14, 0}}, "(EVER):= 0 \u00b0C\r\n"},
    {{{39, 0}, {40, 0}}, "Heatsink reading now:           = Reading not specified\r\n"},
    {{{39, 0x14}, {40, 0x05}}, "Heatsink reading now:           = Reading not specified\r\n"},
    {{{39, 0xFF}, {40, 0xFF}}, "Heatsink reading now:           = Reading not specified\r\n"},
    {{{41, 0x12}, {42, 0x34}}, "Humidity ADC on threshold:                 = 1023\r\n"},
    {{{43, 0x03}, {44, 0xFF}}, "Humidity ADC off threshold:                = 1023\r\n"},
    {{{45, 0x03}, {46, 0xFE}}, "Over temperature ADC low on threshold:     = 1022\r\n"},
    {{{53, 0xC7}}, "Picture colouration:            = Grey scale\r\n"},
    {{{53, 0x38}}, "Picture colouration:            = Full colour 3\r\n"},
    {{{22, 0x03}}, "Tx Settings:            = OFF\r\nFactory Tx number of channels:  = 0\r\n"},
    {{{22, 0x70}}, "Tx Settings:            = ON\r\nFactory Tx number of channels:  = 7\r\n"},
    {{{31, 2}}, "Temperture units:               = Degrees F\r\n"},
    {{{24, 2}}, "Humidity state:                 = Disabled\r\n"},
};

TEST(StatusDecode, SummaryShowsDecodedValues) {
    const QDateTime now(QDate(2024, 1, 2), QTime(3, 4, 5));
    for (const ShownCase& c : kShown) {
        SCOPED_TRACE(c.shown);
        EXPECT_TRUE(setupReportText(decode(c.edits), now).contains(QString::fromUtf8(c.shown)));
    }
}

TEST(StatusDecode, ValuesKeptForOtherScreens) {
    const StatusRecord r = decode({{23, 0x02}, {34, 0xFF}, {31, 0}, {22, 0x10}});
    EXPECT_EQ(r.SensorKitAfterRead, "New BST");
    EXPECT_EQ(decode({{23, 0x03}}).SensorKitAfterRead, "Vox");
    EXPECT_EQ(r.StoredImageCountRaw, 255);
    EXPECT_EQ(r.TempUnitLetter, 102);
    EXPECT_EQ(decode({}).TempUnitLetter, 99);
    EXPECT_TRUE(r.TxChannelButtonEnabled(1));
    EXPECT_FALSE(r.TxChannelButtonEnabled(2));
    EXPECT_FALSE(decodeStatusBlock(statusBlock().left(56), {}).has_value());
}

TEST(StatusDecode, SerialNumberCarriesOver) {
    const StatusRecord kept = decode({{5, 0}, {6, 0}}, {4321, 4321, QString(), false, false});
    EXPECT_EQ(kept.CameraSerialNumber, 4321);
    EXPECT_EQ(kept.StatusSerialNumber, 4321);
    const StatusRecord fresh = decode({}, {4321, 4321, QStringLiteral("Not Specified")});
    EXPECT_EQ(fresh.CameraSerialNumber, 1234);
    EXPECT_EQ(fresh.StatusSerialNumber, 1234);
}

TEST(StatusDecode, FirmwareFlags) {
    struct Case {
        int major, minor;
        bool wasNew, wasOld, isNew, isOld;
    };
    const Case cases[] = {{2, 9, true, false, false, true},
                          {3, 1, false, true, false, true},
                          {3, 0, true, false, true, false},
                          {3, 2, false, true, true, false},
                          {4, 7, false, true, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.major << "." << c.minor);
        const StatusRecord r = decode({{8, c.major}, {9, c.minor}}, {0, 0, {}, c.wasNew, c.wasOld});
        EXPECT_EQ(r.NewFirmware, c.isNew);
        EXPECT_EQ(r.OldFirmware, c.isOld);
    }
}

TEST(AdcConversion, RoundsHalfToEvenOnExactValues) {
    // 561 is 62.4828 -> 62.5; heatsink near ties: 238 is 100.25003, 509 is 66.64997.
    const std::pair<int, double> humidity[] = {{0, 0.0},    {164, 0.0},  {165, 0.2},
                                               {161, -0.5}, {561, 62.5}, {1023, 135.2}};
    for (const auto& [count, percent] : humidity)
        EXPECT_EQ(HumidityFromAdc(count), percent) << count;
    const std::pair<int, double> heatsink[] = {{0, 0.0},     {238, 100.3},  {509, 66.6},
                                               {1000, 26.5}, {1351, -70.5}, {1352, 0.0}};
    for (const auto& [count, celsius] : heatsink)
        EXPECT_EQ(HeatsinkTempFromAdc(count), celsius) << count;
}

}  // namespace

#include <gtest/gtest.h>

#include <random>

#include "app/SharedState.h"
#include "link/CommandTable.h"
#include "link/Packet.h"

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

QByteArray frameOfRow(SharedState& s, int row) {
    return buildCommandFrame(&s.CommandTable[row][1], s.CommandLength + 1, Framing::from(s)).whole();
}

TEST(CommandFrame, GoesOutInThreePiecesWithStuffingAndChecksum) {
    const uint8_t sf[] = {'S', 'f'};
    const CommandFrame f = buildCommandFrame(sf, 2);
    EXPECT_EQ(f.whole(), hex("FF FF FF FF FF 10 02 54 01 53 66 10 03 60 9F"));
    EXPECT_EQ(f.head, hex("FF FF FF FF FF 10 02 54 01"));
    ASSERT_EQ(f.body.size(), 2u);
    EXPECT_EQ(f.trailer, hex("10 03 60 9F"));

    // A DLE command byte is doubled on the wire but counted once in the checksum.
    const uint8_t withDle[] = {'A', 0x10};
    const CommandFrame d = buildCommandFrame(withDle, 2);
    EXPECT_EQ(d.body[1], hex("10 10"));
    EXPECT_EQ(d.trailer, hex("10 03") + QByteArray(1, char(0x54 ^ 0x01 ^ 0x41 ^ 0x10)) +
                             QByteArray(1, char(0xFF - (0x54 ^ 0x01 ^ 0x41 ^ 0x10))));

    // A checksum of 16 goes out once: 54 ^ 01 ^ 41 ^ 04 = 10 (the write-safe command).
    const uint8_t sum16[] = {'A', 0x04};
    EXPECT_EQ(buildCommandFrame(sum16, 2).trailer, hex("10 03 10 EF"));
}

TEST(ControlPackets, MatchTheirFixedBytesAndCheckAsValid) {
    EXPECT_EQ(ackPacket(), hex("10 02 54 01 43 06 10 03 10 EF"));
    EXPECT_EQ(nakPacket(), hex("10 02 54 01 43 15 10 03 03 FC"));
    EXPECT_EQ(nak1Packet(), hex("10 02 54 01 43 15 01 10 03 02 FD"));
    EXPECT_EQ(nak2Packet(), hex("10 02 54 01 43 15 02 10 03 01 FE"));
    const auto end = endOfTransferWrites();
    ASSERT_EQ(end.size(), 3u);
    EXPECT_EQ(end[0] + end[1] + end[2], hex("10 02 54 01 43 78 10 03 6E 91"));
    const auto status = statusRequestWrites();
    EXPECT_EQ(status[0] + status[1] + status[2], hex("10 02 54 01 53 72 10 03 74 8B"));
    for (const QByteArray& p : {cameraAck(), cameraNak(), cameraCan()}) {
        QByteArray result;
        EXPECT_TRUE(CheckPacket(p, p.size(), result)) << p.toHex().constData();
    }
}

TEST(CheckPacket, ChecksumRulesAndResultWords) {
    QByteArray packet = hex("10 02 FF FF") + QByteArray(32, 7) + hex("10 03");
    uint8_t sum = 0;
    for (int i = 2; i < 36; ++i) sum ^= uint8_t(packet[i]);
    packet += char(sum);
    packet += char(0x42);  // wrong complement: not examined
    QByteArray result;
    EXPECT_TRUE(CheckPacket(packet, 40, result));
    EXPECT_EQ(result, "none");
    packet[10] = char(packet[10] ^ 1);
    EXPECT_FALSE(CheckPacket(packet, 40, result));

    for (const QByteArray& word : {QByteArray(), kResend, kCommsTimeout}) {
        result = "x";
        EXPECT_FALSE(CheckPacket(word, 40, result));
        EXPECT_EQ(result, word);
    }
}

TEST(CheckPacket, NeverReadsPastAShortOrRandomText) {
    std::mt19937 rng(7);
    QByteArray result;
    for (int n = 0; n < 2000; ++n) {
        QByteArray text(int(rng() % 60), 0);
        for (char& c : text) c = char(rng());
        CheckPacket(text, 40, result);
        CheckPacket(text, 57, result);
        CheckPacket(text, int(rng() % 80), result);
    }
    SUCCEED();
}

TEST(CommandTable, FixedRowsAndRowsRewrittenByFillers) {
    SharedState s;
    Constants(s);
    EXPECT_EQ(frameOfRow(s, 3), hex("FF FF FF FF FF 10 02 54 01 53 66 10 03 60 9F"));
    BSTGain_Constants(s, "200");
    s.CommandIndex = 17;
    EXPECT_EQ(frameOfRow(s, 17).mid(9, 3), QByteArray("Bg\xC8", 3));
    Constants(s);
    EXPECT_EQ(frameOfRow(s, 17).mid(9, 2), QByteArray("Ic"));
    EXPECT_EQ(frameOfRow(s, 107).mid(9, 3), hex("41 10 10"));  // DLE doubled
    EXPECT_EQ(frameOfRow(s, 118).mid(9, 2), QByteArray("Cc"));

    SerialNumber_Constants(s, 0x1234);
    EXPECT_EQ(frameOfRow(s, 63).mid(9, 5), hex("53 6E 34 12 00"));

    TxChannel_Constants(s, "3");
    EXPECT_EQ(frameOfRow(s, 49).mid(9, 3), hex("54 6F 03"));
    TxChannel_Constants(s, "7");  // not a channel choice: the row stays
    EXPECT_EQ(frameOfRow(s, 49).mid(9, 3), hex("54 6F 03"));
    TxChannel_Constants(s, "OFF");
    EXPECT_EQ(frameOfRow(s, 49).mid(9, 3), hex("54 6F 00"));
}

TEST(CommandTable, ParametersFromControlTexts) {
    SharedState s;
    Constants(s);
    struct {
        QString text;
        bool flag;
        uint8_t sent;
    } offsets[] = {{"49", false, 49}, {"50", false, 0}, {"75", false, 25}, {"75", true, 75}};
    for (const auto& o : offsets) {
        BSTOffset_Constants(s, o.text, o.flag);
        EXPECT_EQ(s.CommandTable[16][3], o.sent) << o.text.toStdString();
        EXPECT_EQ(s.CommandLength, 2);
    }
    ImageTransferConstants(s, "Splash");
    EXPECT_EQ(s.CommandTable[53][3], 0);
    ImageTransferConstants(s, "26");
    EXPECT_EQ(s.CommandTable[53][3], 26);
    EXPECT_FALSE(ViewImage_Constants(s, 5, 4));
    EXPECT_TRUE(ViewImage_Constants(s, 4, 4));
    EXPECT_EQ(textValue(" 12abc"), 12);
    EXPECT_EQ(textValue("abc"), 0);
    EXPECT_EQ(textValue("-3"), -3);

    const uint8_t data[] = {0x10, 0x20};
    TalkToVemra(s, 0x33, data, 2);
    EXPECT_EQ(s.CommandLength, 6);
    EXPECT_EQ(frameOfRow(s, 85).mid(9, 8), hex("42 53 57 02 33 10 10 20"));
}

TEST(CommandTable, ClockAsPackedBcd) {
    SharedState s;
    TimeSetupConstants(s, 23, 59, 31, 12, 2020);
    EXPECT_EQ(frameOfRow(s, 48).mid(9, 7), hex("44 73 23 59 31 12 20"));
    TimeSetupConstants(s, 9, 5, 7, 3, 2026);
    EXPECT_EQ(frameOfRow(s, 48).mid(9, 7), hex("44 73 09 05 07 03 26"));
    EXPECT_EQ(s.CommandTable[48][0], 8);
}

}  // namespace

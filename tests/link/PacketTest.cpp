// The wire format and the command rows, byte for byte.
#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "app/SharedState.h"
#include "link/CommandTable.h"
#include "link/Packet.h"

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QByteArray frame(std::initializer_list<uint8_t> command) {
    return buildCommandFrame(command.begin(), int(command.size())).whole();
}

TEST(Packets, FramesAndControlPacketsByteForByte) {
    auto all = [](auto w) { return std::accumulate(w.begin(), w.end(), QByteArray()); };
    const struct {
        const char* name;
        QByteArray actual;
        const char* wire;
    } cases[] = {
        {"plain command", frame({'S', 'f'}), "FF FF FF FF FF 10 02 54 01 53 66 10 03 60 9F"},
        // A DLE command byte is doubled on the wire but counted once in the checksum.
        {"stuffed command", frame({'A', 0x10}), "FF FF FF FF FF 10 02 54 01 41 10 10 10 03 04 FB"},
        // A checksum of 16 goes out once.
        {"checksum 16", frame({'A', 0x04}), "FF FF FF FF FF 10 02 54 01 41 04 10 03 10 EF"},
        {"ACK", ackPacket(), "10 02 54 01 43 06 10 03 10 EF"},
        {"NAK", nakPacket(), "10 02 54 01 43 15 10 03 03 FC"},
        {"NAK1", nak1Packet(), "10 02 54 01 43 15 01 10 03 02 FD"},
        {"NAK2", nak2Packet(), "10 02 54 01 43 15 02 10 03 01 FE"},
        {"end of transfer", all(endOfTransferWrites()), "10 02 54 01 43 78 10 03 6E 91"},
        {"status request", all(statusRequestWrites()), "10 02 54 01 53 72 10 03 74 8B"}};
    for (const auto& c : cases) EXPECT_EQ(c.actual, hex(c.wire)) << c.name;
}

TEST(CheckPacket, ChecksumRulesAndResultWords) {
    QByteArray packet = hex("10 02 09 5F"), result;
    uint8_t sum = 0x09 ^ 0x5F;
    for (int i = 0; i < 32; ++i) sum ^= uint8_t(0x80 + i * 37), packet += char(0x80 + i * 37);
    packet += hex("10 03") + char(sum) + char(0x42);  // a wrong complement is not examined
    EXPECT_TRUE(CheckPacket(packet, 40, result) && result == "none");
    for (int at : {2, 3, 10, 35, 38}) {  // the first and last bytes summed, the sum
        QByteArray bad = packet;
        bad[at] = char(bad[at] ^ 0x80);
        EXPECT_FALSE(CheckPacket(bad, 40, result)) << "byte " << at;
    }
    for (const QByteArray& p : {cameraAck(), cameraNak(), cameraCan()})
        EXPECT_TRUE(CheckPacket(p, int(p.size()), result)) << p.toHex().constData();
    for (const QByteArray& word : {QByteArray(), kResend, kCommsTimeout})
        EXPECT_TRUE(!CheckPacket(word, 40, result) && result == word) << word.constData();
}

TEST(CommandTable, RowsAsTheyGoOnTheWire) {
    using S = SharedState;
    static const uint8_t vemra[] = {0x10, 0x20};
    const struct {
        int row;
        const char* body;
        std::function<void(S&)> fill = {};  // after Constants
    } cases[] = {
        {3, "53 66"},
        {17, "49 63"},
        {107, "41 10 10"},  // the DLE doubled
        {118, "43 63"},
        {17, "42 67 C8", [](S& s) { BSTGain_Constants(s, "200"); }},
        {17, "49 63", [](S& s) { BSTGain_Constants(s, "200"), Constants(s); }},
        {16, "42 6F 31", [](S& s) { BSTOffset_Constants(s, "49", false); }},
        {16, "42 6F 00", [](S& s) { BSTOffset_Constants(s, "50", false); }},
        {16, "42 6F 19", [](S& s) { BSTOffset_Constants(s, "75", false); }},
        {16, "42 6F 4B", [](S& s) { BSTOffset_Constants(s, "75", true); }},
        {63, "53 6E 34 12 00", [](S& s) { SerialNumber_Constants(s, 0x1234); }},
        {49, "54 6F 03", [](S& s) { TxChannel_Constants(s, "3"); }},
        {49, "54 6F 03", [](S& s) { TxChannel_Constants(s, "3"), TxChannel_Constants(s, "7"); }},
        {49, "54 6F 00", [](S& s) { TxChannel_Constants(s, "OFF"); }},
        {53, "43 53 00", [](S& s) { ImageTransferConstants(s, "Splash"); }},
        {53, "43 53 1A", [](S& s) { ImageTransferConstants(s, "26"); }},
        {85, "42 53 57 02 33 10 10 20", [](S& s) { TalkToVemra(s, 0x33, vemra, 2); }},
        {48, "44 73 23 59 31 12 20", [](S& s) { TimeSetupConstants(s, 23, 59, 31, 12, 2020); }},
        {48, "44 73 09 05 07 03 26", [](S& s) { TimeSetupConstants(s, 9, 5, 7, 3, 2026); }}};
    for (size_t i = 0; i < std::size(cases); ++i) {
        S s;
        Constants(s);
        if (cases[i].fill) cases[i].fill(s);
        const Framing f = Framing::from(s);
        const QByteArray w =
            buildCommandFrame(&s.CommandTable[cases[i].row][1], s.CommandLength + 1, f).whole();
        EXPECT_EQ(w.mid(9, w.size() - 13), hex(cases[i].body)) << "case " << i;
    }
    SharedState s;
    EXPECT_FALSE(ViewImage_Constants(s, 5, 4));
    EXPECT_TRUE(ViewImage_Constants(s, 4, 4));
    for (auto [text, value] : {std::pair{" 12abc", 12}, {"abc", 0}, {"-3", -3}})
        EXPECT_EQ(textValue(text), value) << text;
}

}  // namespace

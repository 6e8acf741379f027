// The transaction engine against the simulated camera, well and misbehaving: refusals, silence,
// bad, lost and skipped packets, a camera that goes quiet mid-transfer, garbage, a noisy line.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // Faults{.silent = true}
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "link/Packet.h"
#include "tests/support/SimLink.h"

namespace {

// ACK, NAK and CAN each end the wait and set the lamp, then grey; the command reached the camera
// once, stuffing undone.
TEST(PlainCommand, ReplyEndsTheWaitAndSetsTheLamp) {
    const struct {
        int row;
        std::vector<uint8_t> payload;
        camsim::Faults faults;
        QByteArray reply;
        Indicator lamp;
    } cases[] = {
        {Row::ReturnToNormal, {'S', 'f'}, {}, cameraAck(), Indicator::Green},
        {107, {'A', 0x10}, {}, cameraAck(), Indicator::Green},
        {Row::ReturnToNormal, {'S', 'f'}, {.nakCommands = {"Sf"}}, cameraNak(), Indicator::Red},
        {13, {'I', 't'}, {.canCommands = {"It"}}, cameraCan(), Indicator::Red}};
    for (const auto& c : cases) {
        SimLink link;
        link.camera.setFaults(c.faults);
        link.send(c.row);
        EXPECT_EQ(link.state.LastReply, c.reply) << c.row;
        EXPECT_TRUE(link.observer.notes.empty());  // no "not confirmed" note: the reply came
        EXPECT_EQ(link.observer.indicators, (std::vector{c.lamp, Indicator::Grey}));
        EXPECT_EQ(link.camera.receivedPayloads(),
                  decltype(link.camera.receivedPayloads()){c.payload});
        EXPECT_FALSE(link.port.portOpen());
    }
}

TEST(Timeouts, SilentCameraAtTheRealDurationsAndFiveInARowGiveUp) {
    SimLink link(SimLink::unpaced(), 1.0);
    link.camera.setFaults({.silent = true});
    QElapsedTimer t;

    t.start();  // plain reply: 2000 ms, then green as designed
    link.send(Row::ReturnToNormal);
    EXPECT_GE(t.elapsed(), 2000 + 1296);
    EXPECT_EQ(link.observer.indicators.front(), Indicator::Green);
    EXPECT_TRUE(link.state.LastReply.isEmpty());
    EXPECT_EQ(link.observer.notes, std::vector<QString>{CommsEngine::kNoConfirmation});  // not ok
    t.restart();  // packet idle time-out: 800 ms, "Resend"
    link.port.setPortOpen(true);
    EXPECT_EQ(link.engine.ReceivePacket(57), kResend);
    EXPECT_GE(t.elapsed(), 800);
    EXPECT_EQ(link.state.ResendCount, 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(link.engine.ReceivePacket(40), kResend);
    EXPECT_EQ(link.engine.ReceivePacket(40), kCommsTimeout);  // the fifth in a row gives up
    ASSERT_EQ(link.dialogs.shown.size(), 1u);
    EXPECT_EQ(link.dialogs.shown[0].title, "Error");
    EXPECT_EQ(link.dialogs.shown[0].text, "Comms Timeout 1");
    EXPECT_EQ(link.state.ResendCount, 0);
    t.restart();  // short reply: 200 ms, counted by the splash wait
    link.state.SplashReplyMode = true;
    link.state.SplashReplyLength = 11;
    link.engine.Receive();
    EXPECT_GE(t.elapsed(), 200);
    EXPECT_EQ(link.state.SplashTimeoutCount, 1);
    EXPECT_TRUE(link.state.SplashReply.isEmpty());
    link.state.SplashReplyMode = false;
    t.restart();  // bulk reply: 7000 ms, then back without touching the indicator
    const size_t shown = link.observer.indicators.size();
    link.state.BulkReplyMode = true;
    link.send(Row::ReturnToNormal);
    EXPECT_GE(t.elapsed(), 7000);
    EXPECT_EQ(link.observer.indicators.size(), shown);
}

// Every picture fault: the picture comes exact, or patched and said so, or the transfer gives
// up; whatever happened, the engine is usable afterwards with its normal reply handling. The
// link log and the health shown say what happened, where the camera counted it.
TEST(PictureTransfer, UnderEveryFault) {
    enum Outcome { Exact, Patched, Either, Fails, TimesOut };  // Either: exact or says it patched
    const struct {
        const char* name;
        camsim::Faults faults;
        Outcome outcome;
        int nak2 = 0;           // checksum repairs asked for and made (-1: not counted)
        int quietAfterMs = -1;  // the camera goes quiet this long into the transfer
    } cases[] = {
        {"clean line", {}, Exact},
        // The header, the first two, the last two.
        {"bad checksums", {.corruptPackets = {0xFFFF, 0, 1, 17, 1200, 2398, 2399}}, Exact, 6},
        {"lost and bad packets", {.corruptPackets = {5, 700}, .dropPackets = {100}}, Patched, 2},
        {"skipped packet", {.skipPackets = {100}}, Patched},
        {"garbage and split packets", {.garbageBytes = 5, .splitChunks = 3}, Exact},
        {"five errors in a row", {.corruptRate = 1.0}, Fails, -1},
        {"camera gone mid-transfer", {}, TimesOut, 0, 30},
        {"noisy line", {.garbageBytes = 3, .splitChunks = 3, .bitFlipRate = 0.0005}, Either, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimLink link;
        QTemporaryDir dir;
        ASSERT_TRUE(link.engine.trace().start(dir.filePath("link.txt")));
        link.camera.setFaults(c.faults);
        if (c.quietAfterMs >= 0)
            QTimer::singleShot(c.quietAfterMs, [&] { link.camera.setFaults({.silent = true}); });
        requestPicture(link, 3);
        const SharedState& s = link.state;
        const LinkHealth& h = s.TransferHealth;
        std::vector<uint8_t> expected = cameraPicture(link, 3);
        if (c.outcome == Patched) {  // the place after the lost packet holds its neighbour's copy
            std::copy_n(expected.begin() + 100 * 32, 32, expected.begin() + 101 * 32);
            EXPECT_EQ(std::pair(h.patched, h.nak1), std::pair(1, 1));
            EXPECT_GE(h.timeouts, c.faults.dropPackets.size());
        }
        if (c.outcome == Exact) {  // repairs are asked for at once, not after a time-out
            EXPECT_EQ(std::tuple(h.packets, h.patched, h.timeouts),
                      std::tuple(kImagePackets, 0, 0));
            EXPECT_EQ(s.TransferResult, "none");
            const auto header = link.camera.state().pictures.at(2).header;
            EXPECT_TRUE(std::equal(header.begin(), header.end(), s.ImageHeader.begin()));
            EXPECT_EQ(std::pair(link.observer.progressVisible, link.observer.lastProgress),
                      std::pair(false, kImagePackets));
        }
        const bool complete = c.outcome == Exact || c.outcome == Patched;
        EXPECT_TRUE(c.outcome == Either || s.ImageTransferComplete == complete);
        const bool exact = complete || (s.ImageTransferComplete && h.patched == 0);
        EXPECT_EQ(exact ? firstDifference(receivedPicture(link), expected) : -1, -1);
        if (c.outcome == TimesOut) {
            EXPECT_EQ(s.TransferResult, kCommsTimeout);
            const auto& shown = link.dialogs.shown;
            EXPECT_TRUE(!shown.empty() && shown.back().text.startsWith("Comms Timeout"));
        }
        const std::pair nak2(h.nak2, int(link.camera.counters().ctrlNak2));  // asked, made
        EXPECT_EQ(nak2, c.nak2 < 0 ? nak2 : std::pair(c.nak2, c.nak2));
        EXPECT_FALSE(s.BulkReplyMode || s.PacketTransferMode);
        link.camera.setFaults({});
        Constants(link.state);  // as a button does
        link.send(Row::ReturnToNormal);
        EXPECT_EQ(s.LastReply, cameraAck());
        link.engine.trace().stop();
        if (!complete) continue;  // the log of a completed transfer:
        QFile f(dir.filePath("link.txt"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QStringList log = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        const camsim::Counters n = link.camera.counters();
        std::vector<std::pair<QString, int>> counts = {
            {"PC>CAM  command C S, parameters 03", 1},
            {"picture header, checksum good", 1},
            {"control NAK2", int(n.ctrlNak2)},
            {"control NAK1", int(n.ctrlNak1)},
            {"idle time-out", h.timeouts + 3},
            {"end of transfer", 4},  // then again after each of the three empty waits
            {"transfer complete: " + healthText(h), 1},
            {"PC>CAM  command S f, checksum good", 1},
            {"CAM>PC  reply ACK", 1},
            // A pseudo-terminal has no low-latency mode; said once, not at every exchange.
            {"port 1 open at 115200,N,8,1, low latency: no", 1}};
        for (int p : c.faults.corruptPackets)
            if (p != 0xFFFF)
                counts.push_back({QString("picture packet %1, checksum bad").arg(p), 1});
        for (const auto& [text, count] : counts)
            EXPECT_EQ(log.filter(text).size(), count) << text.toStdString();
        // The health the window and the command line show is the same count.
        EXPECT_TRUE(link.observer.health.size() == 1 && link.observer.healthComplete);
        EXPECT_EQ(healthText(link.observer.health.at(0)), healthText(h));
        EXPECT_EQ(h.packets + h.patched, kImagePackets);  // a patched place came without its packet
    }
}

// The data packets' own limit: the header comes clean, then every data packet after the first
// is damaged. Five repairs are asked for, then the transfer gives up.
TEST(PictureTransfer, GivesUpAfterFiveDamagedDataPacketsInARow) {
    SimLink link;
    struct DamageAfterFirst : ChainedObserver {
        camsim::SimCamera& sim;
        DamageAfterFirst(CommsEngine& e, camsim::SimCamera& s) : ChainedObserver(e), sim(s) {}
        void showProgress(bool visible, int value) override {
            ChainedObserver::showProgress(visible, value);
            if (visible && value == 1) sim.setFaults({.corruptRate = 1.0});
        }
    } damage(link.engine, link.camera);
    // Should the limit be gone, the line heals and the transfer ends instead of hanging.
    QTimer heal;  // ends with the test: never fires into a later one
    heal.setSingleShot(true);
    QObject::connect(&heal, &QTimer::timeout, [&] { link.camera.setFaults({}); });
    heal.start(3000);
    requestPicture(link, 3);
    const std::pair nak2(link.state.TransferHealth.nak2, int(link.camera.counters().ctrlNak2));
    EXPECT_EQ(nak2, std::pair(5, 5));
    EXPECT_FALSE(link.state.ImageTransferComplete);
    EXPECT_EQ(link.state.TransferHealth.packets, 1);
}

}  // namespace

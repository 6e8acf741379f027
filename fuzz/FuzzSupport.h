#pragma once
// What the link targets share: an application for the event loop, a serial port that hands out
// the fuzz input in chunks as if it arrived over the line, and an engine with timing so short
// that a time-out costs one turn of the event loop.

#include <fuzzer/FuzzedDataProvider.h>

#include <QCoreApplication>
#include <cstdlib>
#include <deque>
#include <utility>

#include "tests/support/ScriptedDialogs.h"
#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "app/Timing.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"

namespace fuzz {

// Stops the run with a finding when a property the program relies on does not hold.
inline void require(bool holds) {
    if (!holds) std::abort();
}

inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "orvik3-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
}

// Every poll of the input count lets one more chunk arrive.
class ChunkPort : public SerialPort {
  public:
    std::deque<QByteArray> chunks;
    QByteArray pending;
    qint64 written = 0;

    void setCommPort(int number) override { number_ = number; }
    int commPort() const override { return number_; }
    void setSettings(const QString& settings) override { settings_ = settings; }
    QString settings() const override { return settings_; }
    void setPortOpen(bool open) override { open_ = open; }
    bool portOpen() const override { return open_; }
    int inBufferCount() override {
        if (!chunks.empty()) {
            pending += chunks.front();
            chunks.pop_front();
        }
        return int(pending.size());
    }
    QByteArray input() override { return std::exchange(pending, {}); }
    void output(const QByteArray& bytes) override { written += bytes.size(); }
    bool drained() const { return chunks.empty() && pending.isEmpty(); }

  private:
    int number_ = 1;
    QString settings_ = "115200,N,8,1";
    bool open_ = false;
};

// Splits what the provider holds into chunks of 1 to maxChunk bytes; the sizes come from the
// end of the input, the bytes from its front.
inline void fillChunks(FuzzedDataProvider& fdp, ChunkPort& port, size_t maxChunk = 64) {
    while (fdp.remaining_bytes() > 0) {
        const size_t n = fdp.ConsumeIntegralInRange<size_t>(1, maxChunk);
        const std::string bytes = fdp.ConsumeBytesAsString(n);
        port.chunks.emplace_back(bytes.data(), qsizetype(bytes.size()));
    }
}

inline Timing instantTiming() {
    Timing t;
    t.plainReplyMs = t.bulkReplyMs = t.shortReplyMs = t.packetIdleMs = t.indicatorMs = 0;
    t.fpgaRequestTimeoutMs = 0;
    return t;
}

struct EngineFixture {
    EngineFixture() : engine(state, port, dialogs, instantTiming()) {
        ensureApplication();
        Constants(state);
    }
    // The provider's bytes wait on the port in chunks of 1 to a size of the input's choosing.
    EngineFixture(FuzzedDataProvider& fdp, size_t largestChunk) : EngineFixture() {
        fillChunks(fdp, port, fdp.ConsumeIntegralInRange<size_t>(1, largestChunk));
    }
    SharedState state;
    ChunkPort port;
    ScriptedDialogs dialogs;
    CommsEngine engine;
};

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

}  // namespace fuzz

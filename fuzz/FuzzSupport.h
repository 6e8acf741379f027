#pragma once
// Shared by the targets: a finding on a broken property, the event loop's application, a port that
// hands out the input in chunks as if off the line, an engine whose time-outs cost one turn.

#include <fuzzer/FuzzedDataProvider.h>

#include <QCoreApplication>
#include <cstdlib>
#include <deque>
#include <utility>

#include "app/SerialPort.h"
#include "app/SharedState.h"
#include "link/CommandTable.h"
#include "link/CommsEngine.h"
#include "tests/support/ScriptedDialogs.h"

namespace fuzz {

inline constexpr auto require = [](bool holds) { holds ? void() : std::abort(); };

inline void ensureApplication() {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>("orvik3-fuzz"), nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);  // lives to the end
    (void)app;
}

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Every poll of the input count lets one more chunk arrive; what is written goes nowhere.
struct ChunkPort : SerialPort {
    std::deque<QByteArray> chunks;
    QByteArray pending;
    bool open = false;

    void setCommPort(int) override {}
    int commPort() const override { return 1; }
    void setSettings(const QString&) override {}
    QString settings() const override { return "115200,N,8,1"; }
    void setPortOpen(bool o) override { open = o; }
    bool portOpen() const override { return open; }
    int inBufferCount() override {
        if (!chunks.empty()) pending += chunks.front(), chunks.pop_front();
        return int(pending.size());
    }
    QByteArray input() override { return std::exchange(pending, {}); }
    void output(const QByteArray&) override {}
    bool drained() const { return chunks.empty() && pending.isEmpty(); }
};

// Splits what the provider holds into chunks of 1 to maxChunk bytes; the sizes come from the
// end of the input, the bytes from its front.
inline void fillChunks(FuzzedDataProvider& fdp, ChunkPort& port, size_t maxChunk) {
    while (fdp.remaining_bytes() > 0) {
        const std::string bytes =
            fdp.ConsumeBytesAsString(fdp.ConsumeIntegralInRange<size_t>(1, maxChunk));
        port.chunks.emplace_back(bytes.data(), qsizetype(bytes.size()));
    }
}

struct EngineFixture {
    // The provider's bytes, when given, wait on the port in chunks of 1 to a size of the input's
    // choosing.
    explicit EngineFixture(FuzzedDataProvider* fdp = nullptr, size_t largestChunk = 1)
        : engine(state, port, dialogs, Timing{}.scaled(0)) {
        ensureApplication();
        Constants(state);
        if (fdp) fillChunks(*fdp, port, fdp->ConsumeIntegralInRange<size_t>(1, largestChunk));
    }
    SharedState state;
    ChunkPort port;
    ScriptedDialogs dialogs;
    CommsEngine engine;
};

}  // namespace fuzz

// Service history benchmarks: what recording a status read adds (SQLite, on the simulated
// camera, and in a PostgreSQL server of its own while eight programs write to it), "history
// SERIAL" over 10 000 recorded visits of 100 cameras, and a run writing 1 000 records left in
// the outbox. Prints one "name: value" line per figure.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "app/PortMap.h"
#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Connection.h"
#include "camera/Recording.h"
#include "history/Changes.h"
#include "history/Outbox.h"
#include "sim/SimCamera.h"
#include "tests/support/PostgresServer.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

const char* const kWriter = "ORVIK_BENCH_HISTORY_WRITER";  // set: one of the eight writers

// The status reads' records are held until the read ends; the write is what the read gains.
// Each read is a visit of its own (a new run) when `visitEach`.
std::vector<double> writeTimes(const QString& where, int reads, bool visitEach,
                               std::optional<StatusRecord>& record) {
    camsim::SimCamera sim(camsim::Options{}, camsim::SimCamera::defaultState());
    PortMap map;
    map.assign(1, QString::fromStdString(sim.devicePath()));
    SharedState state;
    ScriptedDialogs dialogs;
    camera::Camera cam(state, dialogs, map);
    camera::startLink(cam);
    std::vector<double> ms;
    for (int i = 0; i < reads; ++i) {
        if (visitEach || i == 0) {
            cam.openHistory(history::parseLocation(where));
            cam.history()->store();  // a run's connection is open after its first read
        }
        std::optional<camera::Recording> recording(cam);
        QElapsedTimer t;
        t.start();
        record = camera::readStatus(cam, "1", false).record;
        const qint64 read = t.nsecsElapsed();
        recording.reset();
        if (!record || !cam.history()->problem().isEmpty()) return {};
        ms.push_back((t.nsecsElapsed() - read) / 1e6);
    }
    return ms;
}

std::optional<double> writeMs(const QString& path, std::optional<StatusRecord>& record) {
    const std::vector<double> ms = writeTimes("sqlite:" + path, 100, false, record);
    return ms.empty() ? std::nullopt : std::optional(median(ms));
}

int writer(const QString& where) {
    std::optional<StatusRecord> record;
    for (double ms : writeTimes(where, 50, true, record)) std::printf("%.3f\n", ms);
    return 0;
}

// Eight programs, 50 visits each, at once: the 99th percentile of what a read's record adds.
// Nothing when a visit is lost or doubled.
std::optional<double> eightWritersP99(const PostgresServer& server) {
    QProcess writers[8];
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kWriter, server.url());
    for (QProcess& w : writers) {
        w.setProcessEnvironment(env);
        w.start(QCoreApplication::applicationFilePath(), {});
    }
    std::vector<double> ms;
    for (QProcess& w : writers) {
        if (!w.waitForFinished(600000)) return std::nullopt;
        for (const QByteArray& line : w.readAllStandardOutput().split('\n'))
            if (!line.isEmpty()) ms.push_back(line.toDouble());
    }
    history::Store store;
    if (ms.size() != 400 || !store.open(history::parseLocation(server.url()), nullptr))
        return std::nullopt;
    const std::vector<history::Visit> visits = store.visits("10234");
    int reads = 0;
    for (const history::Visit& v : visits) reads += v.statusReads;
    std::printf("history_lost_or_doubled_8: %d\n",
                std::abs(reads - 400) + std::abs(int(visits.size()) - 400));
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() * 99 / 100];
}

// 1 000 records of earlier runs in the outbox: from the next run's start to their being written.
std::optional<double> outboxDrainMs(const PostgresServer& server, const StatusRecord& record) {
    const history::Location where = history::parseLocation(server.url());
    std::vector<history::Event> waiting;
    for (int i = 0; i < 1000; ++i) {
        history::Event e{
            "status", "drain", true, {{"fields", camera::statusFields(record)}}, 1000LL * (i + 1)};
        e.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        e.run = QString("run %1").arg(i / 10);
        e.bench = "bench";
        waiting.push_back(e);
    }
    if (!history::Outbox(where).add(waiting, nullptr)) return std::nullopt;
    QElapsedTimer t;
    t.start();
    {
        history::Recorder next(where, nullptr);
        if (!next.store() || history::Outbox(where).count() != 0) return std::nullopt;
    }
    const double ms = t.nsecsElapsed() / 1e6;
    history::Store store;
    int reads = 0;
    if (!store.open(where, nullptr)) return std::nullopt;
    for (const history::Visit& v : store.visits("drain")) reads += v.statusReads;
    return reads == 1000 ? std::optional(ms) : std::nullopt;
}

std::optional<double> queryMs(const QString& path, const StatusRecord& record) {
    const history::Location where = history::parseLocation("sqlite:" + path);
    {
        history::Store store;
        if (!store.open(where, nullptr)) return std::nullopt;
        for (int run = 0; run < 100; ++run) {
            std::vector<history::Event> events;
            for (int c = 0; c < 100; ++c) {
                QJsonObject fields = camera::statusFields(record);
                fields["warm starts"] = run;
                events.push_back({"status",
                                  QString::number(20000 + c),
                                  true,
                                  {{"fields", fields}},
                                  (run * 100 + c + 1) * 1000LL});
            }
            QHash<QString, qint64> visits;
            if (!store.write(QString::number(run), "bench", events, visits, nullptr))
                return std::nullopt;
        }
    }
    std::vector<double> ms;
    for (int c = 0; c < 100; c += 5) {
        QElapsedTimer t;
        t.start();
        history::Store store;
        const QString camera = QString::number(20000 + c);
        if (!store.open(where, nullptr)) return std::nullopt;
        const QString text = history::visitsText(camera, store.visits(camera));
        ms.push_back(t.nsecsElapsed() / 1e6);
        if (!text.contains("warm starts: 98 -> 99")) return std::nullopt;
    }
    return median(ms);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(kWriter)) return writer(qEnvironmentVariable(kWriter));
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());  // the outbox, never the user's
    std::optional<StatusRecord> record;
    if (const auto ms = writeMs(dir.filePath("write.sqlite3"), record))
        std::printf("history_write_ms: %.2f\n", *ms);
    if (record)
        if (const auto ms = queryMs(dir.filePath("query.sqlite3"), *record))
            std::printf("history_query_ms: %.1f\n", *ms);
    PostgresServer server;
    if (!record || !server.create()) return 0;
    if (const auto ms = eightWritersP99(server)) std::printf("history_write_p99_ms_8: %.1f\n", *ms);
    if (const auto ms = outboxDrainMs(server, *record))
        std::printf("history_outbox_drain_ms: %.0f\n", *ms);
    server.stop();
    return 0;
}

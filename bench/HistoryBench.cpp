// Service history benchmarks: what recording a status read adds (SQLite, on the simulated
// camera), and "history SERIAL" over 10 000 recorded visits of 100 cameras. Prints one
// "name: value" line per figure.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "app/PortMap.h"
#include "app/SharedState.h"
#include "camera/Camera.h"
#include "camera/Connection.h"
#include "camera/Recording.h"
#include "history/Changes.h"
#include "sim/SimCamera.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The status reads' records are held until the read ends; the write is what the read gains.
std::optional<double> writeMs(const QString& path, std::optional<StatusRecord>& record) {
    camsim::SimCamera sim(camsim::Options{}, camsim::SimCamera::defaultState());
    PortMap map;
    map.assign(1, QString::fromStdString(sim.devicePath()));
    SharedState state;
    ScriptedDialogs dialogs;
    camera::Camera cam(state, dialogs, map);
    camera::startLink(cam);
    cam.openHistory(history::parseLocation("sqlite:" + path));
    std::vector<double> ms;
    for (int i = 0; i < 100; ++i) {
        std::optional<camera::Recording> recording(cam);
        QElapsedTimer t;
        t.start();
        record = camera::readStatus(cam, "1", false).record;
        const qint64 read = t.nsecsElapsed();
        recording.reset();
        if (!record || !cam.history()->recording()) return std::nullopt;
        ms.push_back((t.nsecsElapsed() - read) / 1e6);
    }
    return median(ms);
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
    QTemporaryDir dir;
    std::optional<StatusRecord> record;
    if (const auto ms = writeMs(dir.filePath("write.sqlite3"), record))
        std::printf("history_write_ms: %.2f\n", *ms);
    if (record)
        if (const auto ms = queryMs(dir.filePath("query.sqlite3"), *record))
            std::printf("history_query_ms: %.1f\n", *ms);
    return 0;
}

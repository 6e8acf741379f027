// The service history shared in a real PostgreSQL server that the test starts itself (stopped at
// the end): eight programs writing at once lose nothing, and a server that is down, refuses the
// login or is restarted in the middle of a run loses no record and doubles none.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include "history/Outbox.h"
#include "history/Recorder.h"
#include "tests/support/PostgresServer.h"

namespace {

using namespace history;

const char* const kWriter = "ORVIK_HISTORY_WRITER";  // set: this process is one of the writers

class PostgresHistory : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (qEnvironmentVariableIsSet(kWriter)) return;
        server_ = new PostgresServer;
        up_ = server_->create();
        data_ = new QTemporaryDir;  // the outbox's data folder, for every program the test runs
        qputenv("XDG_DATA_HOME", data_->path().toUtf8());
    }
    static void TearDownTestSuite() {
        if (!server_) return;
        server_->stop();
        delete server_;
        delete data_;
    }
    void SetUp() override {
        ASSERT_TRUE(up_ || qEnvironmentVariableIsSet(kWriter)) << server_->error.toStdString();
    }

    static std::vector<Visit> visitsOf(const QString& camera) {
        Store store;
        EXPECT_TRUE(store.open(parseLocation(server_->url()), nullptr));
        return store.visits(camera);
    }
    static ProgramResult orvik3(const QStringList& args, const QString& history) {
        return runProgram(ORVIK3_PROGRAM,
                          QStringList{"--simulate"} + args + QStringList{"--history", history});
    }

    static inline PostgresServer* server_ = nullptr;
    static inline QTemporaryDir* data_ = nullptr;
    static inline bool up_ = false;
};

// One of eight writers: three runs of 20 events, one transaction each, for five cameras.
TEST_F(PostgresHistory, Writer) {
    const QString where = qEnvironmentVariable(kWriter);
    if (where.isEmpty())
        GTEST_SKIP() << "started by EightProgramsWritingAtOnceRecordEveryVisitOnce";
    for (int run = 0; run < 3; ++run) {
        Recorder r(parseLocation(where), [](const QString& why) { FAIL() << why.toStdString(); });
        for (int i = 0; i < 20; ++i)
            r.add({"status",
                   "w" + QString::number(i % 5),
                   true,
                   {{"fields", QJsonObject{{"n", i}}}}});
    }
}

TEST_F(PostgresHistory, EightProgramsWritingAtOnceRecordEveryVisitOnce) {
    QProcess writers[8];
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kWriter, server_->url());
    for (QProcess& w : writers) {
        w.setProcessEnvironment(env);
        w.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=*.Writer"});
    }
    for (QProcess& w : writers) {
        ASSERT_TRUE(w.waitForFinished(120000));
        EXPECT_EQ(w.exitCode(), 0) << w.readAllStandardOutput().toStdString();
    }
    for (int c = 0; c < 5; ++c) {
        const std::vector<Visit> visits = visitsOf("w" + QString::number(c));
        EXPECT_EQ(visits.size(), 24u);
        for (const Visit& v : visits) EXPECT_EQ(v.statusReads, 4);
    }
}

// Runs while the server is down, or refuses the login, keep their records in the outbox; the
// first run that reaches it writes them, before its own.
TEST_F(PostgresHistory, RunsWhileTheServerIsDownAreRecordedOnceItIsBack) {
    const size_t before = visitsOf("10234").size();
    const std::pair<QString, QString> down[] = {
        {server_->url("wrong"), "password authentication failed"},
        {server_->url(), "No such file or directory"},
        {server_->url(), "No such file or directory"},
        {server_->url(), "No such file or directory"}};
    for (const auto& [history, why] : down) {
        if (why.startsWith("No such")) server_->stop();
        const ProgramResult r = orvik3({"status"}, history);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains("Serial Number: 10234\n"));
        EXPECT_EQ(r.err.count("The service history is not being recorded: "), 1);
        EXPECT_TRUE(r.err.contains(why)) << r.err.toStdString();
    }
    EXPECT_TRUE(orvik3({"history"}, server_->url()).err.contains("4 records of earlier runs wait"));
    ASSERT_TRUE(server_->start());
    const ProgramResult back = orvik3({"status"}, server_->url());
    EXPECT_EQ(back.err, "");
    EXPECT_EQ(Outbox(parseLocation(server_->url())).count(), 0);
    const std::vector<Visit> visits = visitsOf("10234");
    ASSERT_EQ(visits.size(), before + 5);
    for (size_t i = before; i < visits.size(); ++i) EXPECT_EQ(visits[i].statusReads, 1);
}

// A connection found lost is opened again, once the pause (here none) has passed.
TEST_F(PostgresHistory, AConnectionFoundLostIsOpenedAgain) {
    QStringList told;
    {
        Recorder r(parseLocation(server_->url()), [&](const QString& line) { told << line; });
        r.setRetryPauses(0, 0);
        for (int step = 0; step < 3; ++step) {
            if (step == 1) server_->stop();
            if (step == 2) server_->start();
            r.add({"status", "lost", true, {}});
        }
    }
    ASSERT_EQ(told.size(), 2);
    EXPECT_TRUE(told[0].contains("terminating connection")) << told[0].toStdString();
    EXPECT_EQ(told[1], "The service history is being recorded again.");
    ASSERT_EQ(visitsOf("lost").size(), 1u);
    EXPECT_EQ(visitsOf("lost")[0].statusReads, 3);
}

// The server stopped for 8 s in the middle of a download: the connection is opened again and
// every picture is recorded.
TEST_F(PostgresHistory, AServerRestartedDuringADownloadLosesNoPicture) {
    QTemporaryDir out;
    QProcess download;
    download.start(ORVIK3_PROGRAM, {"--simulate", "download", "all", "--out", out.path(),
                                    "--history", server_->url()});
    const size_t before = visitsOf("10234").size();
    // Stopped once two pictures are recorded: the program's connection is open then.
    for (std::vector<Visit> v; download.state() == QProcess::Running &&
                               (v.size() == before || v.back().pictures.size() < 2);
         v = visitsOf("10234"))
        download.waitForReadyRead(200);
    ASSERT_TRUE(server_->stop());
    QThread::sleep(8);
    ASSERT_TRUE(server_->start());
    ASSERT_TRUE(download.waitForFinished(300000));
    EXPECT_EQ(download.exitCode(), 0);
    const QString err = download.readAllStandardError();
    EXPECT_EQ(err.count("The service history is not being recorded: "), 1) << err.toStdString();
    EXPECT_EQ(err.count("The service history is being recorded again."), 1) << err.toStdString();
    const std::vector<Visit> visits = visitsOf("10234");
    ASSERT_FALSE(visits.empty());
    ASSERT_EQ(visits.back().pictures.size(), 5u);
    for (const PictureTaken& p : visits.back().pictures) EXPECT_FALSE(p.savedTo.isEmpty());
}

// A write whose commit held but whose answer was lost is sent again by the recorder, with its
// visit not yet known: the store keeps it once, in SQLite and in PostgreSQL alike.
TEST_F(PostgresHistory, ARecordSentTwiceIsKeptOnce) {
    const QString locations[] = {server_->url(), "sqlite:" + data_->filePath("twice.sqlite3")};
    for (const QString& where : locations) {
        Store store;
        ASSERT_TRUE(store.open(parseLocation(where), nullptr));
        std::vector<Event> events{{"status", "twice", true, {{"fields", QJsonObject{{"gain", 3}}}}},
                                  {"picture", "twice", true, {{"number", 2}, {"sha256", "ab"}}}};
        events[0].uid = "0e5b0f1c-0000-4000-8000-000000000001";
        events[1].uid = "0e5b0f1c-0000-4000-8000-000000000002";
        for (int i = 0; i < 2; ++i) {
            QHash<QString, qint64> visits;
            ASSERT_TRUE(store.write("the run", "bench", events, visits, nullptr));
        }
        const std::vector<Visit> visits = store.visits("twice");
        ASSERT_EQ(visits.size(), 1u) << where.toStdString();
        EXPECT_EQ(visits[0].statusReads, 1);
        EXPECT_EQ(visits[0].pictures.size(), 1u);
    }
}

}  // namespace

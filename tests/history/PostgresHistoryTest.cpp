// The service history shared in a real PostgreSQL server that the test starts itself (initdb and
// pg_ctl, a Unix socket in a temporary folder only, stopped at the end): two programs writing at
// once lose nothing, and a server that is down or refuses the login never stops the work.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "history/Recorder.h"
#include "tests/support/RunProgram.h"

namespace {

using namespace history;

const char* const kWriter = "ORVIK_HISTORY_WRITER";  // set: this process is one of the writers
const QString kServerTools = "/usr/lib/postgresql/15/bin/";  // Debian 12's server

// initdb refuses to run as root: as root, the server's tools run as its own user.
bool runTool(const QString& tool, const QStringList& args) {
    QStringList all = QStringList{kServerTools + tool} + args;
    if (geteuid() == 0) all = QStringList{"runuser", "-u", "postgres", "--"} + all;
    const ProgramResult r = runProgram(all.takeFirst(), all);
    if (r.code != 0) ADD_FAILURE() << tool.toStdString() << ": " << r.err.toStdString();
    return r.code == 0;
}

class PostgresHistory : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (qEnvironmentVariableIsSet(kWriter)) return;
        dir_ = new QTemporaryDir;
        if (const passwd* pg = geteuid() == 0 ? getpwnam("postgres") : nullptr)
            if (chown(qPrintable(dir_->path()), pg->pw_uid, pg->pw_gid) != 0) return;
        QFile password(dir_->filePath("password"));
        if (!password.open(QIODevice::WriteOnly) || !password.write("right\n")) return;
        password.close();
        up_ = runTool("initdb", {"-D", dir_->filePath("data"), "-U", "postgres", "-A",
                                 "scram-sha-256", "--pwfile", password.fileName()}) &&
              runTool("pg_ctl", {"-D", dir_->filePath("data"), "-l", dir_->filePath("log"), "-w",
                                 "-o", "-c listen_addresses='' -k " + dir_->path(), "start"});
    }
    static void TearDownTestSuite() {
        if (!dir_) return;
        runTool("pg_ctl", {"-D", dir_->filePath("data"), "-m", "fast", "-w", "stop"});
        delete dir_;
    }
    static QString url(const QString& password, const QString& socketDir) {
        return QString("postgresql://postgres:%1@localhost/postgres?host=%2")
            .arg(password, socketDir);
    }

    static inline QTemporaryDir* dir_ = nullptr;
    static inline bool up_ = false;
};

// One of two writers: 200 events, one transaction each, for five cameras both write about.
TEST_F(PostgresHistory, Writer) {
    const QString where = qEnvironmentVariable(kWriter);
    if (where.isEmpty()) GTEST_SKIP() << "started by TwoProgramsWritingAtOnceLoseNothing";
    Recorder r(parseLocation(where), [](const QString& why) { FAIL() << why.toStdString(); });
    for (int i = 0; i < 200; ++i)
        r.add({"status", QString::number(i % 5), true, {{"fields", QJsonObject{{"n", i}}}}});
}

TEST_F(PostgresHistory, TwoProgramsWritingAtOnceLoseNothing) {
    ASSERT_TRUE(up_);
    QProcess writers[2];
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kWriter, url("right", dir_->path()));
    for (QProcess& w : writers) {
        w.setProcessEnvironment(env);
        w.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=*.Writer"});
    }
    for (QProcess& w : writers) {
        ASSERT_TRUE(w.waitForFinished(120000));
        EXPECT_EQ(w.exitCode(), 0) << w.readAllStandardOutput().toStdString();
    }
    Store store;
    ASSERT_TRUE(store.open(parseLocation(url("right", dir_->path())), nullptr));
    int reads = 0;
    for (const CameraSeen& c : store.cameras()) {
        EXPECT_EQ(c.visits, 2) << c.camera.toStdString();
        for (const Visit& v : store.visits(c.camera)) reads += v.statusReads;
    }
    EXPECT_EQ(store.cameras().size(), 5u);
    EXPECT_EQ(reads, 400);
}

TEST_F(PostgresHistory, AServerThatIsDownOrRefusesTheLoginNeverStopsTheWork) {
    ASSERT_TRUE(up_);
    const std::pair<QString, QString> cases[] = {
        {url("wrong", dir_->path()), "password authentication failed"},
        {url("right", dir_->filePath("down")), "No such file or directory"},
        {url("right", dir_->path()), ""}};  // the server up: recorded, nothing said
    for (const auto& [history, why] : cases) {
        const ProgramResult r =
            runProgram(ORVIK3_PROGRAM, {"--simulate", "status", "--history", history});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains("Serial Number: 10234\n"));
        EXPECT_EQ(r.err.count("The service history is not being recorded: "),
                  why.isEmpty() ? 0 : 1);
        EXPECT_TRUE(r.err.contains(why)) << r.err.toStdString();
    }
    Store store;
    ASSERT_TRUE(store.open(parseLocation(url("right", dir_->path())), nullptr));
    EXPECT_EQ(store.visits("10234").size(), 1u);
}

}  // namespace

// The service history in a real SQLite file: two visits and what changed, a picture by its hash,
// the migration from the first schema, and histories that cannot be written never stopping work.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "camera/Connection.h"
#include "camera/Pictures.h"
#include "camera/Recording.h"
#include "history/Changes.h"
#include "history/Outbox.h"
#include "history/Recorder.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SimLink.h"

namespace {

using namespace history;

Location at(const QString& path) {
    return parseLocation("sqlite:" + path);
}

// `data`: the data folder, where the outbox is kept.
ProgramResult orvik3(const QStringList& args, const QString& data, bool asNobody = false) {
    const QStringList all = QStringList{"--simulate"} + args;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", data);
    if (!asNobody) return runProgram(ORVIK3_PROGRAM, all, env);
    return runProgram("runuser", QStringList{"-u", "nobody", "--", ORVIK3_PROGRAM} + all, env);
}

TEST(SqliteHistory, TwoVisitsShowWhatChangedAndThePictureByItsHash) {
    QTemporaryDir dir;
    const QString db = dir.filePath("h.sqlite3");
    CameraRig first;
    camera::startLink(first.cam);
    first.cam.openHistory(at(db));
    ASSERT_TRUE(camera::readStatus(first.cam, "1", false).record);
    const camera::Download picture = camera::downloadPicture(first.cam, 2);
    ASSERT_TRUE(picture.picture);
    camera::recordSaved(first.cam, 2, "/pictures/p2.bmp");
    camsim::CameraState later = camsim::SimCamera::defaultState();
    later.warmStarts = 88, later.gain = 77, later.runTimeHours = 1300;
    CameraRig second(later);
    camera::startLink(second.cam);
    second.cam.openHistory(at(db));
    ASSERT_TRUE(camera::readStatus(second.cam, "1", false).record);
    EXPECT_TRUE(
        camera::lastSeenLine(second.cam)
            .endsWith(
                "changed: run time 1234:56 -> 1300:56, warm starts 87 -> 88, gain 40 -> 77."));

    const QByteArray pixels(reinterpret_cast<const char*>(picture.picture->pixels.data()), 76800);
    const QString hash = QCryptographicHash::hash(pixels, QCryptographicHash::Sha256).toHex();
    const ProgramResult text = orvik3({"history", "10234", "--history", db}, dir.path());
    EXPECT_TRUE(
        text.out.contains("1 status read; 1 picture downloaded\n  first visit\n  picture 2 " +
                          hash + " saved to /pictures/p2.bmp\n"));
    EXPECT_TRUE(text.out.contains("  warm starts: 87 -> 88\n  gain: 40 -> 77\n"));
    const ProgramResult json = orvik3({"history", "--json", "--history", db}, dir.path());
    const QJsonObject cameras = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(cameras["cameras"][0]["visits"].toInt(), 2);
    EXPECT_EQ(cameras["outbox"].toInt(-1), 0);
    const ProgramResult visits =
        orvik3({"history", "10234", "--json", "--history", db}, dir.path());
    const QJsonObject camera = QJsonDocument::fromJson(visits.out.toUtf8()).object();
    EXPECT_EQ(camera["serial"], "10234");
    const QJsonArray newestFirst = camera["visits"].toArray();
    EXPECT_EQ(
        newestFirst.at(1)["pictures_downloaded"][0],
        QJsonValue(QJsonObject{{"number", 2}, {"sha256", hash}, {"saved_to", "/pictures/p2.bmp"}}));
}

TEST(SqliteHistory, CamerasWithoutASerialNumberAreNeverComparedWithOneAnother) {
    QTemporaryDir dir;
    const QString db = dir.filePath("h.sqlite3");
    camsim::CameraState first = camsim::SimCamera::defaultState(), second = first;
    first.serialNumber = second.serialNumber = 0;
    second.gain = 60;
    QString seen;
    for (const camsim::CameraState& state : {first, second}) {
        CameraRig rig(state);
        camera::startLink(rig.cam);
        rig.cam.openHistory(at(db));
        ASSERT_TRUE(camera::readStatus(rig.cam, "1", false).record);
        seen = camera::lastSeenLine(rig.cam);
    }
    EXPECT_EQ(seen, noSerialLine(true));
    EXPECT_TRUE(orvik3({"history", "--history", db}, dir.path())
                    .out.contains(QRegularExpression("\nno serial number +[-0-9: ]+ {3}2\n")));
    const ProgramResult visits = orvik3({"history", "0", "--history", db}, dir.path());
    EXPECT_EQ(visits.out.count("not compared: a camera without a serial number"), 2);
    EXPECT_FALSE(visits.out.contains("->")) << visits.out.toStdString();
}

TEST(SqliteHistory, AHistoryOfTheFirstSchemaIsMigratedWithItsRecords) {
    QTemporaryDir dir;
    const Location where = at(dir.filePath("old.sqlite3"));
    {
        Store first;
        QString why;
        QHash<QString, qint64> visits;
        ASSERT_TRUE(first.open(where, &why, 1)) << why.toStdString();
        ASSERT_TRUE(first.write("run", "bench",
                                {{"status", "7", true, {{"fields", QJsonObject{{"gain", 3}}}}},
                                 {"picture", "7", true, {{"number", 4}, {"sha256", "ab12"}}}},
                                visits, &why));
        EXPECT_EQ(first.version(), 1);
    }
    Store now;
    ASSERT_TRUE(now.open(where, nullptr));
    EXPECT_EQ(now.version(), kSchemaVersion);
    const std::vector<Visit> visits = now.visits("7");
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits[0].fields.value("gain").toInt(), 3);
    ASSERT_EQ(visits[0].pictures.size(), 1u);
    EXPECT_EQ(visits[0].pictures[0].number, 4);
    EXPECT_EQ(visits[0].pictures[0].sha256, "ab12");
    QSqlDatabase file = QSqlDatabase::addDatabase("QSQLITE", "migrated");
    file.setDatabaseName(where.path);
    QSqlQuery uids(file);
    ASSERT_TRUE(file.open() && uids.exec("SELECT COUNT(DISTINCT uid) FROM events") && uids.next());
    EXPECT_EQ(uids.value(0).toInt(), 2);  // each event its own identity
}

TEST(SqliteHistory, AHistoryThatCannotBeWrittenNeverStopsTheWork) {
    QTemporaryDir dir;
    const QString good = dir.filePath("locked.sqlite3"), readOnly = dir.filePath("ro/h.sqlite3");
    for (const QString& path : {good, readOnly}) Store().open(at(path), nullptr);
    QSqlDatabase locker = QSqlDatabase::addDatabase("QSQLITE", "locker");
    locker.setDatabaseName(good);
    ASSERT_TRUE(locker.open() && QSqlQuery(locker).exec("BEGIN EXCLUSIVE"));
    QFile corrupt(dir.filePath("corrupt.sqlite3"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly) && corrupt.write(QByteArray(4096, 'x')));
    corrupt.close();
    QFile(readOnly).setPermissions(QFile::ReadOwner | QFile::ReadOther);
    QFile(dir.filePath("ro"))
        .setPermissions(QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile(dir.path()).setPermissions(QFile(dir.filePath("ro")).permissions() | QFile::WriteOwner);
    // An outbox that is damaged or cannot be written stops nothing either.
    const QString damaged = dir.filePath("damaged");
    qputenv("XDG_DATA_HOME", damaged.toUtf8());
    const QString box = Outbox(at(corrupt.fileName())).path();
    qunsetenv("XDG_DATA_HOME");
    QDir().mkpath(QFileInfo(box).path());
    QFile damagedBox(box);
    ASSERT_TRUE(damagedBox.open(QIODevice::WriteOnly) && damagedBox.write("[{\"uid\": 7}"));
    damagedBox.close();
    const struct {
        QString history, why;
        bool asNobody;  // root writes past permissions
        QString data = {};
    } cases[] = {{good, "database is locked", false},
                 {corrupt.fileName(), "file is not a database", false},
                 {readOnly, "attempt to write a readonly database", geteuid() == 0},
                 {corrupt.fileName() + "/inside/h.sqlite3", "unable to open", false},
                 {corrupt.fileName(), "is damaged (", false, damaged},
                 {corrupt.fileName(), "1 records are lost: the outbox", false,
                  corrupt.fileName() + "/data"}};
    for (const auto& c : cases) {
        const ProgramResult r = orvik3({"status", "--history", c.history},
                                       c.data.isEmpty() ? dir.path() : c.data, c.asNobody);
        EXPECT_EQ(r.code, 0) << c.history.toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.out.contains("Serial Number: 10234\n")) << c.history.toStdString();
        EXPECT_EQ(r.err.count("The service history is not being recorded: "), 1)
            << c.history.toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.why)) << r.err.toStdString();
    }
    QFile(dir.filePath("ro"))
        .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QSqlQuery(locker).exec("ROLLBACK");

    // A lock held a while loses nothing: what it kept out goes with the next write.
    QStringList told;
    {
        Recorder recorder(at(good), [&](const QString& line) { told << line; });
        recorder.setRetryPauses(0, 0);
        recorder.setCamera("7");
        ASSERT_TRUE(recorder.recording());
        ASSERT_TRUE(QSqlQuery(locker).exec("BEGIN EXCLUSIVE"));
        recorder.add({"status", {}, true, {{"fields", QJsonObject{{"gain", 3}}}}});
        QSqlQuery(locker).exec("ROLLBACK");
        recorder.add({"clock", {}, true, {}});
        ASSERT_TRUE(QSqlQuery(locker).exec("BEGIN EXCLUSIVE"));
        recorder.add({"command", {}, false, {}});
        QSqlQuery(locker).exec("ROLLBACK");
    }  // the last one at the run's end, whatever the pause
    ASSERT_EQ(told.size(), 4);
    for (int i : {0, 2}) {
        EXPECT_TRUE(
            told[i].startsWith("The service history is not being recorded: database is locked"))
            << told[i].toStdString();
        EXPECT_EQ(told[i + 1], "The service history is being recorded again.");
    }
    QSqlQuery kinds(locker);
    ASSERT_TRUE(
        kinds.exec("SELECT e.kind FROM events e JOIN visits v ON v.id = e.visit"
                   " WHERE v.camera = '7' ORDER BY e.id"));
    QStringList written;
    while (kinds.next()) written << kinds.value(0).toString();
    EXPECT_EQ(written, QStringList({"status", "clock", "command"}));
    locker.close();
}

}  // namespace

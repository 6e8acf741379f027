// The picture commands of orvik3 run as a user runs them, against the program's own simulated
// camera; the saved bitmap is read back by a reader of its own, not the program's.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdint>

#include "sim/SimCamera.h"
#include "tests/support/RunProgram.h"

namespace {

using Result = ProgramResult;

camsim::Options unpaced() {
    camsim::Options o;
    o.paced = false;
    return o;
}

Result orvik3(const QStringList& args) {
    return runProgram(QCoreApplication::applicationDirPath() + "/../bin/orvik3", args);
}

// A 24-bit bottom-up Windows bitmap, as plainly as the format allows.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> bgr;  // top row first, 3 bytes a pixel
};

uint32_t le(const QByteArray& b, int at, int size) {
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | uint8_t(b[at + i]);
    return v;
}

std::optional<Bitmap> readBitmap(const QByteArray& file) {
    if (file.size() < 54 || !file.startsWith("BM") || le(file, 14, 4) != 40) return std::nullopt;
    if (le(file, 26, 2) != 1 || le(file, 28, 2) != 24 || le(file, 30, 4) != 0) return std::nullopt;
    Bitmap bmp;
    bmp.width = int(le(file, 18, 4));
    bmp.height = int(le(file, 22, 4));  // positive: bottom row first
    const int stride = (bmp.width * 3 + 3) / 4 * 4;
    const int offset = int(le(file, 10, 4));
    if (bmp.height <= 0 || le(file, 2, 4) != uint32_t(file.size()) ||
        offset + stride * bmp.height > file.size())
        return std::nullopt;
    for (int row = bmp.height - 1; row >= 0; --row) {
        const char* line = file.constData() + offset + row * stride;
        bmp.bgr.insert(bmp.bgr.end(), line, line + bmp.width * 3);
    }
    return bmp;
}

TEST(PictureCommands, DownloadWritesTheCamerasPictureWithItsStripAndKeepsASavedOne) {
    QTemporaryDir dir;
    const Result r = orvik3({"--simulate", "download", "1", "--out", dir.path()});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString path = QDir(dir.path()).filePath("picture-01.bmp");
    EXPECT_EQ(r.out, "Saved picture 1 to " + path + "\n");
    EXPECT_FALSE(r.err.contains('\r'));  // no progress line when not on a terminal

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    const std::optional<Bitmap> bmp = readBitmap(saved);
    ASSERT_TRUE(bmp);
    ASSERT_EQ(bmp->width, 320);
    ASSERT_EQ(bmp->height, 290);
    // Grey scale, white hot: pixel value v is blue, green and red v.
    const std::vector<uint8_t> pixels = camsim::SimCamera::defaultState().pictures.at(0).pixels;
    int wrong = 0;
    for (int k = 0; k < 320 * 240; ++k)
        for (int c = 0; c < 3; ++c) wrong += bmp->bgr[k * 3 + c] != pixels[k];
    EXPECT_EQ(wrong, 0);
    // The strip below: light grey with black glyphs.
    int grey = 0, black = 0;
    for (int k = 320 * 240; k < 320 * 290; ++k) {
        grey += bmp->bgr[k * 3] == 192 && bmp->bgr[k * 3 + 1] == 192 && bmp->bgr[k * 3 + 2] == 192;
        black += bmp->bgr[k * 3] == 0 && bmp->bgr[k * 3 + 1] == 0 && bmp->bgr[k * 3 + 2] == 0;
    }
    EXPECT_EQ(grey + black, 320 * 50);
    EXPECT_GT(black, 500);

    const Result again = orvik3({"--simulate", "download", "1", "--out", dir.path()});
    EXPECT_EQ(again.code, 0);
    EXPECT_TRUE(again.out.startsWith("Skipped picture 1:"));
    file.seek(0);
    EXPECT_EQ(file.readAll(), saved);
}

TEST(PictureCommands, CsvHoldsTheCamerasPixelValuesAfterItsHeaderAndPalette) {
    QTemporaryDir dir;
    const QString path = dir.filePath("p2.csv");
    const Result r = orvik3({"--simulate", "download", "2", "--palette", "red hot, white", "--out",
                             path});  // the format from the name
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList head, rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
        (line.startsWith('#') ? head : rows) << line;

    const camsim::Picture picture = camsim::SimCamera::defaultState().pictures.at(1);
    EXPECT_TRUE(head.contains("# palette: Red hot, white (table entry 10)"))
        << head.join('\n').toStdString();
    const QString fields = head.filter("# header fields d1 to d21: ").value(0).section(": ", 1);
    ASSERT_EQ(fields.split(',').size(), 21);
    for (int i = 0; i < 6; ++i)  // the clock digits, as the camera sent them
        EXPECT_EQ(fields.split(',')[i].toInt(), picture.header[i]);
    EXPECT_EQ(head.filter("# palette colours").value(0).section(": ", 1).split(',').size(), 256);

    ASSERT_EQ(rows.size(), 240);
    int wrong = 0;
    for (int y = 0; y < 240; ++y) {
        const QStringList values = rows[y].split(',');
        ASSERT_EQ(values.size(), 320) << "row " << y;
        for (int x = 0; x < 320; ++x) wrong += values[x].toInt() != picture.pixels[y * 320 + x];
    }
    EXPECT_EQ(wrong, 0);
}

// `download all` takes every stored picture, 1 to the count, and `download splash` the start-up
// picture; an unpaced camera holding three pictures keeps this quick.
TEST(PictureCommands, DownloadAllTakesEveryStoredPictureAndSplashTheStartUpPicture) {
    camsim::CameraState state = camsim::SimCamera::defaultState();
    state.pictures.resize(3);
    camsim::SimCamera camera(unpaced(), state);
    const QString port = "1=" + QString::fromStdString(camera.devicePath());
    QTemporaryDir dir;
    const Result all = orvik3({"--port", port, "download", "all", "--out", dir.path()});
    ASSERT_EQ(all.code, 0) << all.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{"picture-01.bmp", "picture-02.bmp", "picture-03.bmp"}));
    EXPECT_EQ(all.out.count("Saved picture "), 3);

    const Result splash = orvik3({"--port", port, "download", "splash", "--out", dir.path()});
    ASSERT_EQ(splash.code, 0) << splash.err.toStdString();
    EXPECT_TRUE(splash.out.startsWith("Saved the splash picture to ")) << splash.out.toStdString();
}

// Ctrl-C (or SIGTERM) in the middle of a picture: the end packet goes out, the picture already
// saved stays whole and is listed, nothing of the cut one is left, the exit code names the signal,
// and the camera answers the next command.
class StopSignal : public testing::TestWithParam<int> {};

TEST_P(StopSignal, StopsAtOnceLeavingWholeFilesAndACameraThatAnswers) {
    camsim::CameraState state = camsim::SimCamera::defaultState();
    state.pictures.resize(2);
    camsim::SimCamera camera(unpaced(), state);
    camsim::Faults slow;  // about a millisecond a packet, so the stop lands mid-transfer
    slow.splitChunks = 2;
    slow.splitPauseMs = 1;
    camera.setFaults(slow);
    const QString port = "1=" + QString::fromStdString(camera.devicePath());
    QTemporaryDir dir;
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + "/../bin/orvik3",
            {"--port", port, "download", "all", "--out", dir.path()});
    ASSERT_TRUE(p.waitForStarted());
    auto secondUnderWay = [&] {
        const camsim::Counters c = camera.counters();
        return c.transfersStarted == 2 && c.dataPacketsSent > 2400 + 300;
    };
    for (int i = 0; i < 60000 && !secondUnderWay() && p.state() == QProcess::Running; ++i)
        QThread::msleep(1);
    ASSERT_TRUE(secondUnderWay());
    const int64_t endsBefore = camera.counters().ctrlEnd;
    ::kill(pid_t(p.processId()), GetParam());
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 128 + GetParam());
    const QString saved = QDir(dir.path()).filePath("picture-01.bmp");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"picture-01.bmp"});
    EXPECT_TRUE(readBitmap([&] {
        QFile f(saved);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }()));
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(err.contains("pictures saved before the stop: " + saved)) << err.toStdString();
    EXPECT_EQ(camera.counters().ctrlEnd, endsBefore + 1);

    camera.setFaults({});
    EXPECT_EQ(orvik3({"--port", port, "status"}).code, 0);
}

INSTANTIATE_TEST_SUITE_P(PictureCommands, StopSignal, testing::Values(SIGINT, SIGTERM));

// A picture the camera does not hold is refused at once; one that no two of three downloads
// agree on is not saved.
TEST(PictureCommands, RefusesAMissingPictureAndSavesNoneItCouldNotVerify) {
    camsim::SimCamera camera(unpaced());
    const QString port = "1=" + QString::fromStdString(camera.devicePath());
    QTemporaryDir dir;
    const Result missing = orvik3({"--port", port, "download", "7", "--out", dir.path()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains("there is no picture 7: the camera holds 5 pictures"));
    EXPECT_EQ(camera.counters().transfersStarted, 0);

    camsim::Faults damage;
    damage.hiddenDamagePackets = {{1000, 3}};
    camera.setFaults(damage);
    const Result doubtful =
        orvik3({"--port", port, "download", "2", "--verify", "--out", dir.path()});
    EXPECT_EQ(doubtful.code, 1);
    EXPECT_TRUE(doubtful.err.contains("not verified: no two of three downloads agree on 1 packet"))
        << doubtful.err.toStdString();
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

}  // namespace

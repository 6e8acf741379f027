// Bad splash and FPGA files: each is refused (or, for an FPGA file of the wrong size, loaded
// with a warning) with a clear message, and nothing of a refused file reaches the camera.
#include <gtest/gtest.h>

#include <QLabel>
#include <functional>

#include "FileCases.h"
#include "tests/front/FormsFixture.h"

namespace {

using namespace files;

struct BadFile {
    const char* name;
    std::function<QString(const QTemporaryDir&)> make;  // the path to load
    const char* said;                                   // part of the message
    bool nonRootOnly = false;
};

QString file(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    write(dir.filePath(name), bytes);
    return dir.filePath(name);
}

QString unreadable(const QTemporaryDir& dir) {
    const QString path = file(dir, "locked.bmp", bmp24(320, 240));
    setMode(path, 0);
    return path;
}

QString huge(const QTemporaryDir& dir) {
    makeHuge(dir.filePath("huge.bmp"));
    return dir.filePath("huge.bmp");
}

// Cases every loader refuses.
std::vector<BadFile> commonCases() {
    return {
        {"directory",
         [](auto& d) {
             QDir(d.path()).mkdir("folder.bmp");
             return d.filePath("folder.bmp");
         },
         "it is a folder"},
        {"unreadable", unreadable, "could not be opened", true},
    };
}

class BadFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        f.program.fpga.setConversionPath(dir.filePath("conversion.txt"));
        f.camera.clearLog();
    }
    // A message naming the file, shown once for this load.
    void expectSaid(const QString& path, const char* said) {
        ASSERT_FALSE(f.dialogs.shown.empty()) << path.toStdString();
        const auto& m = f.dialogs.shown.back();
        EXPECT_TRUE(m.text.contains(QFileInfo(path).fileName())) << m.text.toStdString();
        EXPECT_TRUE(m.text.contains(said)) << m.text.toStdString();
        EXPECT_TRUE(m.title.startsWith("Orvik 3"));
    }
    bool skip(const BadFile& c) { return c.nonRootOnly && isRoot(); }

    Forms f{camsim::SimCamera::defaultState(), true};
    QTemporaryDir dir;
};

TEST_F(BadFiles, SplashFilesAreRefusedAndNothingIsSent) {
    std::vector<BadFile> cases = commonCases();
    const QByteArray good = bmp24(320, 240);
    cases.push_back(
        {"empty", [](auto& d) { return file(d, "empty.bmp", {}); }, "not a Windows bitmap"});
    cases.push_back(
        {"truncated", [&](auto& d) { return file(d, "cut.bmp", good.left(100000)); }, "truncated"});
    cases.push_back(
        {"wrong depth", [](auto& d) { return file(d, "eight.bmp", bmp8()); }, "8 bits per pixel"});
    cases.push_back({"wrong size", [](auto& d) { return file(d, "big.bmp", bmp24(640, 480)); },
                     "640 x 480 pixels"});
    cases.push_back(
        {"renamed PNG", [](auto& d) { return file(d, "png.bmp", png()); }, "not a Windows bitmap"});
    cases.push_back({"very large", huge, "a file of 3221225472 bytes"});
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.name);
        if (skip(c)) continue;
        const QString path = c.make(dir);
        f.dialogs.files.push_back(FileChoice{path, 1});
        f.click(f.advanced(), "OpenSplashImage_btn");
        expectSaid(path, c.said);
        EXPECT_EQ(f.program.state.SplashBitsPerPixel, 0);
    }
    // With every file refused there is nothing to send, and the camera hears nothing.
    f.click(f.advanced(), "SendBMP_To_Camera");
    EXPECT_TRUE(f.dialogs.saw("The picture being sent to camera, has problem with it format"));
    EXPECT_TRUE(f.heard().empty());

    // A good file after them loads; a bad one after that leaves it loaded.
    const QString goodPath = file(dir, "good.bmp", good);
    f.dialogs.files.push_back(FileChoice{goodPath, 1});
    f.click(f.advanced(), "OpenSplashImage_btn");
    EXPECT_EQ(f.program.state.SplashBitsPerPixel, 24);
    f.dialogs.files.push_back(FileChoice{file(dir, "again.bmp", {}), 1});
    f.click(f.advanced(), "OpenSplashImage_btn");
    EXPECT_EQ(f.program.state.SplashFileName, goodPath);
    EXPECT_TRUE(f.heard().empty());
}

TEST_F(BadFiles, FpgaFilesAreRefusedOrLoadedWithAWarning) {
    SharedState& s = f.program.state;
    std::vector<BadFile> refused = commonCases();
    refused.push_back({"empty", [](auto& d) { return file(d, "empty.rbf", {}); }, "is empty"});
    const std::vector<uint8_t> marker(59216, 0x5A);
    for (const BadFile& c : refused) {
        SCOPED_TRACE(c.name);
        if (skip(c)) continue;
        s.RbfData = marker;
        const QString path = c.make(dir);
        EXPECT_FALSE(f.program.fpga.LoadConfigFile(path));
        expectSaid(path, c.said);
        EXPECT_EQ(s.RbfData, marker);
    }

    // Files of the wrong size load as designed, and say so.
    QByteArray part(1000, '\x11');
    const struct {
        const char* name;
        QString path;
        QByteArray start;
        const char* said;
    } warned[] = {
        {"truncated", file(dir, "part.rbf", part), part, "filled up with zeros"},
        {"renamed PNG", file(dir, "png.rbf", png()), png().left(59216), "png.rbf\" is"},
        {"very large", (makeHuge(dir.filePath("huge.rbf")), dir.filePath("huge.rbf")),
         QByteArray(59216, '\0'), "cut to that length"},
    };
    for (const auto& w : warned) {
        SCOPED_TRACE(w.name);
        s.RbfData = marker;
        EXPECT_TRUE(f.program.fpga.LoadConfigFile(w.path));
        expectSaid(w.path, w.said);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(s.RbfData.data()), w.start.size()),
                  w.start);
    }
    EXPECT_TRUE(f.heard().empty());  // loading never talks to the camera
}

}  // namespace

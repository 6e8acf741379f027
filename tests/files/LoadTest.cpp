// Bad splash and FPGA files: each is refused (or, for an FPGA file of the wrong size, loaded with a
// warning) with a message naming the file, and nothing of a refused file reaches the camera.
#include <gtest/gtest.h>

#include "FileCases.h"
#include "tests/front/FormsFixture.h"

namespace {

using namespace files;

enum Kind { Bytes, Folder, Locked, Huge };

struct BadFile {
    const char* name;  // .bmp: a splash picture, .rbf: an FPGA configuration
    Kind kind;
    QByteArray bytes;
    const char* said;    // part of the message
    bool loads = false;  // an FPGA file of the wrong size loads, with a warning
};

TEST(BadFiles, SplashAndFpgaFilesAreRefusedOrLoadedWithAWarning) {
    Forms f{camsim::SimCamera::defaultState(), true};
    QTemporaryDir dir;
    f.program.fpga.setConversionPath(dir.filePath("conversion.txt"));
    f.camera.clearLog();
    SharedState& s = f.program.state;
    const QByteArray good = bmp24(320, 240), part(1000, '\x11');
    const BadFile cases[] = {
        {"folder.bmp", Folder, {}, "it is a folder"},
        {"locked.bmp", Locked, good, "could not be opened"},
        {"empty.bmp", Bytes, {}, "not a Windows bitmap"},
        {"cut.bmp", Bytes, good.left(100000), "truncated"},
        {"eight.bmp", Bytes, bmp8(), "8 bits per pixel"},
        {"big.bmp", Bytes, bmp24(640, 480), "640 x 480 pixels"},
        {"png.bmp", Bytes, png(), "not a Windows bitmap"},
        {"huge.bmp", Huge, {}, "a file of 3221225472 bytes"},
        {"folder.rbf", Folder, {}, "it is a folder"},
        {"locked.rbf", Locked, part, "could not be opened"},
        {"empty.rbf", Bytes, {}, "is empty"},
        {"part.rbf", Bytes, part, "filled up with zeros", true},
        {"png.rbf", Bytes, png(), "png.rbf\" is", true},
        {"huge.rbf", Huge, QByteArray(59216, '\0'), "cut to that length", true},
    };
    const std::vector<uint8_t> marker(59216, 0x5A);
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.kind == Locked && isRoot()) continue;  // root reads it anyway
        const QString path = dir.filePath(c.name);
        if (c.kind == Folder) QDir(dir.path()).mkdir(c.name);
        if (c.kind == Huge) makeHuge(path);
        if (c.kind == Bytes || c.kind == Locked) write(path, c.bytes);
        if (c.kind == Locked) setMode(path, 0);
        const size_t shown = f.dialogs.shown.size();
        if (path.endsWith(".bmp")) {
            f.dialogs.files.push_back(FileChoice{path, 1});
            f.click(f.advanced(), "OpenSplashImage_btn");
            EXPECT_EQ(s.SplashBitsPerPixel, 0);
        } else {
            s.RbfData = marker;
            EXPECT_EQ(f.program.fpga.LoadConfigFile(path), c.loads);
            const QByteArray start = c.loads ? c.bytes.left(59216) : QByteArray(marker.size(), 'Z');
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(s.RbfData.data()), start.size()),
                      start);
        }
        ASSERT_EQ(f.dialogs.shown.size(), shown + 1);
        const auto& m = f.dialogs.shown.back();
        EXPECT_TRUE(m.text.contains(c.name) && m.text.contains(c.said)) << m.text.toStdString();
        EXPECT_TRUE(m.title.startsWith("Orvik 3"));
    }
    // With every splash file refused the send puts the camera back on its live scene and stops.
    f.click(f.advanced(), "SendBMP_To_Camera");
    EXPECT_TRUE(f.dialogs.saw("The picture being sent to camera, has problem with it format"));
    const std::vector<QByteArray> liveScene{"Sf"};
    EXPECT_EQ(f.heard(), liveScene);  // loading never talks to the camera

    // A good file after them loads; a bad one after that leaves it loaded.
    write(dir.filePath("good.bmp"), good);
    f.dialogs.files.push_back(FileChoice{dir.filePath("good.bmp"), 1});
    f.click(f.advanced(), "OpenSplashImage_btn");
    EXPECT_EQ(s.SplashBitsPerPixel, 24);
    f.dialogs.files.push_back(FileChoice{dir.filePath("empty.bmp"), 1});
    f.click(f.advanced(), "OpenSplashImage_btn");
    EXPECT_EQ(s.SplashFileName, dir.filePath("good.bmp"));
    EXPECT_EQ(f.heard(), liveScene);
}

}  // namespace

// Saves that cannot be made: the picture and the report (text and rich text) to a folder, a
// read-only folder or file, a full device, a disk that fills part-way and a missing folder. Each
// says so in an "Orvik 3: Error" message and leaves what was there as it was; a save over an
// existing file (a huge one too) replaces it and leaves no temporary file behind.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "FileCases.h"
#include "tests/images_gui/PictureForms.h"

namespace {

using namespace files;

const QByteArray kEarlier = "the file that was here before";

enum Kind { Existing, HugeFile, Folder, Missing, FullDevice, ReadOnlyFile, ReadOnlyFolder };

struct Target {
    const char* name;
    Kind kind;
    bool saves;
    rlim_t sizeLimit = RLIM_INFINITY;
};

const Target kTargets[] = {
    {"existing file", Existing, true},
    {"existing huge file", HugeFile, true},
    {"directory", Folder, false},
    {"missing folder", Missing, false},
    {"full device", FullDevice, false},
    {"disk full part-way", Existing, false, 64},
    {"read-only file", ReadOnlyFile, false},
    {"read-only folder", ReadOnlyFolder, false},
};

// The path to save to; empty when it cannot be set up for this user.
QString make(const QTemporaryDir& d, Kind kind) {
    const QString path = d.filePath(kind == ReadOnlyFolder ? "ro/kept" : "target");
    if ((kind == ReadOnlyFile || kind == ReadOnlyFolder) && isRoot()) return {};
    if (kind == FullDevice) return fullDevice(d);
    if (kind == Missing) return d.filePath("missing/x");
    if (kind == Folder) QDir(d.path()).mkdir("target");
    if (kind == HugeFile) makeHuge(path);
    if (kind == ReadOnlyFolder) QDir(d.path()).mkdir("ro");
    if (kind == Existing || kind == ReadOnlyFile || kind == ReadOnlyFolder) write(path, kEarlier);
    if (kind == ReadOnlyFile) setMode(path, 0444);
    if (kind == ReadOnlyFolder) setMode(d.filePath("ro"), 0555);
    return path;
}

TEST(Saves, PictureAndReportAsTextAndRichText) {
    PictureForms f;
    f.retrieve("1");
    f.click(f.advanced(), "Status_report_request");
    ASSERT_FALSE(f.tab().shownImage().isNull());
    const std::pair<const char*, int> saves[] = {
        {"Image_save_btn", 1}, {"cmdSaveReport", 1}, {"cmdSaveReport", 2}};
    for (const auto& [button, filter] : saves)
        for (const Target& t : kTargets) {
            SCOPED_TRACE(std::string(button) + " " + std::to_string(filter) + " to " + t.name);
            QTemporaryDir dir;
            const QString path = make(dir, t.kind);
            if (path.isEmpty()) continue;
            const QFileInfo before(path);
            const QByteArray earlier = before.isFile() && before.size() < 1000 ? readAll(path) : "";
            const QStringList files = QDir(QFileInfo(path).path()).entryList(QDir::Files);
            const size_t shown = f.dialogs.shown.size();
            f.dialogs.files.push_back(FileChoice{path, filter});
            withFileSizeLimit(t.sizeLimit, [&] { f.click(f.advanced(), button); });
            setMode(dir.filePath("ro"), 0755);
            if (t.saves) {
                EXPECT_EQ(f.dialogs.shown.size(), shown);
                EXPECT_GT(QFileInfo(path).size(), 0);
                EXPECT_LT(QFileInfo(path).size(), 1 << 20);
                EXPECT_NE(readAll(path), kEarlier);
            } else {
                ASSERT_EQ(f.dialogs.shown.size(), shown + 1);
                EXPECT_EQ(f.dialogs.shown.back().title, "Orvik 3: Error");
                EXPECT_TRUE(f.dialogs.shown.back().text.contains(path))
                    << f.dialogs.shown.back().text.toStdString();
                if (!earlier.isEmpty()) {
                    EXPECT_EQ(readAll(path), earlier);
                }
            }
            EXPECT_FALSE(t.kind == FullDevice && QFileInfo(path).isFile());
            // No temporary file is left beside the target.
            EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files), files);
        }
}

}  // namespace

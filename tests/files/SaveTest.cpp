// Saves that cannot be made: the picture and the report (text and rich text) to a folder, a
// read-only folder or file, a full device, a disk that fills part-way and a missing folder.
// Each says so in an "Orvik 3: Error" message and leaves what was there as it was; a save over
// an existing file (a huge one too) replaces it and leaves no temporary file behind.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <functional>

#include "FileCases.h"
#include "tests/images_gui/PictureForms.h"

namespace {

using namespace files;

const QByteArray kEarlier = "the file that was here before";

struct Target {
    const char* name;
    std::function<QString(const QTemporaryDir&)> make;  // the path to save to; empty: skip
    bool saves;
    rlim_t sizeLimit = RLIM_INFINITY;
};

QString existing(const QTemporaryDir& d, const char* name) {
    write(d.filePath(name), kEarlier);
    return d.filePath(name);
}

std::vector<Target> targets() {
    return {
        {"existing file", [](auto& d) { return existing(d, "old"); }, true},
        {"existing huge file",
         [](auto& d) {
             makeHuge(d.filePath("huge"));
             return d.filePath("huge");
         },
         true},
        {"directory",
         [](auto& d) {
             QDir(d.path()).mkdir("dir");
             return d.filePath("dir");
         },
         false},
        {"missing folder", [](auto& d) { return d.filePath("missing/x"); }, false},
        {"full device", [](auto& d) { return fullDevice(d); }, false},
        {"disk full part-way", [](auto& d) { return existing(d, "kept"); }, false, 64},
        {"read-only file",
         [](auto& d) {
             if (isRoot()) return QString();
             const QString p = existing(d, "ro");
             setMode(p, 0444);
             return p;
         },
         false},
        {"read-only folder",
         [](auto& d) {
             if (isRoot()) return QString();
             QDir(d.path()).mkdir("ro");
             const QString p = existing(d, "ro/kept");
             setMode(d.filePath("ro"), 0555);
             return p;
         },
         false},
    };
}

class Saves : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        f = new PictureForms;
        f->retrieve("1");
        f->click(f->advanced(), "Status_report_request");
    }
    static void TearDownTestSuite() {
        delete f;
        f = nullptr;
    }

    // Saves to every target with `save` and checks the outcome.
    void check(const std::function<void(const QString&)>& save) {
        for (const Target& t : targets()) {
            SCOPED_TRACE(t.name);
            QTemporaryDir dir;
            const QString path = t.make(dir);
            if (path.isEmpty()) continue;  // cannot be set up for this user
            const QFileInfo before(path);
            const QByteArray earlier = before.isFile() && before.size() < 1000 ? readAll(path) : "";
            const QStringList files = QDir(QFileInfo(path).path()).entryList(QDir::Files);
            const size_t shown = f->dialogs.shown.size();
            withFileSizeLimit(t.sizeLimit, [&] { save(path); });
            setMode(dir.filePath("ro"), 0755);
            if (t.saves) {
                EXPECT_EQ(f->dialogs.shown.size(), shown);
                EXPECT_GT(QFileInfo(path).size(), 0);
                EXPECT_LT(QFileInfo(path).size(), 1 << 20);
                EXPECT_NE(readAll(path), kEarlier);
            } else {
                ASSERT_EQ(f->dialogs.shown.size(), shown + 1);
                EXPECT_EQ(f->dialogs.shown.back().title, "Orvik 3: Error");
                EXPECT_TRUE(f->dialogs.shown.back().text.contains(path))
                    << f->dialogs.shown.back().text.toStdString();
                if (!earlier.isEmpty()) {
                    EXPECT_EQ(readAll(path), earlier);
                }
            }
            if (t.name == std::string("full device")) {
                EXPECT_FALSE(QFileInfo(path).isFile());
            }
            // No temporary file is left beside the target.
            EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files), files);
        }
    }

    static inline PictureForms* f = nullptr;
};

TEST_F(Saves, Picture) {
    ASSERT_FALSE(f->tab().shownImage().isNull());
    check([](const QString& path) {
        f->dialogs.files.push_back(FileChoice{path, 1});
        f->click(f->advanced(), "Image_save_btn");
    });
}

TEST_F(Saves, ReportAsTextAndRichText) {
    for (int filter : {1, 2}) {
        SCOPED_TRACE(filter);
        check([filter](const QString& path) {
            f->dialogs.files.push_back(FileChoice{path, filter});
            f->click(f->advanced(), "cmdSaveReport");
        });
    }
}

}  // namespace

// The program as installed by `cmake --install` into a fresh prefix, run from there as a user
// runs it: its files in their places, its bitmaps found, its entry valid, its manual page
// complete, and the install manifest enough to remove it all again.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "tests/support/RunProgram.h"

namespace {

using Result = ProgramResult;

Result run(const QString& program, const QStringList& args,
           const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    return runProgram(program, args, env);
}

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// One install for the whole suite. The default component is installed by name so the manifest
// goes to install_manifest_Unspecified.txt and a user's install_manifest.txt is left alone.
class Installed : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // A space in the prefix, as in a home folder named "Service Bench".
        root = new QTemporaryDir(QDir::tempPath() + "/orvik3 install-XXXXXX");
        prefix = root->filePath("prefix");
        manifest = QString(ORVIK_BUILD_DIR) + "/install_manifest_Unspecified.txt";
        install = run(ORVIK_CMAKE, {"--install", ORVIK_BUILD_DIR, "--component", "Unspecified",
                                    "--prefix", prefix});
    }
    static void TearDownTestSuite() {
        delete root;
        root = nullptr;
    }
    void SetUp() override { ASSERT_EQ(install.code, 0) << install.err.toStdString(); }

    static QString at(const QString& relative) { return prefix + "/" + relative; }
    // A user with a home and data folder of their own, outside the prefix.
    static QProcessEnvironment userEnvironment() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", root->filePath("home"));
        env.insert("XDG_DATA_HOME", root->filePath("home/.local/share"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        return env;
    }

    static inline QTemporaryDir* root = nullptr;
    static inline QString prefix, manifest;
    static inline Result install;
};

// The names of files opened in `folder` while `action` runs.
QSet<QString> filesOpenedIn(const QString& folder, const std::function<void()>& action) {
    const int fd = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(fd, folder.toLocal8Bit().constData(), IN_OPEN);
    action();
    QSet<QString> names;
    alignas(inotify_event) char buffer[8192];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            if (event->len) names.insert(QString::fromLocal8Bit(event->name));
            p += sizeof(inotify_event) + event->len;
        }
    }
    close(fd);
    return names;
}

TEST_F(Installed, RunsFromThePrefixWithItsBitmapsAndWritesOnlyToTheUsersDataFolder) {
    const Result help = run(at("bin/orvik3"), {"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: orvik3"));

    // The command line needs none of the program's files.
    const Result status = run(at("bin/orvik3"), {"--simulate", "status"}, userEnvironment());
    EXPECT_EQ(status.code, 0) << status.err.toStdString();
    EXPECT_TRUE(status.out.contains("Camera Setup Summary"));

    // The desktop program shows its lamps and opens its conversion file; it is stopped after a
    // few seconds, long enough for its forms to load.
    const QSet<QString> opened = filesOpenedIn(at("share/orvik3"), [&] {
        runProgram(at("bin/orvik3"), {"--simulate"}, userEnvironment(), 4000);
    });
    EXPECT_TRUE(opened.contains("GreenLED.bmp") && opened.contains("RedLED.bmp") &&
                opened.contains("GreyLED1.bmp"))
        << QStringList(opened.values()).join(' ').toStdString();

    // bin/ holds the executables only; the FPGA conversion file goes to the user's data folder.
    EXPECT_EQ(QDir(at("bin")).entryList(QDir::Files), (QStringList{"orvik3", "orvik3-camsim"}));
    EXPECT_TRUE(
        QFileInfo::exists(root->filePath("home/.local/share/orvik3/FPGA_rbf_conversion.txt")));
}

TEST_F(Installed, DesktopEntryIsValidAndStartsTheInstalledProgram) {
    const QString entry = at("share/applications/orvik3.desktop");
    const Result valid = run("desktop-file-validate", {entry});
    EXPECT_EQ(valid.code, 0) << valid.out.toStdString();
    EXPECT_TRUE(valid.out.isEmpty()) << valid.out.toStdString();  // not even a hint
    const QString text = readText(entry);
    EXPECT_TRUE(text.contains("\nExec=\"" + at("bin/orvik3") + "\"\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nTryExec=" + at("bin/orvik3") + "\n"));
    EXPECT_TRUE(text.contains("\nIcon=orvik3\n"));
}

// Troff source as a reader sees it: escaped hyphens plain, font changes gone.
QString manText(const QString& troff) {
    QString text = troff;
    text.replace("\\-", "-").replace(QRegularExpression(R"(\\f[BIRP])"), "");
    return text;
}

// The command words of the usage text: the first word of each entry under "Commands".
QStringList usageCommands(const QString& usage) {
    const QString commands = usage.section("Commands", 1).section("\nOptions:", 0, 0);
    QStringList words;
    const QRegularExpression entry(R"(\n  ([a-z][a-z-]*))");
    for (auto m = entry.globalMatch(commands); m.hasNext();) words << m.next().captured(1);
    words.removeDuplicates();
    return words;
}

TEST_F(Installed, ManualPageHasEveryCommandAndOptionOfTheUsageText) {
    const QString usage = run(at("bin/orvik3"), {"--help"}).out;
    const QString man = manText(readText(at("share/man/man1/orvik3.1")));
    ASSERT_FALSE(man.isEmpty());
    // A command is the first word of an item's tag line.
    QSet<QString> tagged;
    const QStringList lines = man.split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == ".TP") tagged << lines[i + 1].section(' ', 1, 1).remove('"');
    const QStringList commands = usageCommands(usage);
    EXPECT_GE(commands.size(), 10) << usage.toStdString();
    for (const QString& command : commands)
        EXPECT_TRUE(tagged.contains(command)) << command.toStdString();
    const QRegularExpression option(R"(--[a-z][a-z-]*)");
    for (auto m = option.globalMatch(usage); m.hasNext();) {
        const QString name = m.next().captured();
        EXPECT_TRUE(man.contains(QRegularExpression(name + R"((?![a-z-]))"))) << name.toStdString();
    }
}

// Each file in its place, nothing else, and the manifest lists them all, so
// `xargs rm < install_manifest.txt` leaves nothing behind.
TEST_F(Installed, PutsEachFileInItsPlaceAndListsIt) {
    QStringList found;
    for (QDirIterator it(prefix, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        found << it.next();
    found.sort();
    QStringList expected;
    for (const char* file :
         {"bin/orvik3", "bin/orvik3-camsim", "share/applications/orvik3.desktop",
          "share/bash-completion/completions/orvik3",
          "share/icons/hicolor/scalable/apps/orvik3.svg", "share/man/man1/orvik3.1",
          "share/metainfo/orvik3.metainfo.xml", "share/orvik3/GreenLED.bmp",
          "share/orvik3/GreyLED1.bmp", "share/orvik3/RedLED.bmp"})
        expected << at(file);
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(QFileInfo(at("bin/orvik3")).isExecutable());
    EXPECT_TRUE(QFileInfo(at("bin/orvik3-camsim")).isExecutable());
    QStringList listed = readText(manifest).split('\n', Qt::SkipEmptyParts);
    listed.sort();
    EXPECT_EQ(listed, found);
}

}  // namespace

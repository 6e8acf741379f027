// The command line's words and options: what each command takes, and the message a bad one
// gets (the program prints it with the usage text and exits 2).
#include <gtest/gtest.h>

#include "cli/CommandLine.h"
#include "forms/WidgetDialogs.h"

namespace {

using A = Invocation::Action;

Invocation parse(const QString& line) {
    return parseCommandLine(line.split(' ', Qt::SkipEmptyParts));
}

TEST(CommandLineParse, RefusesWhatACommandDoesNotTake) {
    const std::pair<const char*, const char*> cases[] = {
        {"status --speed 9600", "--speed takes 115200 or 19200"},
        {"status --port 5", "--port takes 1 to 4, or N=DEVICE"},
        {"status --port", "--port needs a value"}, {"serial 12 13", "unexpected word 13"},
        {"status --bogus", "unknown option --bogus"},
        {"status --save x.doc", "--save takes a .txt or .rtf file"},
        {"ports --save x.txt", "--save belongs to the status command"},
        {"status --at 2020-01-01", "--at takes \"YYYY-MM-DD HH:MM\" with a year from 2001 to 2099"},
        {"status ports", "one command at a time"},
        {"status later", "unexpected word later"},
        {"frobnicate", "unexpected word frobnicate"},
        {"download", "download needs a picture: a number, splash or all"},
        {"delete", "delete needs a picture: a number, or all"},
        {"download 27", "download takes a picture number 1 to 26, splash or all"},
        {"delete splash --yes", "delete takes a picture number 1 to 26 or all"},
        {"delete 3", "delete cannot be undone: confirm it with --yes"},
        {"store --yes", "--yes belongs to the delete command"},
        {"pictures --out x.bmp", "--palette, --out, --format and --force belong to the download command"},
        {"download 1 --format gif", "--format takes bmp, png or csv"},
        {"download 1 --palette Plaid", "--palette takes a name of the colour list, e.g. \"Red hot, white\""},
        {"console peek 3", "console takes read or write"},
        {"console read 256", "console addresses and bytes are whole numbers from 0 to 255"},
        {"console read 1 2", "console read takes one address"},
        {"console write 1", "console write takes an address and one to three bytes"},
        {"console write 1 2 3 4 5", "console write takes an address and one to three bytes"},
        {"start-values", "start-values rewrites the camera's settings and clock; add --yes to go on"},
        {"splash", "splash needs a value"},
    };
    for (const auto& [line, error] : cases)
        EXPECT_EQ(parse(line).error, QString(error)) << line;
}

TEST(CommandLineParse, TakesEachCommandWithItsOptions) {
    Invocation c = parse("download splash --out s.png --port 2=/dev/ttyUSB3 --speed 19200");
    ASSERT_EQ(c.error, QString());
    EXPECT_EQ(c.action, A::Picture);
    EXPECT_EQ(c.picture.target, PictureCommand::Target::Splash);
    EXPECT_EQ(c.picture.format, "png");  // from --out's suffix
    EXPECT_EQ(c.common.port, 2);
    EXPECT_EQ(c.common.portDevices.at(0).second, "/dev/ttyUSB3");
    EXPECT_EQ(c.common.speed, 19200);

    c = parse("--port 3 console write 10 1 2 --yes --port 1");
    ASSERT_EQ(c.error, QString());
    EXPECT_EQ(c.common.port, 1);  // the later choice wins
    EXPECT_EQ(c.settings.kind, SettingsCommand::Kind::ConsoleWrite);
    EXPECT_EQ(c.settings.address, 10);
    EXPECT_EQ(c.settings.bytes, (std::vector<int>{1, 2}));
    EXPECT_TRUE(c.common.fullEdition);

    c = parseCommandLine({"set-time", "--at", "2030-05-06 07:08"});
    EXPECT_EQ(c.at, QDateTime(QDate(2030, 5, 6), QTime(7, 8)));

    EXPECT_EQ(parse("delete all --yes").picture.target, PictureCommand::Target::All);
    EXPECT_EQ(parse("splash off").upload.kind, UploadCommand::Kind::SplashOff);
    EXPECT_EQ(parse("status --help").action, A::Help);
    EXPECT_EQ(parse("--simulate").action, A::Desktop);
}

// File dialogs show each filter's patterns once, whether or not the description names them.
TEST(FileFilters, NamePatternsOnce) {
    EXPECT_EQ(qtFilterFromDesign("Rich Text Format (*.rtf)|*.rtf|Text (*.txt)|*.txt"),
              "Rich Text Format (*.rtf);;Text (*.txt)");
    EXPECT_EQ(qtFilterFromDesign("Bitmap Files|*.bmp;*.dib"), "Bitmap Files (*.bmp *.dib)");
}

}  // namespace

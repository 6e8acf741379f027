// The setup summary's ways out: saved as text and rich text, printed to a PDF file, e-mailed.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "FormsFixture.h"

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Report : public ::testing::Test {
  protected:
    void SetUp() override {
        f.click(f.front(), "ConnectToCamera_btn");
        f.click(f.front(), "AdvFunc_btn");
        f.click(f.advanced(), "Status_report_request");
        f.find<QTextEdit>(f.advanced(), "RichTextBox2")->setPlainText("Lens cracked\nsee photo");
        report = f.text(f.advanced(), "RichTextBox1").replace("\n", "\r\n");
        output = report + "\r\n\r\nComments:\r\nLens cracked\r\nsee photo";
    }
    void save(const QString& path, int filter) {
        f.dialogs.files.push_back(FileChoice{path, filter});
        f.click(f.advanced(), "cmdSaveReport");
    }

    Forms f;
    QTemporaryDir dir;
    QString report, output;
};

// Text and rich text with the comments; a failed save says so, a cancel says nothing.
TEST_F(Report, SavesTextAndRichTextWithTheComments) {
    save(dir.filePath("r.txt"), 1);
    EXPECT_EQ(QString::fromUtf8(readFile(dir.filePath("r.txt"))), output);
    ASSERT_EQ(f.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(f.dialogs.fileRequests[0].filter,
              "Text Document (*.txt)|*.txt|Rich Text Format (*.rtf)|*.rtf");
    EXPECT_EQ(f.dialogs.fileRequests[0].filterIndex, 2);
    save(dir.filePath("r.rtf"), 2);  // the writer itself is read back in RtfWriterTest
    const QByteArray rtf = readFile(dir.filePath("r.rtf"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1") && rtf.contains("Lens cracked"));
    EXPECT_TRUE(f.program.state.ReportSaved && f.dialogs.shown.empty());
    EXPECT_TRUE(f.text(f.advanced(), "RichTextBox3").isEmpty());

    f.program.state.ReportSaved = false;
    save(dir.filePath("no-such-folder/r.txt"), 1);
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].title, "Orvik 3: Error");
    EXPECT_TRUE(f.dialogs.shown[0].text.contains("no-such-folder/r.txt"));
    EXPECT_FALSE(f.program.state.ReportSaved);
    save(dir.filePath("x.doc"), 3);
    EXPECT_TRUE(f.dialogs.saw("Unknown file type!!"));
    f.dialogs.files.push_back(std::nullopt);
    f.click(f.advanced(), "cmdSaveReport");
    EXPECT_EQ(f.dialogs.shown.size(), 2u);
}

TEST_F(Report, PrintsTheReportToTheChosenPrinter) {
    f.dialogs.printToPdf = dir.filePath("r.pdf");
    f.click(f.advanced(), "cmdPrintReport");
    ASSERT_GT(QFileInfo(dir.filePath("r.pdf")).size(), 0);
    const QString text = run("pdftotext", {"-layout", dir.filePath("r.pdf"), "-"});
    EXPECT_TRUE(text.contains("Camera Setup Summary")) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains("Serial Number: 10234"));
    EXPECT_TRUE(text.contains("Lens cracked"));
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST_F(Report, MailsTheReportToTheRepairCentre) {
    f.click(f.advanced(), "Email_report_btn");
    ASSERT_EQ(f.mail.sent.size(), 1u);
    const MailMessage& m = f.mail.sent[0];
    EXPECT_EQ(m.to, "repairs@example.org");
    EXPECT_EQ(m.subject, "Camera Failure Status Report");
    EXPECT_EQ(m.body,
              "To whom it may concern, camera 10234 has failed. Please find a status "
              "report attached.");
    EXPECT_EQ(QString::fromUtf8(m.attachmentData), output);
    EXPECT_TRUE(
        f.dialogs.saw("The cameras stauts report has been emailed, to the Orvik 3 repair centre."));
    EXPECT_FALSE(QFile::exists(f.program.state.ReportFilePath));  // the private copy is gone

    f.mail.accept = false;
    f.click(f.advanced(), "Email_report_btn");
    EXPECT_TRUE(
        f.dialogs.saw("Emailing the status report was not possible, due to the way your "
                      "email system works. Save the status report and email it to "
                      "repairs@example.org"));
}

}  // namespace

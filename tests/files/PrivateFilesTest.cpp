// The report copy made for e-mail is private (mode 0600, in a folder of mode 0700) and gone
// afterwards; what the user typed reaches the mail program only on its input, never a shell.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFileInfo>

#include "FileCases.h"
#include "camera/Report.h"
#include "tests/front/FormsFixture.h"

namespace {

using namespace files;

mode_t modeOf(const QString& path) {
    struct stat st {};
    return stat(path.toLocal8Bit().constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Looks at the copy while the message is being handed over.
struct InspectingTransport : MailTransport {
    bool send(const MailMessage& m) override {
        path = state->ReportFilePath;
        fileMode = modeOf(path);
        folderMode = modeOf(QFileInfo(path).path());
        attachment = m.attachmentData;
        return true;
    }
    const SharedState* state = nullptr;
    QString path;
    mode_t fileMode = 0, folderMode = 0;
    QByteArray attachment;
};

TEST(PrivateFiles, TheReportCopyForMailIsPrivateAndRemoved) {
    Forms f;
    InspectingTransport mail;
    mail.state = &f.program.state;
    const QString report = "Camera Setup Summary\r\nSerial number 1234";
    EXPECT_TRUE(camera::mailReport(f.program.form1.camera(), mail, "a@b.org", report).ok);
    ASSERT_FALSE(mail.path.isEmpty());
    EXPECT_EQ(mail.fileMode, mode_t(0600));
    EXPECT_EQ(mail.folderMode, mode_t(0700));
    EXPECT_TRUE(mail.attachment.contains("Serial number 1234"));
    EXPECT_FALSE(QFileInfo::exists(mail.path));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(mail.path).path()));
}

// A stand-in mail program that records its arguments and its input.
TEST(PrivateFiles, UserTextReachesTheMailProgramOnlyOnItsInput) {
    QTemporaryDir dir;
    const QString script = dir.filePath("sendmail");
    write(script, QString("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1/args'\ncat > '%1/input'\n")
                      .arg(dir.path())
                      .toLocal8Bit());
    setMode(script, 0700);
    const QString mark = dir.filePath("mark");
    const QString hostile =
        QString("a@b.org; touch %1 $(touch %1) `touch %1` | touch %1").arg(mark);
    MailMessage m{hostile, "subject $(touch " + mark + ")", "body `touch " + mark + "`",
                  "name'; touch " + mark + " #.txt", "data"};

    SendmailTransport transport(script, 20000);
    ASSERT_TRUE(transport.send(m));
    EXPECT_EQ(readAll(dir.filePath("args")), "-t\n-oi\n");
    EXPECT_FALSE(QFileInfo::exists(mark));
    EXPECT_TRUE(readAll(dir.filePath("input")).contains("To: " + hostile.toLatin1() + "\n"));
}

}  // namespace

#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/Mail.h"
#include "status/SetupReport.h"

namespace {

struct Part {
    QMap<QByteArray, QByteArray> headers;  // lower-case names, unfolded values
    QByteArray body;
};

Part parsePart(const QByteArray& text) {
    Part part;
    const qsizetype split = text.indexOf("\n\n");
    QByteArray name;
    for (const QByteArray& line : text.left(split).split('\n')) {
        if (line.startsWith(' ') || line.startsWith('\t')) {
            part.headers[name] += line;
        } else if (const qsizetype colon = line.indexOf(':'); colon > 0) {
            name = line.left(colon).toLower();
            part.headers[name] = line.mid(colon + 1).trimmed();
        }
    }
    part.body = text.mid(split + 2);
    return part;
}

// The parts between the boundaries of a multipart message.
std::vector<Part> parseMultipart(const Part& message) {
    const QByteArray type = message.headers.value("content-type");
    const QByteArray boundary = "--" + type.mid(type.indexOf("boundary=\"") + 10).split('"')[0];
    std::vector<Part> parts;
    const QByteArray& rest = message.body;
    qsizetype at = rest.indexOf(boundary + "\n");
    while (at >= 0) {
        const qsizetype start = at + boundary.size() + 1;
        const qsizetype next = rest.indexOf("\n" + boundary, start);
        parts.push_back(parsePart(rest.mid(start, next - start + 1)));
        at = rest.indexOf(boundary + "\n", next + 1);
    }
    EXPECT_TRUE(rest.endsWith(boundary + "--\n"));
    return parts;
}

QString decodeWords(const QByteArray& value) {
    static const QRegularExpression word(R"(=\?UTF-8\?B\?([^?]*)\?=\s*)");
    QString text = QString::fromLatin1(value);
    QByteArray utf8;
    auto it = word.globalMatch(text);
    if (!it.hasNext()) return text;
    while (it.hasNext()) utf8 += QByteArray::fromBase64(it.next().captured(1).toLatin1());
    return QString::fromUtf8(utf8);
}

MailMessage reportMail() {
    MailMessage m;
    m.to = kRepairCentreAddress;
    m.subject = kReportMailSubject;
    m.body = reportMailBody(1234);
    m.attachmentName = kReportMailFileName;
    m.attachmentData =
        QStringLiteral("Orvik\u00ae3 Camera Setup Summary\r\n= 42 \u00b0C\r\n").toUtf8();
    return m;
}

TEST(Mail, MimeMessageParsesBack) {
    const MailMessage m = reportMail();
    const Part message = parsePart(buildMimeMessage(m));
    EXPECT_EQ(message.headers.value("to"), "service@orvik3.example");
    EXPECT_EQ(message.headers.value("subject"), "Camera Failure Status Report");
    EXPECT_EQ(message.headers.value("mime-version"), "1.0");
    const auto parts = parseMultipart(message);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].body,
              "To whom it may concern, camera 1234 has failed. Please find a status "
              "report attached.\n");
    EXPECT_TRUE(parts[1]
                    .headers.value("content-disposition")
                    .contains("filename=\"TestEmailStatusReport\""));
    EXPECT_EQ(parts[1].headers.value("content-transfer-encoding"), "base64");
    EXPECT_EQ(QByteArray::fromBase64(parts[1].body), m.attachmentData);

    // A subject with a line break cannot add a header; text beyond ASCII survives.
    MailMessage hostile = m;
    hostile.subject = QStringLiteral("Heatsink 42 \u00b0C\nBcc: someone@else.example");
    hostile.body = QStringLiteral("R\u00e9sum\u00e9 attached.");
    const Part sent = parsePart(buildMimeMessage(hostile));
    EXPECT_FALSE(sent.headers.contains("bcc"));
    EXPECT_EQ(decodeWords(sent.headers.value("subject")),
              QStringLiteral("Heatsink 42 \u00b0C Bcc: someone@else.example"));
    EXPECT_EQ(QString::fromUtf8(QByteArray::fromBase64(parseMultipart(sent)[0].body)),
              hostile.body);
}

// What sendmail takes on its input is in tests/files/PrivateFilesTest.cpp; here a failing or
// missing one is a failure, and it is found on the path.
TEST(Mail, SendmailFailsOrIsFoundOnThePath) {
    EXPECT_FALSE(SendmailTransport("/bin/false").send(reportMail()));
    QTemporaryDir dir;
    EXPECT_FALSE(SendmailTransport(dir.filePath("sendmail")).send(reportMail()));
    QFile file(dir.filePath("sendmail"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path().toLocal8Bit());
    EXPECT_EQ(SendmailTransport::findSendmail(), file.fileName());
    qputenv("PATH", path);
}

}  // namespace

// The report's rich text read back by a real RTF reader (unrtf), whose HTML Qt then reads.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "status/RtfWriter.h"
#include "status/SetupReport.h"
#include "status/StatusRecord.h"
#include "tests/status/StatusBlocks.h"

namespace {

TEST(RtfWriter, UnrtfReadsFontsEmphasisAndSigns) {
    const QString unrtf = QStandardPaths::findExecutable("unrtf");
    if (unrtf.isEmpty()) GTEST_SKIP() << "unrtf is not installed";
    const QDateTime now(QDate(2024, 12, 6), QTime(17, 34, 5));
    const QString report = setupReportText(*decodeStatusBlock(statusBlock(), {}), now);
    const QByteArray rtf = writeRtf(reportScreenRuns(reportOutputText(report, "{seal} C:\\dir")));
    EXPECT_TRUE(rtf.contains("Orvik\\u174\\'ae3")) << rtf.left(300).constData();
    EXPECT_TRUE(rtf.contains("42.6 \\u176\\'b0C"));

    QTemporaryDir dir;
    QFile file(dir.filePath("report.rtf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(rtf) == rtf.size());
    file.close();
    QProcess process;
    process.start(unrtf, {"--html", file.fileName()});
    ASSERT_TRUE(process.waitForFinished(10000));
    QTextDocument shown;
    shown.setHtml(QString::fromUtf8(process.readAllStandardOutput()));
    const QString text = shown.toPlainText().replace(QChar::Nbsp, ' ');
    for (const QString& part :
         {QStringLiteral("Orvik\u00ae3 Camera Setup Summary\n"),
          QStringLiteral("Dec/06/2024, 17:34:05\n"),
          QStringLiteral("(EVER):= 42.6 \u00b0C\n"), QStringLiteral("Comments:\n{seal} C:\\dir")})
        EXPECT_TRUE(text.contains(part)) << part.toStdString() << "\n" << text.toStdString();

    // Font, size step, bold and underline where each part of the report starts.
    struct Style {
        QString face;
        int size;
        bool bold, underline;
    };
    auto styleAt = [&](const QString& part) {
        QTextCursor c = shown.find(part);
        c.setPosition(c.selectionStart() + 1);
        const QTextCharFormat f = c.charFormat();
        return Style{f.fontFamilies().toStringList().value(0),
                     f.property(QTextFormat::FontSizeAdjustment).toInt(),
                     f.fontWeight() >= QFont::Bold, f.fontUnderline()};
    };
    const Style title = styleAt("Camera Setup"), date = styleAt("Dec/06"),
                body = styleAt("Serial Number: 1234");
    EXPECT_TRUE(title.face == "Tahoma" && title.bold && title.underline);
    EXPECT_TRUE(date.face == "Tahoma" && date.bold && !date.underline);
    EXPECT_TRUE(body.face == "Courier New" && !body.bold && !body.underline)
        << body.face.toStdString();
    EXPECT_GT(title.size, date.size);
    EXPECT_GT(date.size, body.size);
}

}  // namespace

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "status/RtfWriter.h"
#include "status/StatusRecord.h"
#include "tests/status/StatusBlocks.h"

namespace {

// Text as an RTF reader shows it, with the font, size and emphasis in force.
struct ShownText {
    QString text, face;
    int size = 0;
    bool bold = false, underline = false;
};

QString decodeEntities(QString text) {
    text.remove(u'\n');
    return text.replace("&reg;", "\u00ae")
        .replace("&deg;", "\u00b0")
        .replace("&nbsp;", " ")
        .replace("&lt;", "<")
        .replace("&gt;", ">")
        .replace("&amp;", "&");
}

// Reads the nested <font face|size>, <b>, <u> and <br> of unrtf's HTML.
std::vector<ShownText> parseUnrtfHtml(const QString& html) {
    std::vector<ShownText> shown;
    std::vector<std::pair<QString, QString>> open;  // tag, value
    auto state = [&] {
        ShownText s;
        for (const auto& [tag, value] : open) {
            if (tag == "face") s.face = value;
            if (tag == "size") s.size = value.toInt();
            s.bold |= tag == "b";
            s.underline |= tag == "u";
        }
        return s;
    };
    auto add = [&](const QString& text) {
        ShownText s = state();
        if (!shown.empty() && shown.back().face == s.face && shown.back().size == s.size &&
            shown.back().bold == s.bold && shown.back().underline == s.underline) {
            shown.back().text += text;
        } else if (!text.isEmpty()) {
            s.text = text;
            shown.push_back(s);
        }
    };
    const qsizetype bodyAt = html.indexOf("<body>");
    for (qsizetype i = bodyAt + 6; i < html.size();) {
        const qsizetype lt = html.indexOf(u'<', i);
        add(decodeEntities(html.mid(i, (lt < 0 ? html.size() : lt) - i)));
        if (lt < 0) break;
        const qsizetype gt = html.indexOf(u'>', lt);
        const QString tag = html.mid(lt + 1, gt - lt - 1);
        i = gt + 1;
        if (tag == "br")
            add("\n");
        else if (tag.startsWith("font "))
            open.emplace_back(tag.mid(5, 4), tag.section('"', 1, 1));
        else if (tag == "b" || tag == "u")
            open.emplace_back(tag, QString());
        else if (tag.startsWith('/') && !open.empty())
            open.pop_back();
    }
    return shown;
}

const ShownText* find(const std::vector<ShownText>& shown, const QString& part) {
    for (const ShownText& s : shown)
        if (s.text.contains(part)) return &s;
    return nullptr;
}

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
    const auto shown = parseUnrtfHtml(QString::fromUtf8(process.readAllStandardOutput()));

    const ShownText* title = find(shown, "Camera Setup Summary");
    const ShownText* date = find(shown, "Dec/06/2024, 17:34:05");
    const ShownText* body = find(shown, "Serial Number: 1234");
    ASSERT_TRUE(title && date && body);
    EXPECT_EQ(title->text, "Orvik\u00ae3 Camera Setup Summary");
    EXPECT_TRUE(title->face == "Tahoma" && title->bold && title->underline);
    EXPECT_TRUE(date->face == "Tahoma" && date->bold && !date->underline);
    EXPECT_TRUE(date->text.startsWith("Date:"));
    EXPECT_TRUE(body->face == "Courier New" && !body->bold && !body->underline);
    EXPECT_GT(title->size, date->size);
    EXPECT_GT(date->size, body->size);
    EXPECT_TRUE(find(shown, "Max Heatsink Temperature (EVER):= 42.6 \u00b0C\n"));
    EXPECT_TRUE(find(shown, "Comments:\n{seal} C:\\dir"));
}

}  // namespace
